#ifndef HOOPS_POLL_TEAM_H_
#define HOOPS_POLL_TEAM_H_

#include <cstdint>
#include <string>

// One school in the weekly poll: a plain value record, copied whole.
struct Team {
  std::string name;
  int32_t lastWeek = -1;  // rank in last week's poll; -1 when it was unranked
  int32_t votes = 0;      // the only key of the ranking
  int32_t wins = 0;
  int32_t losses = 0;
};

// Teams are ordered by votes alone; teams with equal votes are equivalent.
inline bool operator<(const Team& a, const Team& b) {
  return a.votes < b.votes;
}

#endif  // HOOPS_POLL_TEAM_H_
