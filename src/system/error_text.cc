// The words for an error number.
#include "system/error_text.h"

#include <cstring>

std::string errorText(int error) {
  if (error == kNameNotAllowed) return "the system does not allow this name";
#if defined(_MSC_VER)
  char text[256];  // Microsoft's library deprecates strerror for its checked form
  return strerror_s(text, sizeof text, error) == 0 ? text : "Unknown error";
#else
  // strerror is the one portable call; the program has one thread, so its shared buffer is
  // never written by two calls at once.
  return std::strerror(error);
#endif
}
