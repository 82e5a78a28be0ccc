// A records file: name, then W-L or wins and losses.
#include "ballots/records.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "ballots/name_folding.h"
#include "ballots/team_name.h"
#include "csv/csv_reader.h"
#include "poll/team.h"

namespace hoops {

bool readRecords(std::istream& in, const std::string& file, std::vector<TeamRecord>& records,
                 ProblemList& problems) {
  CsvReader reader(in);
  const char separator = tableSeparator(reader.lookAhead());
  reader.separateBy(separator != 0 ? separator : ',');
  std::vector<std::string_view> fields;
  std::unordered_map<std::string, std::size_t> lineOf;  // each team's name folded, and its line
  bool first = true;
  while (reader.next(fields)) {
    while (!fields.empty() && fields.back().empty()) fields.pop_back();
    if (fields.empty()) continue;
    // A first row without a digit in it is a spreadsheet's header ("Team,Record").
    const bool header = first && std::none_of(fields.begin(), fields.end(), [](std::string_view f) {
                          return f.find_first_of("0123456789") != std::string_view::npos;
                        });
    first = false;
    if (header) continue;
    std::optional<int32_t> wins, losses;
    if (fields.size() == 2) {
      const std::size_t dash = fields[1].find('-');
      if (dash != std::string_view::npos) {
        wins = countOf(fields[1].substr(0, dash));
        losses = countOf(fields[1].substr(dash + 1));
      }
    } else if (fields.size() == 3) {
      wins = countOf(fields[1]);
      losses = countOf(fields[2]);
    }
    if (fields[0].empty() || !wins || !losses) {
      problems.push_back(
          {file, reader.line(), "not a record: a team's name, then W-L or wins and losses"});
      continue;
    }
    if (const std::optional<std::string_view> why = whyNotATeamName(fields[0])) {
      problems.push_back({file, reader.line(),
                          "a name that cannot stand in a poll file: it " + std::string(*why)});
      continue;
    }
    // One record a team: a second one, in any spelling that folds to the same, is named.
    const auto [met, added] = lineOf.emplace(foldedName(fields[0]), reader.line());
    if (!added) {
      problems.push_back({file, reader.line(),
                          "a second record for the team at line " + std::to_string(met->second)});
      continue;
    }
    records.push_back({std::string(fields[0]), *wins, *losses, reader.line()});
  }
  return finishReading(reader, file, problems);
}

}  // namespace hoops
