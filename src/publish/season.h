// The standings published of the newest week of a season.
#ifndef HOOPS_PUBLISH_SEASON_H_
#define HOOPS_PUBLISH_SEASON_H_

#include <cstdint>
#include <memory>
#include <memory_resource>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "poll/poll_memory.h"
#include "poll/week.h"

namespace hoops {

// One team of the published week. Names are views into the weeks it was published from.
struct PublishedTeam {
  int64_t rank = 0;  // shared: one more than the teams with more points
  std::string_view name;
  int64_t firstPlaceVotes = 0;
  int32_t wins = 0;
  int32_t losses = 0;
  int64_t points = 0;
  std::optional<int64_t> lastWeekRank;  // last week's rank, when it was ranked
  bool ranked = false;                  // rank at most the top
};

// The published week: what every published poll shows. Its teams live in memory of its own, as
// a poll's do (a million-team week publishes without a page fault a team).
struct PublishedWeek {
  std::unique_ptr<PollMemory> memory = std::make_unique<PollMemory>();
  std::string date;
  std::string title;  // the poll's own name (--title); "" for "Top N"
  int64_t top = 25;
  // Every team with points, by rank, then name (byte order).
  std::pmr::vector<PublishedTeam> teams{memory.get()};
  struct Dropped {
    std::string_view name;
    int64_t lastWeekRank;
  };
  std::vector<Dropped> dropped;  // ranked last week, not now; by last week's rank, then name
  // The season for the chart: its dates, oldest first, and for each team ranked now its rank in
  // each week (none where it was not ranked).
  std::vector<std::string> dates;
  struct Line {
    std::string_view name;
    std::vector<std::optional<int64_t>> ranks;
  };
  std::vector<Line> chart;

  // The teams ranked, and the others receiving votes (by points, then name).
  std::vector<const PublishedTeam*> ranked() const;
  std::vector<const PublishedTeam*> others() const;
};

// The newest of `weeks` (ordered by readSeason) as published with the top `top`: shared ranks,
// last week's ranks (shared, from the week before; with one week, its last-week column),
// dropped teams, the chart, and first-place votes from `firstPlaces` when given.
PublishedWeek publishWeek(const std::vector<Week>& weeks, int64_t top,
                          const std::unordered_map<std::string, int64_t>* firstPlaces);

// The gaps of a season read by readSeason: for each two weeks in a row more than seven days
// apart, "no week between DATE and DATE" (the files' own dates).
std::vector<std::string> gapsIn(const std::vector<Week>& weeks);

}  // namespace hoops

#endif  // HOOPS_PUBLISH_SEASON_H_
