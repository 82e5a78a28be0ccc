// The standard streams on POSIX systems, which never translate line ends.
#include <unistd.h>

#include <cstring>

#include "system/standard_streams.h"

namespace hoops {

void useBinaryStandardStreams() {}

void writeLastWords(const char* text) {
  std::size_t size = std::strlen(text);
  while (size > 0) {
    const ssize_t written = ::write(kStandardError, text, size);
    if (written <= 0) return;
    text += written;
    size -= static_cast<std::size_t>(written);
  }
}

}  // namespace hoops
