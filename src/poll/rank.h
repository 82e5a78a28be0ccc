// The ranking step run after every load, add and edit.
#ifndef HOOPS_POLL_RANK_H_
#define HOOPS_POLL_RANK_H_

#include "poll/poll.h"

namespace hoops {

// Puts the poll in rank order: teams with 0 votes are dropped, the rest stand by falling
// votes, and each group of tied teams comes out in the reverse of its previous order.
// Teams are relinked, never copied; the date is not touched.
void rankTeams(Poll& poll);

}  // namespace hoops

#endif  // HOOPS_POLL_RANK_H_
