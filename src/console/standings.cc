// The standings table: a header and one fixed-width row per team.
#include "console/standings.h"

#include <cstdint>
#include <iomanip>

namespace hoops {

namespace {

// Field widths of the table's columns; the header is laid out with the same widths.
constexpr int kPositionWidth = 4;
constexpr int kNameWidth = 30;
constexpr int kNumberWidth = 10;

}  // namespace

std::string visibleName(std::string_view name) {
  std::string shown;
  shown.reserve(name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    const bool c1 = c == 0xC2 && i + 1 < name.size() &&
                    (static_cast<unsigned char>(name[i + 1]) & 0xE0) == 0x80;
    if (c1) ++i;  // both bytes of the one character
    shown += c < 0x20 || c == 0x7F || c1 ? '?' : name[i];
  }
  return shown;
}

void writeStandingsRow(std::ostream& out, std::size_t position, const Team& team, bool visible) {
  out << std::left << std::setw(kPositionWidth) << position << ' ';
  if (visible) {
    out << std::setw(kNameWidth) << visibleName(team.name);
  } else {
    out << std::setw(kNameWidth) << team.name;
  }
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

void printStandings(std::ostream& out, const Poll& poll, std::optional<std::size_t> limit,
                    bool visible) {
  out << kStandingsHeader;
  std::size_t position = 1;
  for (const Team& team : poll.teams) {
    if (limit && position > *limit) break;
    writeStandingsRow(out, position, team, visible);
    ++position;
  }
}

}  // namespace hoops
