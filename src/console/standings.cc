#include "console/standings.h"

#include <cstdint>
#include <iomanip>

std::ostream& operator<<(std::ostream& out, const Team& team) {
  out << std::setw(30) << std::left << team.name;
  out << std::setw(10) << team.wins;
  out << std::setw(10) << team.losses;
  out << std::setw(10) << team.votes;
  out << std::setw(10);
  if (team.lastWeek == -1) {
    out << '-';
  } else {
    out << team.lastWeek;
  }
  return out;
}

void printStandings(std::ostream& out, const Poll& poll, std::optional<std::size_t> limit) {
  out << "     Team                          Wins      Losses    Votes     Last Week" << std::endl;
  std::size_t position = 1;
  for (const Team& team : poll.teams) {
    if (limit && position > *limit) break;
    // One flush for the whole table instead of one per row: the same characters, and a
    // poll of many thousand teams prints without a system call per line.
    out << std::setw(4) << std::left << position << ' ' << team << '\n';
    ++position;
  }
  out << std::flush;
}
