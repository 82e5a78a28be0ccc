// The season's table worked out from its weeks.
#include "publish/season_table.h"

#include <algorithm>
#include <unordered_map>

namespace hoops {

SeasonTable seasonTable(const std::vector<Week>& weeks, int64_t top) {
  SeasonTable season;
  season.top = top;
  std::unordered_map<std::string_view, std::size_t> indexOf;
  for (std::size_t w = 0; w < weeks.size(); ++w) {
    season.dates.push_back(weeks[w].date);
    season.numberOnes.emplace_back();
    std::unordered_map<int64_t, int64_t> shared;  // how many teams have each rank
    for (const Week::Row& row : weeks[w].rows) ++shared[row.rank];
    for (const Week::Row& row : weeks[w].rows) {
      if (row.rank == 0 || row.rank > top) continue;
      const auto [at, added] = indexOf.emplace(row.name, season.teams.size());
      if (added) {
        season.teams.push_back({row.name, std::vector<SeasonCell>(weeks.size())});
      }
      SeasonCell& cell = season.teams[at->second].weeks[w];
      cell.rank = row.rank;
      cell.tied = shared[row.rank] > 1;
      if (row.rank == 1) season.numberOnes[w].push_back(row.name);
    }
    std::sort(season.numberOnes[w].begin(), season.numberOnes[w].end());
  }
  // Receiving votes: points in a week, but not ranked.
  for (std::size_t w = 0; w < weeks.size(); ++w) {
    for (const Week::Row& row : weeks[w].rows) {
      const auto at = indexOf.find(row.name);
      if (row.rank > top && at != indexOf.end()) {
        season.teams[at->second].weeks[w].receivingVotes = true;
      }
    }
  }
  for (SeasonTeam& team : season.teams) {
    int64_t run = 0;
    for (std::size_t w = 0; w < team.weeks.size(); ++w) {
      SeasonCell& cell = team.weeks[w];
      if (!cell.rank) {
        run = 0;
        continue;
      }
      const int64_t rank = *cell.rank;
      if (w > 0) {
        const std::optional<int64_t>& before = team.weeks[w - 1].rank;
        if (before) {
          cell.move = *before - rank;
        } else {
          cell.isNew = true;
        }
      }
      ++team.weeksRanked;
      team.longestRun = std::max(team.longestRun, ++run);
      if (team.highest == 0 || rank < team.highest) {
        team.highest = rank;
        team.highestWeek = w;
      }
      team.weeksAtOne += rank == 1 ? 1 : 0;
      team.weeksTop5 += rank <= 5 ? 1 : 0;
      team.weeksTop10 += rank <= 10 ? 1 : 0;
    }
  }
  // Ranked now by rank, then the others by their best rank, then by name.
  std::sort(season.teams.begin(), season.teams.end(), [](const SeasonTeam& a, const SeasonTeam& b) {
    const std::optional<int64_t>& nowA = a.weeks.back().rank;
    const std::optional<int64_t>& nowB = b.weeks.back().rank;
    if (nowA.has_value() != nowB.has_value()) return nowA.has_value();
    if (nowA && *nowA != *nowB) return *nowA < *nowB;
    if (a.highest != b.highest) return a.highest < b.highest;
    return a.name < b.name;
  });
  return season;
}

std::string cellText(const SeasonCell& cell, bool firstWeek) {
  if (!cell.rank) return cell.receivingVotes ? "RV" : "";
  std::string text = (cell.tied ? "T-" : "") + std::to_string(*cell.rank);
  if (firstWeek) return text;
  if (cell.isNew) return text + " NEW";
  const int64_t move = cell.move.value_or(0);
  if (move > 0) return text + " \u25B2" + std::to_string(move);
  if (move < 0) return text + " \u25BC" + std::to_string(-move);
  return text + " \u2013";
}

}  // namespace hoops
