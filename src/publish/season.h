// The weeks of a season as their poll files have them, and the standings published of one.
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

#include "poll/poll.h"
#include "poll/poll_memory.h"
#include "system/file_system.h"

// One week of a season, as its file has it. The teams live in the week's own poll (whose
// memory a week keeps when it is moved); rows view them. A week is moved whole into a place, never
// assigned over another: its rows' memory is its poll's.
struct Week {
  Week() = default;
  Week(Week&&) noexcept = default;
  Week& operator=(Week&&) = delete;

  struct Row {
    std::string_view name;
    int32_t wins = 0;
    int32_t losses = 0;
    int32_t votes = 0;
    int32_t lastWeekColumn = -1;  // what its last-week column says; -1 for '-'
    int64_t rank = 0;             // shared: one more than the teams with more points; 0 without
  };
  std::string file;
  std::string date;  // as written on its first line
  int64_t day = 0;   // the date as a day count, for order
  Poll teams;
  std::pmr::vector<Row> rows{teams.teams.get_allocator()};  // in file order, in its memory

  // Adds a team at the end (and ranks the week again).
  void add(std::string_view name, int32_t wins, int32_t losses, int32_t votes,
           int32_t lastWeekColumn);
};

// Reads the poll files `paths` ("-": standard input) as a load reads them, without moving their
// dates on, and orders them by date, oldest first. False, with a line for each in `problems`,
// when a file cannot be read or is refused as a load refuses it, when its first line is not a
// poll date, or when two files have one date.
bool readSeason(const std::vector<std::string>& paths, std::vector<Week>& weeks,
                std::vector<std::string>& problems, FileSystem& files = realFileSystem());

// One team of the published week. Names are views into the weeks it was published from.
struct PublishedTeam {
  int64_t rank = 0;  // shared: one more than the teams with more points
  std::string_view name;
  int64_t firstPlaceVotes = 0;
  int32_t wins = 0;
  int32_t losses = 0;
  int64_t points = 0;
  std::optional<int64_t> lastWeek;  // last week's rank, when it was ranked
  bool ranked = false;              // rank at most the top
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
    int64_t lastWeek;
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

#endif  // HOOPS_PUBLISH_SEASON_H_
