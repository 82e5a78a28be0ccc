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

// Takes a run of digits from the front of `text` into `value`: false when there is none or
// it is larger than a count can be.
bool takeNumber(std::string_view& text, long long* value = nullptr) {
  std::size_t length = 0;
  long long number = 0;
  while (length < text.size() && isDigit(text[length])) {
    number = number * 10 + (text[length] - '0');
    if (number > 2147483647) return false;
    ++length;
  }
  if (length == 0) return false;
  text.remove_prefix(length);
  if (value != nullptr) *value = number;
  return true;
}

bool takeChar(std::string_view& text, char c) {
  if (text.empty() || text.front() != c) return false;
  text.remove_prefix(1);
  return true;
}

// True when `line` is a row as the writer writes it; `votes` gets its votes.
bool isWritersRow(std::string_view line, long long& votes) {
  if (!takeNumber(line) || !takeChar(line, '\t')) return false;
  const std::size_t tab = line.find('\t');
  if (tab == 0 || tab == line.npos) return false;
  const std::string_view name = line.substr(0, tab);
  if (name.find_first_not_of(" \r") == name.npos) return false;
  line.remove_prefix(tab + 1);
  if (!takeNumber(line) || !takeChar(line, '-') || !takeNumber(line) || !takeChar(line, '\t') ||
      !takeNumber(line, &votes) || !takeChar(line, '\t')) {
    return false;
  }
  if (!takeChar(line, '-') && !takeNumber(line)) return false;
  return line.find_first_not_of(" \t") == line.npos;
}

// True when a tab-separated field of `line` is wholly in double quotes, as spreadsheets write
// text. (A name typed in double quotes looks the same.)
bool hasQuotedField(std::string_view line) {
  while (true) {
    const std::size_t tab = line.find('\t');
    const std::string_view field = line.substr(0, tab);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') return true;
    if (tab == line.npos) return false;
    line.remove_prefix(tab + 1);
  }
}

// Without a line end, a carriage return before it, and blanks at the end.
std::string_view trimmed(std::string_view line) {
  const std::size_t end = line.find_last_not_of(" \t\r");
  return end == line.npos ? std::string_view() : line.substr(0, end + 1);
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
  const std::string_view text = trimmed(line);
  if (text.empty()) {
    if (line_ == 2) note(kEmptyAfterDate, line_);
    return;
  }
  long long votes = 0;
  if (line_ == 2 && std::none_of(text.begin(), text.end(), isDigit)) {
    note(kHeader, line_);
  } else if (hasQuotedField(text)) {
    note(kQuoted, line_);
  } else if (isWritersRow(text, votes)) {
    if (votes == 0) note(kNoVotes, line_);
  } else if (text.find('\t') == text.npos && text.find(',') != text.npos) {
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

CheckingBuffer::int_type CheckingBuffer::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  const int_type c = source_.sbumpc();
  if (traits_type::eq_int_type(c, traits_type::eof())) return c;
  byte_ = traits_type::to_char_type(c);
  checker_.feed(std::string_view(&byte_, 1));
  setg(&byte_, &byte_, &byte_ + 1);
  return c;
}

std::streamsize CheckingBuffer::xsgetn(char* data, std::streamsize size) {
  std::streamsize taken = std::min(size, static_cast<std::streamsize>(egptr() - gptr()));
  if (taken > 0) {
    std::memcpy(data, gptr(), static_cast<std::size_t>(taken));
    gbump(static_cast<int>(taken));
  }
  const std::streamsize got = source_.sgetn(data + taken, size - taken);
  checker_.feed(std::string_view(data + taken, static_cast<std::size_t>(got)));
  return taken + got;
}
