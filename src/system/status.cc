// The words for a failure of a call into the system.
#include "system/status.h"

#include <cerrno>
#include <cstring>

namespace hoops {

Status Status::system(int error, const char* context) {
  Status status(Code::kSystem, context);
  status.error_ = error != 0 ? error : EIO;
  return status;
}

Status Status::lastError(const char* context) {
  return system(errno, context);
}

Status Status::within(const char* context) const {
  Status status = *this;
  status.context_ = context;
  return status;
}

std::string Status::reason() const {
  switch (code_) {
    case Code::kOk:
      return "";
    case Code::kSystem:
      return errorText(error_);
    case Code::kNameNotAllowed:
      return "the system does not allow this name";
    case Code::kNulInPath:
      return "a path cannot hold a NUL byte";
    case Code::kReplacedMeanwhile:
      return "it was replaced while being saved";
    case Code::kFolderForbidsRemoval:
      return "its folder lets no file in it be removed or replaced";
    case Code::kNoAccessLists:
      return "its owner would lose it, and this file system keeps no access lists to keep "
             "the owner's rights";
  }
  return errorText(EIO);
}

std::string Status::text() const {
  return context_ + reason();
}

std::string errorText(int error) {
#if defined(_MSC_VER)
  char text[256];  // Microsoft's library deprecates strerror for its checked form
  return strerror_s(text, sizeof text, error) == 0 ? text : "Unknown error";
#else
  // strerror is the one portable call; the program has one thread, so its shared buffer is
  // never written by two calls at once.
  return std::strerror(error);
#endif
}

}  // namespace hoops
