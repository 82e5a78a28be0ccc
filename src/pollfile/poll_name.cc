// Which team names a poll file can carry.
#include "pollfile/poll_name.h"

namespace hoops {

bool isStorableName(std::string_view name) {
  // The reader skips blanks before a name and ends it at the first tab; a NUL byte would keep
  // the file from loading.
  return name.find_first_of(std::string_view("\t\n\0", 3)) == std::string_view::npos &&
         name.find_first_not_of(" \r") != std::string_view::npos;
}

}  // namespace hoops
