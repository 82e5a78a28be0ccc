// The poll file's form, line by line, as the writer writes it, and what differs from it.
#include "pollfile/poll_findings.h"

#include <algorithm>
#include <cstring>

#include "poll/date.h"

namespace {

// Longer than any line the writer writes: a name is at most a console line.
constexpr std::size_t kLongestLine = 8192;

constexpr const char* kWords[] = {
    "UTF-16 text (or NUL bytes): a poll file is plain text; save it as text or UTF-8",
    "the first line is not a poll date; it is kept as it is and does not move on a week",
    "a header row; it is read as a team",
    "an empty line after the date; the first row is read out of step",
    "a field in double quotes; the quotes are read as part of it",
    "commas where tabs belong",
    "a row not in the form position, name, wins-losses, votes, last week, separated by tabs",
    "a team with 0 votes; the ranking drops it",
};

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// True when `field` is wholly in double quotes, as spreadsheets write text. (A name typed in
// double quotes looks the same.)
bool isQuoted(std::string_view field) {
  return field.size() >= 2 && field.front() == '"' && field.back() == '"';
}

// Reads a line as the writer writes a row, in one pass: every check a saved file meets on each
// of its lines is made here.
class RowScanner {
 public:
  explicit RowScanner(std::string_view line) : at_(line.data()), end_(at_ + line.size()) {}

  // The row's votes when the line is a row in the writer's form; -1 otherwise (a name wholly
  // in double quotes included, which the writer writes only when it was typed so).
  long long votes() {
    long long votes = 0;
    if (!number() || !take('\t') || !name() || !number() || !take('-') || !number() ||
        !take('\t') || !number(&votes) || !take('\t') || !(take('-') || number())) {
      return -1;
    }
    for (; at_ != end_; ++at_) {
      if (*at_ != ' ' && *at_ != '\t' && *at_ != '\r') return -1;
    }
    return votes;
  }

 private:
  bool take(char c) {
    if (at_ == end_ || *at_ != c) return false;
    ++at_;
    return true;
  }

  // A run of digits no larger than a count can be.
  bool number(long long* value = nullptr) {
    const char* start = at_;
    long long number = 0;
    for (; at_ != end_ && isDigit(*at_); ++at_) {
      number = number * 10 + (*at_ - '0');
      if (number > 2147483647) return false;
    }
    if (value != nullptr) *value = number;
    return at_ != start;
  }

  // A name up to and with its tab: not empty, not blanks alone, not wholly in quotes.
  bool name() {
    const auto* tab =
        static_cast<const char*>(std::memchr(at_, '\t', static_cast<std::size_t>(end_ - at_)));
    if (tab == nullptr || tab == at_) return false;
    const std::string_view name(at_, static_cast<std::size_t>(tab - at_));
    at_ = tab + 1;
    return !isQuoted(name) && name.find_first_not_of(" \r") != std::string_view::npos;
  }

  const char* at_;
  const char* end_;
};

// True when a tab-separated field of `line` is wholly in double quotes.
bool hasQuotedField(std::string_view line) {
  while (true) {
    const std::size_t tab = line.find('\t');
    if (isQuoted(line.substr(0, tab))) return true;
    if (tab == std::string_view::npos) return false;
    line.remove_prefix(tab + 1);
  }
}

// Without a line end, a carriage return before it, and blanks at the end.
std::string_view trimmed(std::string_view line) {
  const std::size_t end = line.find_last_not_of(" \t\r");
  return end == std::string_view::npos ? std::string_view() : line.substr(0, end + 1);
}

}  // namespace

std::string Finding::text() const {
  if (more == 0) return what;
  return what + " (and " + std::to_string(more) + " more line" + (more == 1 ? ")" : "s)");
}

void PollFileChecker::note(Kind kind, std::size_t line) {
  if (count_[kind]++ == 0) first_[kind] = line;
}

void PollFileChecker::keep(std::string_view piece) {
  if (pendingTooLong_ || pending_.size() + piece.size() > kLongestLine) {
    pendingTooLong_ = true;
    pending_.clear();
  } else {
    pending_.append(piece);
  }
}

void PollFileChecker::checkPending() {
  checkLine(pending_, pendingTooLong_);
  pending_.clear();
  pendingTooLong_ = false;
}

