// What a poll file holds that the program would never have written: files that passed through
// a spreadsheet, another editor or a script. Some of it stops the file from loading (it would
// load damaged); the rest loads as meant, and is told.
#ifndef HOOPS_POLLFILE_POLL_FINDINGS_H_
#define HOOPS_POLLFILE_POLL_FINDINGS_H_

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace hoops {

// One kind of thing in a file, where it first stands.
struct Finding {
  std::size_t line = 0;  // 1-based
  std::size_t more = 0;  // further lines with the same kind
  std::string what;      // e.g. "a field in double quotes; export the file without quotes"
  bool refuses = false;  // the file is not loaded for it

  // "what", and "(and N more lines)" when there are more.
  std::string text() const;
};

// The kinds of finding, and for each its first line and how many lines have it.
class FindingTally {
 public:
  enum Kind {
    // The file is not loaded.
    kNulBytes,
    kLongFirstLine,
    kHeader,
    kQuotedField,
    kCommas,
    kSpaces,
    kDateRecord,
    kThousands,
    kTooLarge,
    kLongLine,
    kNotARow,
    // The file loads, and these are told.
    kQuotedName,
    kControlName,
    kNoVotes,
    kKinds
  };

  void note(Kind kind, std::size_t line) {
    if (count_[kind]++ == 0) first_[kind] = line;
    refuses_ = refuses_ || kind < kQuotedName;
  }
  // True when anything found keeps the file from loading.
  bool refuses() const { return refuses_; }
  // The findings, one per kind, in the order of their first lines.
  std::vector<Finding> findings() const;

 private:
  std::array<std::size_t, kKinds> first_{};
  std::array<std::size_t, kKinds> count_{};
  bool refuses_ = false;
};

}  // namespace hoops

#endif  // HOOPS_POLLFILE_POLL_FINDINGS_H_
