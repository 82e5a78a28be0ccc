// The ballot forms: a table of ballots, or one ballot listed a team a line, numbered or not.
#include "ballots/ballot_reader.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "ballots/ballot_table.h"
#include "csv/csv_reader.h"

namespace hoops {

namespace {

bool isBlankRow(const std::vector<std::string_view>& fields) {
  return std::all_of(fields.begin(), fields.end(),
                     [](std::string_view field) { return field.empty(); });
}

// A numbered list's line split into its number and its team: "12. Team", "12) Team",
// "12: Team", "12 Team", or "12" and "Team" in two fields (a tab between them); nullopt when
// the line does not start with a number so.
std::optional<std::pair<std::size_t, std::string_view>> numberedLine(
    const std::vector<std::string_view>& fields) {
  std::string_view text = fields.front();
  std::size_t digits = 0;
  while (digits < text.size() && digits < 4 && isAsciiDigit(text[digits])) ++digits;
  if (digits == 0) return std::nullopt;
  std::size_t number = 0;
  for (std::size_t i = 0; i < digits; ++i)
    number = number * 10 + static_cast<std::size_t>(text[i] - '0');
  text.remove_prefix(digits);
  if (fields.size() == 2 && (text.empty() || text == "." || text == ")" || text == ":")) {
    return std::make_pair(number, fields[1]);
  }
  if (fields.size() != 1 || text.empty() || text.find_first_of(".): ") != 0) {
    return std::nullopt;
  }
  text.remove_prefix(text.front() == ' ' ? 0 : 1);
  text.remove_prefix(std::min(text.size(), text.find_first_not_of(' ')));
  return std::make_pair(number, text);
}

// True when the first line of `start` that is not blank is a numbered list's first line.
bool startsNumbered(std::string_view start) {
  start.remove_prefix(std::min(start.size(), start.find_first_not_of(" \t\r\n")));
  std::size_t at = 0;
  while (at < start.size() && start[at] == '0') ++at;
  return at + 1 < start.size() && start[at] == '1' &&
         std::string_view(".):\t ").find(start[at + 1]) != std::string_view::npos;
}

// One voter's ballot, a team a line: numbered in order 1, 2, 3 ... when `numbered`.
bool readList(CsvReader& reader, const std::string& file, std::string_view voter, bool numbered,
              const std::function<void(const Ballot&)>& take, ProblemList& problems) {
  Ballot ballot;
  ballot.voter = voter;
  std::vector<std::string> teams;
  std::vector<std::string_view> fields;
  while (reader.next(fields)) {
    if (notePoorQuoting(reader, file, problems) || isBlankRow(fields)) continue;
    std::string_view team = fields.front();
    if (numbered) {
      const auto line = numberedLine(fields);
      if (!line || line->first != teams.size() + 1) {
        // Its place stays taken, so that the later lines keep theirs.
        problems.push_back(
            {file, reader.line(),
             "a line not numbered " + std::to_string(teams.size() + 1) + " in a numbered list"});
      }
      if (line) team = line->second;
    } else if (fields.size() > 1) {
      problems.push_back({file, reader.line(), "a comma or tab in a one-ballot list"});
    }
    if (teams.size() == kMostPlaces) {
      problems.push_back({file, reader.line(), "more than 1,000 teams in a one-ballot list"});
      return true;
    }
    ballot.lines.push_back(reader.line());
    teams.emplace_back(team);
  }
  if (!finishReading(reader, file, problems)) return false;
  if (teams.empty()) return true;
  ballot.line = ballot.lines.front();
  for (const std::string& team : teams) ballot.teams.push_back(team);
  take(ballot);
  return true;
}

}  // namespace

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

bool finishReading(const CsvReader& reader, const std::string& file, ProblemList& problems) {
  if (reader.tooLong()) {
    problems.push_back(
        {file, reader.nextLine(), "a row longer than 1 MiB; nothing after it is read"});
  }
  return !reader.readError();
}

char firstSeparator(std::string_view text, bool firstRowOnly) {
  // Past blank lines, then along the text, outside quotes.
  std::size_t at = text.find_first_not_of(" \t\r\n");
  bool quoted = false;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && firstRowOnly && (c == '\n' || c == '\r')) {
      break;
    } else if (!quoted && (c == '\t' || c == ';' || c == ',')) {
      return c;
    }
  }
  return 0;
}

bool readBallots(std::istream& in, const std::string& file, std::string_view listVoter,
                 const std::function<void(const Ballot&)>& take, ProblemList& problems,
                 std::vector<std::string>& notes) {
  CsvReader reader(in);
  const std::string_view start = reader.lookAhead();
  if (startsNumbered(start)) {
    reader.separateBy('\t');
    return readList(reader, file, listVoter, true, take, problems);
  }
  const char separator = tableSeparator(start);
  if (separator == 0) return readList(reader, file, listVoter, false, take, problems);
  reader.separateBy(separator);
  return readBallotTable(reader, separator, file, take, problems, notes);
}

std::string voterOfListFile(const std::string& path) {
  std::string name = path.substr(path.find_last_of("/\\") + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

}  // namespace hoops
