// What in a poll file its writer would never have written: files that passed through a
// spreadsheet, another editor or a script. The reader reads them as it always does; these
// findings say where what it read is not what was meant.
#ifndef HOOPS_POLLFILE_POLL_FINDINGS_H_
#define HOOPS_POLLFILE_POLL_FINDINGS_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "poll/poll.h"

// One kind of thing the writer would never have written, where it first stands in the file.
struct Finding {
  std::size_t line = 0;  // 1-based
  std::size_t more = 0;  // further lines with the same kind
  std::string what;      // e.g. "a field in double quotes; the quotes are read as part of it"

  // "what", and "(and N more lines)" when there are more.
  std::string text() const;
};

// Looks at a poll file's bytes, fed in pieces of any size, line by line. Differences that load
// the same as the writer's form (CR LF line ends, a UTF-8 byte-order mark, blanks at the end of
// a line, empty lines after the first row) are not findings.
class PollFileChecker {
 public:
  void feed(std::string_view bytes);
  // Ends the file; the findings, one per kind, in the order of their first lines. A file the
  // program saved gives none.
  std::vector<Finding> finish();

 private:
  enum Kind {
    kUtf16,
    kNotADate,
    kHeader,
    kEmptyAfterDate,
    kQuoted,
    kCommas,
    kNotARow,
    kNoVotes,
    kKinds
  };

  void checkLine(std::string_view line, bool tooLong = false);
  // Keeps a piece of a line that goes on in the next piece fed.
  void keep(std::string_view piece);
  void checkPending();
  void note(Kind kind, std::size_t line);

  std::size_t line_ = 0;  // lines checked so far
  std::string pending_;   // a line begun in an earlier piece
  bool pendingTooLong_ = false;
  std::array<std::size_t, kKinds> first_{};  // 0: not found
  std::array<std::size_t, kKinds> count_{};
};

// A stream buffer that passes on what `source` gives and counts its lines on the way, so that
// the reader's pass over a file also tells how many lines it has.
class LineCountingBuffer : public std::streambuf {
 public:
  explicit LineCountingBuffer(std::streambuf& source) : source_(source) {}

  // The lines passed on so far; a last line without a line end counts.
  uint64_t lines() const { return lineEnds_ + (last_ != '\n' && last_ != kNone ? 1 : 0); }

 protected:
  int_type underflow() override;
  std::streamsize xsgetn(char* data, std::streamsize size) override;

 private:
  static constexpr int kNone = -1;
  void count(const char* data, std::size_t size);

  std::streambuf& source_;
  uint64_t lineEnds_ = 0;
  int last_ = kNone;  // the last byte passed on
  char byte_ = 0;     // the one byte underflow() holds
};

// True when what the reader made of a file of `lines` lines, before the date's advance, is what
// it makes of a file the program saved: a poll date, one row a line with positions 1, 2, 3...,
// no name in double quotes, no team without votes, no number at the cap. Such a file needs no
// closer look: what a PollFileChecker could still find in it (another separator in the record,
// leading zeros) loads as meant.
bool readsAsSaved(const Poll& poll, uint64_t lines);

#endif  // HOOPS_POLLFILE_POLL_FINDINGS_H_
