// Building a team for tests in one call.
#ifndef HOOPS_TESTS_MAKE_TEAM_H_
#define HOOPS_TESTS_MAKE_TEAM_H_

#include <string>

#include "poll/team.h"

inline Team team(const std::string& name, int wins, int losses, int votes, int lastWeek) {
  Team t;
  t.name = name;
  t.wins = wins;
  t.losses = losses;
  t.votes = votes;
  t.lastWeek = lastWeek;
  return t;
}

#endif  // HOOPS_TESTS_MAKE_TEAM_H_
