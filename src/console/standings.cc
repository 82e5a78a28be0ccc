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

void writeStandingsRow(std::ostream& out, std::size_t position, const Team& team) {
  out << std::left << std::setw(kPositionWidth) << position << ' ';
  out << std::setw(kNameWidth) << team.name;
  out << std::setw(kNumberWidth) << team.wins;
  out << std::setw(kNumberWidth) << team.losses;
  out << std::setw(kNumberWidth) << team.votes;
  out << std::setw(kNumberWidth);
  if (team.lastWeek == -1) {
    out << '-';
  } else {
    out << team.lastWeek;
  }
  out << '\n';
}

void printStandings(std::ostream& out, const Poll& poll, std::optional<std::size_t> limit) {
  out << kStandingsHeader;
  std::size_t position = 1;
  for (const Team& team : poll.teams) {
    if (limit && position > *limit) break;
    writeStandingsRow(out, position, team);
    ++position;
  }
}
