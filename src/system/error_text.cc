// The words for an error number.
#include "system/error_text.h"

#include <cstring>

std::string errorText(int error) {
  if (error == kNameNotAllowed) return "the system does not allow this name";
  // strerror is the one portable call; the program has one thread, so its shared buffer is
  // never written by two calls at once.
  return std::strerror(error);
}
