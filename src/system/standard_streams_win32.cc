// The standard streams on Windows, whose C runtime translates line ends in text mode.
#include <fcntl.h>
#include <io.h>

#include <cstring>

#include "system/standard_streams.h"

namespace hoops {

void useBinaryStandardStreams() {
  // Every byte passes as it is: a console's typed lines are read apart, as UTF-8 with their
  // CR LF ends, which the prompts take as line ends. Lines written end in LF.
  _setmode(kStandardInput, _O_BINARY);
  _setmode(kStandardOutput, _O_BINARY);
  _setmode(kStandardError, _O_BINARY);
}

void writeLastWords(const char* text) {
  std::size_t size = std::strlen(text);
  while (size > 0) {
    const unsigned part = size > 65536 ? 65536U : static_cast<unsigned>(size);
    const int written = _write(kStandardError, text, part);
    if (written <= 0) return;
    text += written;
    size -= static_cast<std::size_t>(written);
  }
}

}  // namespace hoops
