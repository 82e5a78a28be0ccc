// The poll file reader: the date line, then each line read as a row or named for what it is.
#include "pollfile/poll_reader.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace hoops {

namespace {

// Longer than any line the writer writes: a name is at most a console line.
constexpr std::size_t kLongestLine = 8192;
constexpr std::size_t kBlockSize = std::size_t{1} << 16;

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

// Without the blanks at its end.
std::string_view trimmed(std::string_view line) {
  const std::size_t end = line.find_last_not_of(" \t\r");
  return end == std::string_view::npos ? std::string_view() : line.substr(0, end + 1);
}

// True when `field` is wholly in double quotes, as spreadsheets write text.
bool isQuoted(std::string_view field) {
  field = trimmed(field);
  return field.size() >= 2 && field.front() == '"' && field.back() == '"';
}

// True when `name` holds a control character, as a terminal acts on them: C0, DEL, and C1
// written in UTF-8 (0xC2, then 0x80 to 0x9F).
bool hasControl(std::string_view name) {
  // Most names have none. A first pass counts the bytes that may start one, with no branch
  // (so that the compiler can look at many bytes at once); only then is the name read closely.
  unsigned suspects = 0;
  for (const char byte : name) {
    const auto c = static_cast<unsigned char>(byte);
    suspects += static_cast<unsigned>(c < 0x20) + static_cast<unsigned>(c == 0x7F) +
                static_cast<unsigned>(c == 0xC2);
  }
  if (suspects == 0) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c < 0x20 || c == 0x7F) return true;
    if (c == 0xC2 && i + 1 < name.size() &&
        (static_cast<unsigned char>(name[i + 1]) & 0xE0) == 0x80) {
      return true;
    }
  }
  return false;
}

// One line read as a row, in one pass.
class RowParser {
 public:
  explicit RowParser(std::string_view line) : at_(line.data()), end_(at_ + line.size()) {}

  // Reads the row into `team`; false when the line is not one.
  bool read(Team& team) {
    skipBlanks();
    if (!number(team.lastWeek, 10) || !blanks() || at_ == end_ || isBlank(*at_)) return false;
    const auto* tab =
        static_cast<const char*>(std::memchr(at_, '\t', static_cast<std::size_t>(end_ - at_)));
    if (tab == nullptr) return false;
    team.name.assign(at_, static_cast<std::size_t>(tab - at_));
    at_ = tab + 1;
    skipBlanks();
    if (!number(team.wins) || at_ == end_ || isDigit(*at_)) return false;
    ++at_;  // the one character between wins and losses, whatever it is
    if (!number(team.losses) || !blanks() || !number(team.votes)) return false;
    lastWeekColumn_ = -1;
    if (blanks()) {
      const char* start = at_;
      while (at_ != end_ && (isDigit(*at_) || *at_ == '-')) ++at_;  // last week: replaced
      int32_t rank = 0;
      const char* stop = at_;
      at_ = start;
      if (number(rank) && at_ == stop) lastWeekColumn_ = rank;
      at_ = stop;
      tooLarge_ = false;  // a column the load does not use refuses nothing
      skipBlanks();
    }
    return at_ == end_;
  }

  // What the row's last-week column said: its rank, or -1.
  int32_t lastWeekColumn() const { return lastWeekColumn_; }

  // True when the row failed on a number over 2147483647.
  bool tooLarge() const { return tooLarge_; }

 private:
  void skipBlanks() {
    while (at_ != end_ && isBlank(*at_)) ++at_;
  }
  // One or more blanks.
  bool blanks() {
    const char* start = at_;
    skipBlanks();
    return at_ != start;
  }
  // One or more digits, at most `digits` of them, whose value is at most 2147483647.
  bool number(int32_t& value, std::size_t digits = SIZE_MAX) {
    const char* start = at_;
    int64_t number = 0;
    for (; at_ != end_ && isDigit(*at_); ++at_) {
      if (number <= kMaxCount) number = number * 10 + (*at_ - '0');  // past the cap, it stays past
    }
    if (at_ == start) return false;
    if (number > kMaxCount || static_cast<std::size_t>(at_ - start) > digits) {
      tooLarge_ = true;
      return false;
    }
    value = static_cast<int32_t>(number);
    return true;
  }

  const char* at_;
  const char* end_;
  bool tooLarge_ = false;
  int32_t lastWeekColumn_ = -1;
};

