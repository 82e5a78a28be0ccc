// The words for an error number.
#include "system/error_text.h"

#include <cstring>

namespace hoops {

std::string errorText(int error) {
  switch (error) {
    case kNameNotAllowed:
      return "the system does not allow this name";
    case kNulInPath:
      return "a path cannot hold a NUL byte";
    case kReplacedMeanwhile:
      return "it was replaced while being saved";
    case kFolderForbidsRemoval:
      return "its folder lets no file in it be removed or replaced";
    case kNoAccessLists:
      return "its owner would lose it, and this file system keeps no access lists to keep "
             "the owner's rights";
    default:
      break;
  }
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
