// A table of ballots: its header row, if any, read for the columns web forms export.
#include "ballots/ballot_table.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "ballots/name_folding.h"
#include "poll/problem.h"

namespace hoops {

namespace {

template <std::size_t N>
bool isOneOf(const std::string& folded, const std::array<std::string_view, N>& names) {
  return std::find(names.begin(), names.end(), folded) != names.end();
}

// The one number a heading holds ("Rank 12", "Ballot [12]", "12th"); nullopt when it holds
// none or more than one.
std::optional<std::size_t> numberIn(std::string_view heading) {
  std::optional<std::size_t> number;
  for (std::size_t at = 0; at < heading.size();) {
    if (!isAsciiDigit(heading[at])) {
      ++at;
      continue;
    }
    if (number) return std::nullopt;
    std::size_t value = 0;
    for (std::size_t digits = 0; at < heading.size() && isAsciiDigit(heading[at]); ++at, ++digits) {
      if (digits == 6) return std::nullopt;
      value = value * 10 + static_cast<std::size_t>(heading[at] - '0');
    }
    number = value;
  }
  return number;
}

// Reads an unsigned number of 1 to `most` digits at the start of `text`, consuming it.
std::optional<int64_t> takeNumber(std::string_view& text, std::size_t most,
                                  std::size_t* digits = nullptr) {
  std::size_t count = 0;
  int64_t value = 0;
  while (count < text.size() && count < most && isAsciiDigit(text[count])) {
    value = value * 10 + (text[count] - '0');
    ++count;
  }
  if (count == 0 || (count < text.size() && isAsciiDigit(text[count]))) return std::nullopt;
  text.remove_prefix(count);
  if (digits != nullptr) *digits = count;
  return value;
}

bool takeOneOf(std::string_view& text, std::string_view characters) {
  if (text.empty() || characters.find(text.front()) == std::string_view::npos) return false;
  text.remove_prefix(1);
  return true;
}

void skipBlanks(std::string_view& text) {
  text.remove_prefix(std::min(text.size(), text.find_first_not_of(' ')));
}

std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "'" : ", '") + name + "'";
  return text;
}

}  // namespace

std::optional<BallotColumns> headerColumns(const std::vector<std::string_view>& fields) {
  static constexpr std::array<std::string_view, 6> kVoter = {"voter",    "name",      "yourname",
                                                             "pollster", "votername", "fullname"};
  static constexpr std::array<std::string_view, 3> kEmail = {"email", "emailaddress", "youremail"};
  // Submission times, the one that tells the later of two rows best first.
  static constexpr std::array<std::string_view, 6> kSubmitted = {
      "timestamp", "completiontime", "submitted", "submittedat", "submissiontime", "starttime"};
  BallotColumns columns;
  std::size_t submittedRank = kSubmitted.size();
  std::vector<std::ptrdiff_t> ignored;
  for (std::size_t column = 0; column < fields.size(); ++column) {
    const std::string folded = foldedName(fields[column]);
    const auto at = static_cast<std::ptrdiff_t>(column);
    const auto time = std::find(kSubmitted.begin(), kSubmitted.end(), folded);
    if (columns.voter < 0 && isOneOf(folded, kVoter)) {
      columns.voter = at;
    } else if (columns.email < 0 && isOneOf(folded, kEmail)) {
      columns.email = at;
    } else if (time != kSubmitted.end()) {
      const auto rank = static_cast<std::size_t>(time - kSubmitted.begin());
      if (rank < submittedRank) {
        if (columns.submitted >= 0) ignored.push_back(columns.submitted);
        columns.submitted = at;
        submittedRank = rank;
      } else {
        ignored.push_back(at);
      }
    } else if (numberIn(fields[column]) == columns.places.size() + 1) {
      columns.places.push_back(column);
    } else {
      ignored.push_back(at);
    }
  }
  if (columns.voter < 0 && columns.email < 0 && columns.submitted < 0) return std::nullopt;
  if (columns.voter < 0) std::swap(columns.voter, columns.email);
  if (columns.places.empty() && columns.voter >= 0) {
    // "Voter,First,Second": every column after the voter's is a place.
    for (std::size_t column = static_cast<std::size_t>(columns.voter) + 1; column < fields.size();
         ++column) {
      const auto at = static_cast<std::ptrdiff_t>(column);
      if (at != columns.email && at != columns.submitted) columns.places.push_back(column);
    }
    ignored.clear();
  }
  if (columns.email >= 0) ignored.push_back(columns.email);
  std::sort(ignored.begin(), ignored.end());
  for (const std::ptrdiff_t column : ignored) {
    columns.ignored.emplace_back(fields[static_cast<std::size_t>(column)]);
  }
  return columns;
}