// What keeps `text` (a line, without blanks at its end) from being a row, as its writer is most
// likely to have made it.
FindingTally::Kind whatItIs(std::string_view text, bool firstRow, bool tooLarge) {
  if (tooLarge) return FindingTally::kTooLarge;
  const bool tabs = text.find('\t') != std::string_view::npos;
  std::string_view fields[4];
  std::size_t count = 0;
  for (std::string_view rest = text;; ++count) {
    const std::size_t end = rest.find(tabs ? '\t' : ',');
    if (isQuoted(rest.substr(0, end))) return FindingTally::kQuotedField;
    if (count < 4) fields[count] = rest.substr(0, end);
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  if (firstRow && std::none_of(text.begin(), text.end(), isDigit)) return FindingTally::kHeader;
  if (!tabs) {
    if (text.find(',') != std::string_view::npos) return FindingTally::kCommas;
    if (text.find(' ') != std::string_view::npos) return FindingTally::kSpaces;
    return FindingTally::kNotARow;
  }
  // A spreadsheet reads 24-2 as a date and writes it back as one: 2/24/2026, 24-Feb.
  const std::string_view record = fields[2];
  if (record.find('/') != std::string_view::npos ||
      std::any_of(record.begin(), record.end(),
                  [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; })) {
    return FindingTally::kDateRecord;
  }
  if (fields[3].find(',') != std::string_view::npos) return FindingTally::kThousands;
  return FindingTally::kNotARow;
}

// Hands the lines of a stream, a line at a time, to a reader of lines.
class PollLines {
 public:
  PollLines(std::istream& in, Poll& poll, FindingTally& tally, std::pmr::vector<int32_t>* lastWeeks)
      : in_(in), poll_(poll), tally_(tally), lastWeeks_(lastWeeks), block_(new char[kBlockSize]) {}

  bool readAll() {
    while (in_) {
      in_.read(block_.get(), kBlockSize);
      const auto size = static_cast<std::size_t>(in_.gcount());
      if (size == 0) break;
      std::string_view bytes(block_.get(), size);
      if (const void* nul = std::memchr(bytes.data(), '\0', bytes.size())) {
        const auto before = static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data());
        tally_.note(FindingTally::kNulBytes, line_ + 1 +
                                                 static_cast<std::size_t>(std::count(
                                                     bytes.data(), bytes.data() + before, '\n')));
        return !in_.bad();
      }
      feed(bytes);
    }
    if (!pending_.empty() || pendingTooLong_ || line_ == 0) {
      lineEnded(pending_);
    }
    return !in_.bad();
  }

 private:
  void feed(std::string_view bytes) {
    while (!bytes.empty()) {
      const auto* end = static_cast<const char*>(std::memchr(bytes.data(), '\n', bytes.size()));
      if (end == nullptr) return keep(bytes);  // the line goes on in the next block
      const auto length = static_cast<std::size_t>(end - bytes.data());
      const std::string_view piece = bytes.substr(0, length);
      bytes.remove_prefix(length + 1);
      if (pending_.empty() && !pendingTooLong_) {
        lineEnded(piece);
      } else {
        keep(piece);
        lineEnded(pending_);
      }
    }
  }

  // Keeps a piece of a line that goes on in the next block.
  void keep(std::string_view piece) {
    if (pendingTooLong_ || pending_.size() + piece.size() > kLongestLine) {
      pendingTooLong_ = true;
      pending_.clear();
    } else {
      pending_.append(piece);
    }
  }

  void lineEnded(std::string_view line) {
    const bool tooLong = pendingTooLong_ || line.size() > kLongestLine;
    ++line_;
    if (line_ == 1) {
      dateLine(line, tooLong);
    } else if (tooLong) {
      tally_.note(FindingTally::kLongLine, line_);
    } else if (!line.empty() && (isDigit(line[0]) || !trimmed(line).empty())) {
      row(line);
    }
    pending_.clear();
    pendingTooLong_ = false;
  }

  void dateLine(std::string_view line, bool tooLong) {
    if (line.substr(0, 2) == "\xFF\xFE" || line.substr(0, 2) == "\xFE\xFF") {
      return tally_.note(FindingTally::kNulBytes, 1);  // UTF-16's byte-order mark
    }
    if (line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    line = trimmed(line);
    if (tooLong || line.size() > kMaxPollDateLength) {
      return tally_.note(FindingTally::kLongFirstLine, 1);
    }
    line.copy(poll_.date, line.size());
    poll_.date[line.size()] = '\0';
  }

  void row(std::string_view line) {
    const bool firstRow = !rowSeen_;
    rowSeen_ = true;
    // A file that will not load keeps no more teams than it has: the rest are only looked at.
    const bool keeping = !tally_.refuses();
    Team& team = keeping ? poll_.teams.emplace_back() : scratch_;
    RowParser parser(line);
    if (!parser.read(team)) {
      if (keeping) poll_.teams.pop_back();
      return tally_.note(whatItIs(trimmed(line), firstRow, parser.tooLarge()), line_);
    }
    // As a spreadsheet quotes it: the quotes at the name's very ends.
    const std::string_view name = team.name;
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') {
      tally_.note(FindingTally::kQuotedName, line_);
    }
    if (hasControl(team.name)) tally_.note(FindingTally::kControlName, line_);
    if (team.votes == 0) tally_.note(FindingTally::kNoVotes, line_);
    if (keeping && lastWeeks_ != nullptr) lastWeeks_->push_back(parser.lastWeekColumn());
  }

  std::istream& in_;
  Poll& poll_;
  FindingTally& tally_;
  std::pmr::vector<int32_t>* lastWeeks_;
  std::unique_ptr<char[]> block_;
  std::string pending_;  // a line begun in an earlier block
  bool pendingTooLong_ = false;
  std::size_t line_ = 0;  // lines read so far
  bool rowSeen_ = false;
  Team scratch_;
};

}  // namespace

bool readPollFile(std::istream& in, Poll& poll, FindingTally& tally,
                  std::pmr::vector<int32_t>* lastWeekColumn) {
  return PollLines(in, poll, tally, lastWeekColumn).readAll();
}

}  // namespace hoops
