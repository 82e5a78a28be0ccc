// The standings table of options 7 and 8.
#ifndef HOOPS_CONSOLE_STANDINGS_H_
#define HOOPS_CONSOLE_STANDINGS_H_

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "poll/poll.h"
#include "poll/team.h"

namespace hoops {

// The standings header, with its line end; its columns line up with the rows'.
inline constexpr std::string_view kStandingsHeader =
    "     Team                          Wins      Losses    Votes     Last Week\n";

// `name` as a terminal should show it: each control character (C0, DEL, and C1 in UTF-8) as
// '?', as `ls` shows such names, so that no name can move the cursor or retitle the window.
std::string visibleName(std::string_view name);

// Writes one standings row and its line end: the position (4 wide) and a space, then the name
// (30), wins, losses, votes and last week (10 each, a dash when unranked), all left-aligned;
// long values push the row right. With `visible`, the name as visibleName() shows it. Leaves
// `out` left-aligned.
void writeStandingsRow(std::ostream& out, std::size_t position, const Team& team,
                       bool visible = false);

// Writes the standings header and one numbered row per team in list order, at most `limit`
// rows when a limit is given, names shown visibly with `visible`. Leaves `out` left-aligned,
// as the rows need.
void printStandings(std::ostream& out, const Poll& poll, std::optional<std::size_t> limit,
                    bool visible = false);

}  // namespace hoops

#endif  // HOOPS_CONSOLE_STANDINGS_H_