void PollFileChecker::feed(std::string_view bytes) {
  if (count_[kUtf16] == 0 && std::memchr(bytes.data(), '\0', bytes.size()) != nullptr) {
    note(kUtf16, line_ + 1);
  }
  while (!bytes.empty()) {
    const auto* end = static_cast<const char*>(std::memchr(bytes.data(), '\n', bytes.size()));
    if (end == nullptr) return keep(bytes);  // the line goes on in the next piece
    const auto length = static_cast<std::size_t>(end - bytes.data());
    const std::string_view piece = bytes.substr(0, length);
    bytes.remove_prefix(length + 1);
    if (pending_.empty() && !pendingTooLong_) {
      checkLine(piece);
    } else {
      keep(piece);
      checkPending();
    }
  }
}

void PollFileChecker::checkLine(std::string_view line, bool tooLong) {
  ++line_;
  // A line longer than any the writer writes is no date and no row.
  if (tooLong || line.size() > kLongestLine) return note(line_ == 1 ? kNotADate : kNotARow, line_);
  if (line_ == 1) {
    const bool wide = line.size() >= 2 && ((line[0] == '\xFF' && line[1] == '\xFE') ||
                                           (line[0] == '\xFE' && line[1] == '\xFF'));
    if (wide && count_[kUtf16] == 0) note(kUtf16, 1);
    if (line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    if (!isPollDate(trimmed(line))) note(kNotADate, line_);
    return;
  }
  const long long votes = RowScanner(line).votes();
  if (votes > 0) return;  // the common case: a row as saved
  if (votes == 0) return note(kNoVotes, line_);
  const std::string_view text = trimmed(line);
  if (text.empty()) {
    if (line_ == 2) note(kEmptyAfterDate, line_);
  } else if (line_ == 2 && std::none_of(text.begin(), text.end(), isDigit)) {
    note(kHeader, line_);
  } else if (hasQuotedField(text)) {
    note(kQuoted, line_);
  } else if (text.find('\t') == std::string_view::npos &&
             text.find(',') != std::string_view::npos) {
    note(kCommas, line_);
  } else {
    note(kNotARow, line_);
  }
}

std::vector<Finding> PollFileChecker::finish() {
  if (!pending_.empty() || pendingTooLong_) checkPending();
  std::vector<Finding> findings;
  for (std::size_t kind = 0; kind < kKinds; ++kind) {
    // Text in UTF-16 says nothing line by line: that alone is said of it.
    if (count_[kind] == 0 || (count_[kUtf16] != 0 && kind != kUtf16)) continue;
    findings.push_back({first_[kind], count_[kind] - 1, kWords[kind]});
  }
  std::sort(findings.begin(), findings.end(),
            [](const Finding& a, const Finding& b) { return a.line < b.line; });
  return findings;
}

void LineCountingBuffer::count(const char* data, std::size_t size) {
  if (size == 0) return;
  last_ = static_cast<unsigned char>(data[size - 1]);
  for (const char* end = data + size;;) {
    data = static_cast<const char*>(std::memchr(data, '\n', static_cast<std::size_t>(end - data)));
    if (data == nullptr) break;
    ++lineEnds_;
    ++data;
  }
}

LineCountingBuffer::int_type LineCountingBuffer::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  const int_type c = source_.sbumpc();
  if (traits_type::eq_int_type(c, traits_type::eof())) return c;
  byte_ = traits_type::to_char_type(c);
  count(&byte_, 1);
  setg(&byte_, &byte_, &byte_ + 1);
  return c;
}

std::streamsize LineCountingBuffer::xsgetn(char* data, std::streamsize size) {
  std::streamsize taken = std::min(size, static_cast<std::streamsize>(egptr() - gptr()));
  if (taken > 0) {
    std::memcpy(data, gptr(), static_cast<std::size_t>(taken));
    gbump(static_cast<int>(taken));
  }
  const std::streamsize got = source_.sgetn(data + taken, size - taken);
  count(data + taken, static_cast<std::size_t>(got));
  return taken + got;
}

bool readsAsSaved(const Poll& poll, uint64_t lines) {
  if (!isPollDate(std::string_view(poll.date)) || lines != poll.teamCount() + 1) return false;
  int32_t position = 1;
  for (const Team& team : poll.teams) {
    if (team.lastWeek != position++ || team.votes == 0 || isQuoted(team.name) ||
        team.votes == kMaxCount || team.wins == kMaxCount || team.losses == kMaxCount) {
      return false;
    }
  }
  return true;
}
