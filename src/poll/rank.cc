// The ranking step.
#include "poll/rank.h"

namespace hoops {

void rankTeams(Poll& poll) {
  poll.teams.remove_if([](const Team& team) { return team.votes == 0; });
  // The list's merge sort is stable; reversing it gives falling votes with ties reversed.
  poll.teams.sort();
  poll.teams.reverse();
}

}  // namespace hoops
