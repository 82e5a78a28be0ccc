// RFC 4180: a header row, then every team with points, by rank.
#include <string>
#include <string_view>

#include "publish/writers.h"

namespace {

// `field` as RFC 4180 writes it: in quotes, with quotes doubled, when it holds a comma, a quote,
// a line end, or blanks at its ends (which readers would drop).
void writeField(std::ostream& out, std::string_view field) {
  const bool quote = field.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!field.empty() && (field.front() == ' ' || field.back() == ' ' ||
                                         field.front() == '\t' || field.back() == '\t'));
  if (!quote) {
    out << field;
    return;
  }
  out << '"';
  for (const char c : field) out << (c == '"' ? "\"\"" : std::string_view(&c, 1));
  out << '"';
}

}  // namespace

void writeCsv(std::ostream& out, const PublishedWeek& week) {
  out << "rank,team,first_place_votes,wins,losses,points,last_week,change\r\n";
  for (const PublishedTeam& team : week.teams) {
    out << team.rank << ',';
    writeField(out, team.name);
    out << ',' << team.firstPlaceVotes << ',' << team.wins << ',' << team.losses << ','
        << team.points << ',';
    if (team.lastWeek) out << *team.lastWeek;
    out << ',' << change(team) << "\r\n";
  }
}
