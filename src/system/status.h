// What a call into the system room reports: done, or why not, as one value built where the
// call failed.
#ifndef HOOPS_SYSTEM_STATUS_H_
#define HOOPS_SYSTEM_STATUS_H_

#include <cstdint>
#include <string>

namespace hoops {

// Done, or a failure: the system's error number or one of the program's own reasons, and the
// words that say which step failed ("no file can be made beside it: "). Cheap to copy and never
// throws: the context is a literal's text, not a copy.
class Status {
 public:
  enum class Code : uint8_t {
    kOk,
    kSystem,                // the system's error number says why (errno's numbers)
    kNameNotAllowed,        // the system refused a name it does not allow ('?' on Windows)
    kNulInPath,             // a path that holds a NUL byte, which no system call can be given
    kReplacedMeanwhile,     // the name of a file being replaced came to name another file
    kFolderForbidsRemoval,  // a folder lets no name in it be removed (append-only, immutable)
    kNoAccessLists,         // an owner would lose a file where no access lists keep its rights
  };

  // Done.
  Status() = default;
  // A reason of the program's own, with the step that failed.
  explicit Status(Code code, const char* context = "") : code_(code), context_(context) {}

  // The system's error number `error` (an I/O error when 0), with the step that failed.
  static Status system(int error, const char* context = "");
  // The error number the last failed call left in errno.
  static Status lastError(const char* context = "");

  bool ok() const { return code_ == Code::kOk; }
  Code code() const { return code_; }
  // True when the system failed with the error number `error`.
  bool is(int error) const { return code_ == Code::kSystem && error_ == error; }
  // The same failure told after the words `context`, which replace any it had.
  Status within(const char* context) const;

  // The words that go before the reason: "" or a phrase ending in ": ".
  const char* context() const { return context_; }
  // Why, in a few words ("No such file or directory"), without the context; "" when done.
  std::string reason() const;
  // The context and the reason.
  std::string text() const;

 private:
  Code code_ = Code::kOk;
  int error_ = 0;
  const char* context_ = "";
};

// The words for the system's error number `error` (e.g. "No such file or directory").
std::string errorText(int error);

}  // namespace hoops

#endif  // HOOPS_SYSTEM_STATUS_H_
