// The newest week of a season published: shared ranks and all.
#include "publish/season.h"

#include <algorithm>
#include <string_view>

#include "poll/week.h"

namespace hoops {

namespace {

// The teams of `week` ranked in the top `top`, by name.
std::unordered_map<std::string_view, int64_t> rankedIn(const Week& week, int64_t top) {
  std::unordered_map<std::string_view, int64_t> ranked;
  for (const Week::Row& row : week.rows) {
    if (row.rank > 0 && row.rank <= top) ranked.emplace(row.name, row.rank);
  }
  return ranked;
}

}  // namespace

std::vector<const PublishedTeam*> PublishedWeek::ranked() const {
  std::vector<const PublishedTeam*> chosen;
  for (const PublishedTeam& team : teams) {
    if (team.ranked) chosen.push_back(&team);
  }
  return chosen;
}

std::vector<const PublishedTeam*> PublishedWeek::others() const {
  std::vector<const PublishedTeam*> chosen;
  for (const PublishedTeam& team : teams) {
    if (!team.ranked) chosen.push_back(&team);
  }
  return chosen;  // by rank, then name: that is, by points, then name
}

PublishedWeek publishWeek(const std::vector<Week>& weeks, int64_t top,
                          const std::unordered_map<std::string, int64_t>* firstPlaces) {
  PublishedWeek published;
  const Week& now = weeks.back();
  published.date = now.date;
  published.top = top;
  // Each week's teams ranked in the top, for last week's ranks, the dropped and the chart.
  std::vector<std::unordered_map<std::string_view, int64_t>> season;
  for (const Week& week : weeks) {
    season.push_back(rankedIn(week, top));
    published.dates.push_back(week.date);
  }
  const std::unordered_map<std::string_view, int64_t>& rankedNow = season.back();
  // Last week's ranks: the week before's, shared; with one week, its own last-week column.
  std::unordered_map<std::string_view, int64_t> before;
  if (weeks.size() > 1) {
    before = season[season.size() - 2];
  } else {
    for (const Week::Row& row : now.rows) {
      if (row.lastWeekColumn > 0 && row.lastWeekColumn <= top) {
        before.emplace(row.name, row.lastWeekColumn);
      }
    }
  }
  published.teams.reserve(now.rows.size());
  for (const Week::Row& row : now.rows) {
    if (row.rank == 0) continue;
    PublishedTeam team;
    team.rank = row.rank;
    team.name = row.name;
    team.wins = row.wins;
    team.losses = row.losses;
    team.points = row.votes;
    team.ranked = team.rank <= top;
    if (team.ranked) {
      if (const auto last = before.find(row.name); last != before.end()) {
        team.lastWeekRank = last->second;
      }
    }
    if (firstPlaces != nullptr) {
      if (const auto first = firstPlaces->find(std::string(row.name));
          first != firstPlaces->end()) {
        team.firstPlaceVotes = first->second;
      }
    }
    published.teams.push_back(team);
  }
  // By rank, then name. A saved week is in rank order already: only its ties are put in order.
  const auto byRankThenName = [](const PublishedTeam& a, const PublishedTeam& b) {
    return a.rank != b.rank ? a.rank < b.rank : a.name < b.name;
  };
  if (byFallingVotes(now)) {
    for (auto tie = published.teams.begin(); tie != published.teams.end();) {
      const auto end = std::find_if(tie, published.teams.end(), [&](const PublishedTeam& team) {
        return team.rank != tie->rank;
      });
      if (end - tie > 1) std::sort(tie, end, byRankThenName);
      tie = end;
    }
  } else {
    std::sort(published.teams.begin(), published.teams.end(), byRankThenName);
  }
  for (const auto& [name, rank] : before) {
    if (rankedNow.count(name) == 0) published.dropped.push_back({name, rank});
  }
  std::sort(published.dropped.begin(), published.dropped.end(),
            [](const PublishedWeek::Dropped& a, const PublishedWeek::Dropped& b) {
              return a.lastWeekRank != b.lastWeekRank ? a.lastWeekRank < b.lastWeekRank
                                                      : a.name < b.name;
            });
  for (const PublishedTeam* team : published.ranked()) {
    PublishedWeek::Line line{team->name, {}};
    for (const auto& then : season) {
      const auto rank = then.find(team->name);
      line.ranks.push_back(rank != then.end() ? std::optional<int64_t>(rank->second)
                                              : std::nullopt);
    }
    published.chart.push_back(std::move(line));
  }
  return published;
}

std::vector<std::string> gapsIn(const std::vector<Week>& weeks) {
  std::vector<std::string> gaps;
  for (std::size_t i = 1; i < weeks.size(); ++i) {
    if (weeks[i].day - weeks[i - 1].day > 7) {
      gaps.push_back("no week between " + weeks[i - 1].date + " and " + weeks[i].date);
    }
  }
  return gaps;
}

}  // namespace hoops