std::optional<int64_t> submissionTime(std::string_view text, DateOrder order) {
  skipBlanks(text);
  std::size_t firstDigits = 0;
  const std::optional<int64_t> first = takeNumber(text, 4, &firstDigits);
  const char dateSeparator = text.empty() ? '\0' : text.front();
  if (!first || !takeOneOf(text, "-/.")) return std::nullopt;
  const std::optional<int64_t> second = takeNumber(text, 2);
  if (!second || text.empty() || text.front() != dateSeparator) return std::nullopt;
  text.remove_prefix(1);
  std::size_t thirdDigits = 0;
  const std::optional<int64_t> third = takeNumber(text, 4, &thirdDigits);
  if (!third) return std::nullopt;
  int64_t year = *third, month = *first, day = *second;
  if (firstDigits == 4) {
    year = *first, month = *second, day = *third;
  } else if (dateSeparator == '.' || order == DateOrder::kDayFirst) {
    day = *first, month = *second;  // 2.3.2025 or 2/3/2025: as Europe writes it
  }
  if (firstDigits != 4 && thirdDigits == 2) year += 2000;
  int64_t hour = 0, minute = 0, second60 = 0;
  if (!text.empty() && (text.front() == 'T' || text.front() == ' ')) {
    text.remove_prefix(1);
    skipBlanks(text);
    const std::optional<int64_t> h = takeNumber(text, 2);
    if (!h || !takeOneOf(text, ":")) return std::nullopt;
    const std::optional<int64_t> m = takeNumber(text, 2);
    if (!m) return std::nullopt;
    hour = *h, minute = *m;
    if (takeOneOf(text, ":")) {
      const std::optional<int64_t> s = takeNumber(text, 2);
      if (!s) return std::nullopt;
      second60 = *s;
      if (takeOneOf(text, ".,"))
        text.remove_prefix(std::min(text.size(), text.find_first_not_of("0123456789")));
    }
    skipBlanks(text);
    if (text.size() >= 2 && (text[1] == 'M' || text[1] == 'm') &&
        (text[0] == 'A' || text[0] == 'a' || text[0] == 'P' || text[0] == 'p')) {
      if (hour < 1 || hour > 12) return std::nullopt;
      hour = hour % 12 + (text[0] == 'P' || text[0] == 'p' ? 12 : 0);
    }
  }
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second60 > 60) {
    return std::nullopt;
  }
  return ((((year * 12 + month - 1) * 31 + day - 1) * 24 + hour) * 60 + minute) * 61 + second60;
}

namespace {

// A row of a web form's export held until the export's end, its time read both ways (and
// its first 40 bytes kept to be told).
struct HeldRow {
  std::string voter;
  std::size_t line;
  std::string time;
  std::optional<int64_t> monthFirst, dayFirst;
  std::vector<std::string> teams;

  const std::optional<int64_t>& timeIn(DateOrder order) const {
    return order == DateOrder::kMonthFirst ? monthFirst : dayFirst;
  }
};

// For each of `rows`, the row of its voter (`voters`, folded) that stands: the latest by the
// times read in `order` (the lower of two with one time).
std::vector<std::size_t> standingRows(const std::vector<HeldRow>& rows,
                                      const std::vector<std::string>& voters, DateOrder order) {
  std::unordered_map<std::string_view, std::size_t> latest;
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const auto [met, added] = latest.emplace(voters[row], row);
    if (!added && *rows[row].timeIn(order) >= *rows[met->second].timeIn(order)) met->second = row;
  }
  std::vector<std::size_t> standing(rows.size());
  for (std::size_t row = 0; row < rows.size(); ++row) standing[row] = latest[voters[row]];
  return standing;
}

// Which row of each voter stands, the export's dates read in the one order that reads them
// all, or in either where both do and pick the same rows; false, with a problem, when the
// times mix the orders or the later of a voter's rows depends on the order.
bool chooseStanding(const std::vector<HeldRow>& rows, const std::string& file,
                    std::vector<std::size_t>& standing, ProblemList& problems) {
  std::vector<std::string> voters;
  voters.reserve(rows.size());
  for (const HeldRow& row : rows) voters.push_back(foldedVoter(row.voter));
  const auto unread = [&](DateOrder order) {
    return std::find_if(rows.begin(), rows.end(),
                        [&](const HeldRow& row) { return !row.timeIn(order); });
  };
  const auto notMonthFirst = unread(DateOrder::kMonthFirst);
  const auto notDayFirst = unread(DateOrder::kDayFirst);
  if (notMonthFirst != rows.end() && notDayFirst != rows.end()) {
    problems.push_back({file, notMonthFirst->line,
                        "a submission time written day first ('" + notMonthFirst->time +
                            "'), where line " + std::to_string(notDayFirst->line) +
                            "'s is month first ('" + notDayFirst->time + "')"});
    return false;
  }
  const DateOrder order =
      notMonthFirst == rows.end() ? DateOrder::kMonthFirst : DateOrder::kDayFirst;
  standing = standingRows(rows, voters, order);
  if (notMonthFirst != rows.end() || notDayFirst != rows.end()) return true;
  const std::vector<std::size_t> other = standingRows(rows, voters, DateOrder::kDayFirst);
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (standing[row] == other[row]) continue;
    problems.push_back({file, rows[row].line,
                        "which of " + rows[row].voter +
                            "'s ballots is the later depends on whether the submission times "
                            "are month first or day first ('" +
                            rows[row].time +
                            "'); export them with the year first (2025-03-02 14:05)"});
    return false;
  }
  return true;
}

}  // namespace

