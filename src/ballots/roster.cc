// A roster file: a team a line, its name and its other spellings.
#include "ballots/roster.h"

#include <optional>
#include <string_view>

#include "ballots/ballot_reader.h"
#include "ballots/team_name.h"
#include "csv/csv_reader.h"

namespace hoops {

bool readRoster(std::istream& in, const std::string& file, std::vector<RosterTeam>& roster,
                ProblemList& problems) {
  CsvReader reader(in);
  const char separator = firstSeparator(reader.lookAhead(), false);
  reader.separateBy(separator != 0 ? separator : '\t');
  std::vector<std::string_view> fields;
  while (reader.next(fields)) {
    if (notePoorQuoting(reader, file, problems)) continue;
    RosterTeam team;
    team.line = reader.line();
    bool sound = true;
    for (const std::string_view field : fields) {
      if (field.empty()) continue;
      if (const std::optional<std::string_view> why = whyNotATeamName(field)) {
        problems.push_back({file, reader.line(),
                            "a name that cannot stand in a poll file: it " + std::string(*why)});
        sound = false;
      } else if (team.name.empty()) {
        team.name = field;
      } else {
        team.aliases.emplace_back(field);
      }
    }
    if (sound && !team.name.empty()) roster.push_back(std::move(team));
  }
  return finishReading(reader, file, problems);
}

}  // namespace hoops
