// Building a team, and setting a poll date, for tests in one call.
#ifndef HOOPS_TESTS_MAKE_TEAM_H_
#define HOOPS_TESTS_MAKE_TEAM_H_

#include <algorithm>
#include <string>
#include <string_view>

#include "poll/date.h"
#include "poll/team.h"

namespace hoops {

inline Team team(const std::string& name, int wins, int losses, int votes, int lastWeek) {
  Team t;
  t.name = name;
  t.wins = wins;
  t.losses = losses;
  t.votes = votes;
  t.lastWeek = lastWeek;
  return t;
}

// Sets a poll date to `text` (at most 17 characters).
inline void setDate(PollDate& date, std::string_view text) {
  *std::copy(text.begin(), text.begin() + std::min(text.size(), kMaxPollDateLength), date) = '\0';
}

}  // namespace hoops

#endif  // HOOPS_TESTS_MAKE_TEAM_H_