bool readBallotTable(CsvReader& reader, char separator, const std::string& file,
                     const std::function<void(const Ballot&)>& take, ProblemList& problems,
                     std::vector<std::string>& notes) {
  // Rows held while a later one of their voter may replace them.
  std::vector<HeldRow> held;
  std::optional<BallotColumns> columns;
  std::vector<std::string_view> fields;
  Ballot ballot;
  bool first = true;
  const auto fieldAt = [&](std::ptrdiff_t column) {
    const auto at = static_cast<std::size_t>(column);
    return column >= 0 && at < fields.size() ? fields[at] : std::string_view();
  };
  while (reader.next(fields)) {
    if (notePoorQuoting(reader, file, problems) ||
        std::all_of(fields.begin(), fields.end(), [](std::string_view f) { return f.empty(); })) {
      continue;
    }
    if (first) {
      first = false;
      columns = headerColumns(fields);
      if (!columns) {
        // No header: the voter, then the teams.
      } else if (columns->voter < 0) {
        problems.push_back(
            {file, reader.line(), "a header row without a voter's column (Voter, Name or Email)"});
        return finishReading(reader, file, problems);
      } else {
        if (!columns->ignored.empty()) {
          notes.push_back(file + ": " +
                          (columns->ignored.size() == 1 ? "a column that is not a place is "
                                                        : "columns that are not places are ") +
                          "skipped: " + joined(columns->ignored));
        }
        continue;
      }
    }
    if (fields.size() == 1 && fields.front().find_first_of("\t;,") != std::string_view::npos) {
      problems.push_back({file, reader.line(),
                          std::string("a row not separated as the first row is, by ") +
                              (separator == '\t'  ? "tabs"
                               : separator == ';' ? "semicolons"
                                                  : "commas")});
      continue;
    }
    ballot.line = reader.line();
    ballot.teams.clear();
    if (columns) {
      ballot.voter = fieldAt(columns->voter);
      if (ballot.voter.empty()) ballot.voter = fieldAt(columns->email);
      for (const std::size_t place : columns->places) {
        ballot.teams.push_back(fieldAt(static_cast<std::ptrdiff_t>(place)));
      }
    } else {
      ballot.voter = fields.front();
      ballot.teams.assign(fields.begin() + 1, fields.end());
    }
    // Empty fields at the row's end are a spreadsheet's padding, not places.
    while (!ballot.teams.empty() && ballot.teams.back().empty()) ballot.teams.pop_back();
    if (ballot.voter.empty()) {
      problems.push_back({file, reader.line(), "a ballot without a voter"});
      continue;
    }
    if (ballot.teams.size() > kMostPlaces) {
      problems.push_back({file, reader.line(), "a ballot of more than 1,000 places"});
      continue;
    }
    if (!columns || columns->submitted < 0) {
      take(ballot);
      continue;
    }
    const std::string_view time = fieldAt(columns->submitted);
    HeldRow row{std::string(ballot.voter),
                ballot.line,
                std::string(time.substr(0, 40)),
                submissionTime(time, DateOrder::kMonthFirst),
                submissionTime(time, DateOrder::kDayFirst),
                std::vector<std::string>(ballot.teams.begin(), ballot.teams.end())};
    if (!row.monthFirst && !row.dayFirst) {
      problems.push_back({file, reader.line(),
                          "a submission time that is not a date and time: '" + row.time + "'"});
      continue;
    }
    held.push_back(std::move(row));
  }
  if (!finishReading(reader, file, problems)) return false;
  // A voter's latest row stands; the others are told.
  std::vector<std::size_t> standing;
  if (!chooseStanding(held, file, standing, problems)) return true;
  for (std::size_t row = 0; row < held.size(); ++row) {
    if (standing[row] != row) {
      notes.push_back(Problem{file, held[row].line,
                              held[row].voter + "'s ballot is replaced by the later one at line " +
                                  std::to_string(held[standing[row]].line)}
                          .text());
    }
  }
  for (std::size_t row = 0; row < held.size(); ++row) {
    if (standing[row] != row) continue;
    ballot.voter = held[row].voter;
    ballot.line = held[row].line;
    ballot.teams.assign(held[row].teams.begin(), held[row].teams.end());
    take(ballot);
  }
  return true;
}

}  // namespace hoops
