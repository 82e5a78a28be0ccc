// How a load or a save says why it failed.
#ifndef HOOPS_POLLFILE_FAILURE_H_
#define HOOPS_POLLFILE_FAILURE_H_

#include <cerrno>
#include <string>

#include "system/error_text.h"

namespace hoops {

// Stores `why` in `reason` when there is one, and returns false.
inline bool fail(std::string* reason, const std::string& why) {
  if (reason != nullptr) *reason = why;
  return false;
}

// The same with the words for the error number `error` (an I/O error when 0), after `before`.
inline bool failWith(std::string* reason, int error, const std::string& before = "") {
  return fail(reason, before + errorText(error != 0 ? error : EIO));
}

}  // namespace hoops

#endif  // HOOPS_POLLFILE_FAILURE_H_
