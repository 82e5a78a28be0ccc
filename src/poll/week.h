// One week of a season as its poll file has it, each team with its shared rank.
#ifndef HOOPS_POLL_WEEK_H_
#define HOOPS_POLL_WEEK_H_

#include <cstdint>
#include <memory_resource>
#include <string>
#include <string_view>
#include <vector>

#include "poll/poll.h"

namespace hoops {

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

// Gives each row of `week` its shared rank (0 for a team without points): one more than the
// teams with more points.
void rankWeek(Week& week);

// True when the rows of `week` stand by falling votes, as the program saves them.
bool byFallingVotes(const Week& week);

}  // namespace hoops

#endif  // HOOPS_POLL_WEEK_H_
