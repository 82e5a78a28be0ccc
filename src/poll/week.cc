// A week's rows and their shared ranks.
#include "poll/week.h"

#include <algorithm>
#include <functional>

namespace hoops {

bool byFallingVotes(const Week& week) {
  return std::is_sorted(week.rows.begin(), week.rows.end(),
                        [](const Week::Row& a, const Week::Row& b) { return a.votes > b.votes; });
}

void rankWeek(Week& week) {
  if (byFallingVotes(week)) {
    // A saved week: each rank in one pass, a tie keeping the rank of its first team.
    for (std::size_t i = 0; i < week.rows.size(); ++i) {
      Week::Row& row = week.rows[i];
      const bool tied = i > 0 && row.votes == week.rows[i - 1].votes;
      row.rank = row.votes <= 0 ? 0 : tied ? week.rows[i - 1].rank : static_cast<int64_t>(i) + 1;
    }
    return;
  }
  std::pmr::vector<int32_t> points(week.rows.get_allocator());
  for (const Week::Row& row : week.rows) {
    if (row.votes > 0) points.push_back(row.votes);
  }
  std::sort(points.begin(), points.end(), std::greater<>());
  for (Week::Row& row : week.rows) {
    const auto higher =
        std::lower_bound(points.begin(), points.end(), row.votes, std::greater<>()) -
        points.begin();
    row.rank = row.votes > 0 ? static_cast<int64_t>(higher) + 1 : 0;
  }
}

void Week::add(std::string_view name, int32_t wins, int32_t losses, int32_t votes,
               int32_t lastWeekColumn) {
  Team& team = teams.teams.emplace_back();
  team.name = name;
  rows.push_back({team.name, wins, losses, votes, lastWeekColumn, 0});
  rankWeek(*this);
}

}  // namespace hoops
