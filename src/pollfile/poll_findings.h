// What in a poll file its writer would never have written: files that passed through a
// spreadsheet, another editor or a script. The reader reads them as it always does; these
// findings say where what it read is not what was meant.
#ifndef HOOPS_POLLFILE_POLL_FINDINGS_H_
#define HOOPS_POLLFILE_POLL_FINDINGS_H_

#include <array>
#include <cstddef>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

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

// A stream buffer that passes on what `source` gives and shows every byte of it to `checker`
// on the way, so that a file is read and checked in one pass.
class CheckingBuffer : public std::streambuf {
 public:
  CheckingBuffer(std::streambuf& source, PollFileChecker& checker)
      : source_(source), checker_(checker) {}

 protected:
  int_type underflow() override;
  std::streamsize xsgetn(char* data, std::streamsize size) override;

 private:
  std::streambuf& source_;
  PollFileChecker& checker_;
  char byte_ = 0;  // the one byte underflow() holds
};

#endif  // HOOPS_POLLFILE_POLL_FINDINGS_H_
