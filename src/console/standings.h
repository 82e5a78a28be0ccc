// The standings table of options 7 and 8.
#ifndef HOOPS_CONSOLE_STANDINGS_H_
#define HOOPS_CONSOLE_STANDINGS_H_

#include <cstddef>
#include <optional>
#include <ostream>

#include "poll/poll.h"
#include "poll/team.h"

// Writes a team's columns of a standings row: name (30), wins, losses, votes and last week
// (10 each, a dash when unranked), all left-aligned; long values push the row right.
std::ostream& operator<<(std::ostream& out, const Team& team);

// Writes the standings header and one numbered row per team in list order, at most `limit`
// rows when a limit is given. Leaves `out` left-aligned, as the rows need.
void printStandings(std::ostream& out, const Poll& poll, std::optional<std::size_t> limit);

#endif  // HOOPS_CONSOLE_STANDINGS_H_
