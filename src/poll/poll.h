#ifndef HOOPS_POLL_POLL_H_
#define HOOPS_POLL_POLL_H_

#include <cstddef>
#include <list>
#include <string>

#include "poll/team.h"

// The week's poll: its teams in rank order and its date. A team's 1-based position in
// `teams` is its rank. Positions passed to teamAt and removeTeamAt must lie in
// 1..teamCount().
struct Poll {
  // Longest poll date text ("September 10 2010"); `date` holds it and a terminator.
  static constexpr std::size_t kDateCapacity = 17;

  // An empty poll dated today (local time), e.g. "December 8 2026".
  Poll();

  std::size_t teamCount() const { return teams.size(); }

  // Puts a copy of `team` at the end; the caller's team stays unshared.
  void appendTeam(const Team& team) { teams.push_back(team); }

  // The team at `position`, modifiable in place.
  Team& teamAt(std::size_t position);

  // Removes the team at `position`; later teams move up one place.
  void removeTeamAt(std::size_t position);

  // Removes every team; the date stays as it was.
  void clearTeams() { teams.clear(); }

  // Replaces teams and date with those of the poll file at `path`, moved on one week.
  // Returns false, leaving the poll untouched, when the file cannot be opened or read.
  // Defined by the poll file library.
  bool loadPoll(const std::string& path);

  std::list<Team> teams;
  char date[kDateCapacity + 1];
};

#endif  // HOOPS_POLL_POLL_H_
