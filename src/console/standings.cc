// The standings table: a header and one fixed-width row per team.
#include "console/standings.h"

#include <cstdint>
#include <iomanip>

namespace {

// Field widths of the table's columns; the header is laid out with the same widths.
constexpr int kPositionWidth = 4;
constexpr int kNameWidth = 30;
constexpr int kNumberWidth = 10;

}  // namespace

std::ostream& operator<<(std::ostream& out, const Team& team) {
  out << std::setw(kNameWidth) << std::left << team.name;
  out << std::setw(kNumberWidth) << team.wins;
  out << std::setw(kNumberWidth) << team.losses;
  out << std::setw(kNumberWidth) << team.votes;
  out << std::setw(kNumberWidth);
  if (team.lastWeek == -1) {
    out << '-';
  } else {
    out << team.lastWeek;
  }
  return out;
}

void printStandings(std::ostream& out, const Poll& poll, std::optional<std::size_t> limit) {
  // The last heading is not padded, so the header has no trailing spaces.
  out << std::left << std::setw(kPositionWidth) << "" << ' ' << std::setw(kNameWidth) << "Team"
      << std::setw(kNumberWidth) << "Wins" << std::setw(kNumberWidth) << "Losses"
      << std::setw(kNumberWidth) << "Votes"
      << "Last Week\n";
  std::size_t position = 1;
  for (const Team& team : poll.teams) {
    if (limit && position > *limit) break;
    out << std::setw(kPositionWidth) << position << ' ' << team << '\n';
    ++position;
  }
}
