// The poll file reader: the date line and the rows, found by digit runs, tabs and blanks.
#include "pollfile/poll_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace {

constexpr int kEnd = -1;

bool isBlank(int c) {
  return c == '\t' || c == ' ' || c == '\n' || c == '\r';
}
bool isDigit(int c) {
  return c >= '0' && c <= '9';
}

// Characters of a poll file with one character of look-ahead, read from the stream in
// large blocks. Looking at the end records "ended"; any look or take after that records
// "failed" as well. The state is what decides whether another row is read.
class PollScanner {
 public:
  // Takes its block from the heap at once, which may throw std::bad_alloc.
  explicit PollScanner(std::istream& in) : in_(in), buffer_(new char[kBlockSize]) {}

  int peek() {
    if (next_ != end_) return static_cast<unsigned char>(*next_);
    return peekPastBlock();
  }

  int take() {
    int c = peek();
    if (c != kEnd) ++next_;
    return c;
  }

  // True while neither the end nor a failure has been recorded.
  bool good() const { return !ended_ && !failed_; }
  // Stops further rows, as a failure of the stream would.
  void fail() {
    failed_ = true;
    next_ = end_;
  }
  bool readError() const { return in_.bad(); }

  void skipBlanks() { skipWhile(isBlank); }

  // Takes a run of digits; no digit gives 0 and values saturate at kMaxCount.
  int32_t takeNumber() {
    int64_t value = 0;
    do {
      const char* at = next_;
      for (; at != end_ && isDigit(*at); ++at) {
        value = value * 10 + (*at - '0');
        if (value > kMaxCount) value = kMaxCount;
      }
      next_ = at;
    } while (next_ == end_ && isDigit(peek()));  // the run may go on in the next block
    return static_cast<int32_t>(value);
  }

  // Takes `prefix` when the input starts with it here; otherwise takes nothing.
  void skipPrefix(std::string_view prefix) {
    if (peek() == kEnd) return;
    if (static_cast<std::size_t>(end_ - next_) >= prefix.size() &&
        std::string_view(next_, prefix.size()) == prefix) {
      next_ += prefix.size();
    }
  }

  // Takes characters while `keep` holds for them.
  template <typename Keep>
  void skipWhile(Keep keep) {
    do {
      const char* at = next_;
      while (at != end_ && keep(static_cast<unsigned char>(*at))) ++at;
      next_ = at;
    } while (next_ == end_ && keep(peek()));
  }

  // Takes every character up to the next tab as `name`, leaving the tab unread. Returns
  // false when the end comes first.
  bool takeUntilTab(std::pmr::string& name) {
    std::string pieces;  // a name running on past the block, gathered before it is kept
    while (true) {
      if (peek() == kEnd) return false;
      const char* tab = static_cast<const char*>(
          std::memchr(next_, '\t', static_cast<std::size_t>(end_ - next_)));
      const char* stop = tab != nullptr ? tab : end_;
      const std::string_view piece(next_, static_cast<std::size_t>(stop - next_));
      next_ = stop;
      if (tab == nullptr) {
        pieces.append(piece);
      } else if (pieces.empty()) {
        name.assign(piece);
        return true;
      } else {
        pieces.append(piece);
        name.assign(pieces);
        return true;
      }
    }
  }

 private:
  // peek() when the block is used up. The block stays empty once the end or a failure has
  // been recorded, so every later look comes here.
  int peekPastBlock() {
    if (ended_ || failed_) {
      failed_ = true;
      return kEnd;
    }
    if (!refill()) {
      ended_ = true;
      return kEnd;
    }
    return static_cast<unsigned char>(*next_);
  }

  bool refill() {
    if (!in_) return false;
    in_.read(buffer_.get(), kBlockSize);
    next_ = buffer_.get();
    end_ = next_ + in_.gcount();
    return next_ != end_;
  }

  static constexpr std::streamsize kBlockSize = std::streamsize{1} << 16;

  std::istream& in_;
  std::unique_ptr<char[]> buffer_;
  const char* next_ = buffer_.get();
  const char* end_ = next_;
  bool ended_ = false;
  bool failed_ = false;
};

// Reads the first line into `date`. A byte-order mark before it and spaces and tabs at its
// end are dropped; what is left keeps at most 17 characters, and a longer line stops the
// rows from being read.
void readDateLine(PollScanner& scanner, PollDate& date) {
  scanner.skipPrefix("\xEF\xBB\xBF");
  std::size_t length = 0;
  bool tooLong = false;
  while (true) {
    int c = scanner.peek();
    if (c == kEnd) break;
    scanner.take();
    if (c == '\n') break;
    if (c == '\r' && scanner.peek() == '\n') {
      // A CRLF line end: the carriage return is not part of the date.
      scanner.take();
      break;
    }
    if (length < kMaxPollDateLength) {
      date[length++] = static_cast<char>(c);
    } else if (c != ' ' && c != '\t') {
      tooLong = true;  // longer than any poll date: keep 17 characters, read no rows
      break;
    }
  }
  if (tooLong) {
    scanner.fail();
  } else {
    while (length > 0 && (date[length - 1] == ' ' || date[length - 1] == '\t')) --length;
  }
  date[length] = '\0';
}

bool isDigitOrDash(int c) {
  return isDigit(c) || c == '-';
}

// Reads one row into `team`. Returns false when the file ends inside the name.
bool readRow(PollScanner& scanner, Team& team) {
  scanner.skipBlanks();
  team.lastWeek = scanner.takeNumber();
  scanner.skipBlanks();
  if (!scanner.takeUntilTab(team.name)) return false;
  scanner.skipBlanks();
  team.wins = scanner.takeNumber();
  scanner.take();  // the separator between wins and losses, whatever it is
  team.losses = scanner.takeNumber();
  scanner.skipBlanks();
  team.votes = scanner.takeNumber();
  scanner.skipBlanks();
  scanner.skipWhile(isDigitOrDash);  // last week's column is replaced by the position
  scanner.skipBlanks();
  return true;
}

}  // namespace

bool readPollFile(std::istream& in, Poll& poll) {
  PollScanner scanner(in);
  readDateLine(scanner, poll.date);
  while (scanner.good()) {
    Team& team = poll.teams.emplace_back();
    if (!readRow(scanner, team)) {
      poll.teams.pop_back();
      break;
    }
  }
  return !scanner.readError();
}
