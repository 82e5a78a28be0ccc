// The ballots of a week set against the week as its file has it.
#ifndef HOOPS_BALLOTS_WEEK_CHECK_H_
#define HOOPS_BALLOTS_WEEK_CHECK_H_

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "poll/week.h"

namespace hoops {

// Where the ballots' points (`points`, by name) are not `week`'s votes, a line for each team,
// by name: "Duke (the ballots give 1, the week 5)", or "... the week has no such team)" for a
// team the ballots gave points that the week does not have. Empty when they agree.
std::vector<std::string> ballotsAgainstWeek(const std::unordered_map<std::string, int64_t>& points,
                                            const Week& week);

}  // namespace hoops

#endif  // HOOPS_BALLOTS_WEEK_CHECK_H_
