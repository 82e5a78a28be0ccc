// The ballot forms: a table of ballots, or one ballot listed a team a line.
#include "ballots/ballot_reader.h"

#include <algorithm>
#include <cctype>

#include "csv/csv_reader.h"

namespace {

// True when `field` is "voter" in any case.
bool isVoterHeading(std::string_view field) {
  constexpr std::string_view kVoter = "voter";
  return field.size() == kVoter.size() &&
         std::equal(field.begin(), field.end(), kVoter.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == b;
         });
}

bool isBlankRow(const std::vector<std::string_view>& fields) {
  return std::all_of(fields.begin(), fields.end(),
                     [](std::string_view field) { return field.empty(); });
}

// Says what was not as RFC 4180 writes it in the record just read; true when there was such a
// thing (the record is then not a ballot to count: its fields are not what was meant).
bool notePoorQuoting(const CsvReader& reader, const std::string& file, ProblemList& problems) {
  switch (reader.problem()) {
    case CsvReader::Problem::kNone:
      return false;
    case CsvReader::Problem::kUnclosedQuote:
      problems.push_back({file, reader.line(), "a quote that is never closed"});
      return true;
    case CsvReader::Problem::kTextAfterQuote:
      problems.push_back({file, reader.line(), "text after a closing quote"});
      return true;
  }
  return true;
}

}  // namespace

bool finishReading(const CsvReader& reader, const std::string& file, ProblemList& problems) {
  if (reader.tooLong()) {
    problems.push_back(
        {file, reader.nextLine(), "a row longer than 1 MiB; nothing after it is read"});
  }
  return !reader.readError();
}

char tableSeparator(std::string_view start) {
  // Past blank lines, then along the first row, outside quotes.
  std::size_t at = start.find_first_not_of(" \t\r\n");
  bool quoted = false;
  for (; at < start.size(); ++at) {
    const char c = start[at];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && (c == '\n' || c == '\r')) {
      break;
    } else if (!quoted && (c == '\t' || c == ';' || c == ',')) {
      return c;
    }
  }
  return 0;
}

bool readBallots(std::istream& in, const std::string& file, std::string_view listVoter,
                 const std::function<void(const Ballot&)>& take, ProblemList& problems) {
  CsvReader reader(in);
  const char separator = tableSeparator(reader.lookAhead());
  const bool table = separator != 0;
  reader.separateBy(table ? separator : ',');
  std::vector<std::string_view> fields;
  Ballot ballot;
  bool first = true;
  if (!table) {
    // One ballot: every line a team; a line that holds a separator after all is named.
    ballot.voter = listVoter;
    std::vector<std::string> teams;
    while (reader.next(fields)) {
      if (notePoorQuoting(reader, file, problems) || isBlankRow(fields)) continue;
      if (fields.size() > 1) {
        problems.push_back({file, reader.line(), "a comma or tab in a one-ballot list"});
      }
      if (teams.size() == kMostPlaces) {
        problems.push_back({file, reader.line(), "more than 1,000 teams in a one-ballot list"});
        return true;
      }
      ballot.lines.push_back(reader.line());
      teams.emplace_back(fields.front());
    }
    if (!finishReading(reader, file, problems)) return false;
    if (teams.empty()) return true;
    ballot.line = ballot.lines.front();
    for (const std::string& team : teams) ballot.teams.push_back(team);
    take(ballot);
    return true;
  }
  while (reader.next(fields)) {
    if (notePoorQuoting(reader, file, problems) || isBlankRow(fields)) continue;
    const bool heading = first && isVoterHeading(fields.front());
    first = false;
    if (heading) continue;
    if (fields.size() == 1 && fields.front().find_first_of("\t;,") != std::string_view::npos) {
      problems.push_back({file, reader.line(),
                          std::string("a row not separated as the first row is, by ") +
                              (separator == '\t'  ? "tabs"
                               : separator == ';' ? "semicolons"
                                                  : "commas")});
      continue;
    }
    if (fields.front().empty()) {
      problems.push_back({file, reader.line(), "a ballot without a voter"});
      continue;
    }
    ballot.voter = fields.front();
    ballot.line = reader.line();
    ballot.teams.assign(fields.begin() + 1, fields.end());
    // Empty fields at the row's end are a spreadsheet's padding, not places.
    while (!ballot.teams.empty() && ballot.teams.back().empty()) ballot.teams.pop_back();
    if (ballot.teams.size() > kMostPlaces) {
      problems.push_back({file, reader.line(), "a ballot of more than 1,000 places"});
      continue;
    }
    take(ballot);
  }
  return finishReading(reader, file, problems);
}

std::string voterOfListFile(const std::string& path) {
  std::string name = path.substr(path.find_last_of("/\\") + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}
