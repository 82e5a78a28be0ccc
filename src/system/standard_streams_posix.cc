// The standard streams on POSIX systems, which never translate line ends.
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <exception>

#include "system/standard_streams.h"

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

namespace {

const char* gWithoutMemory = nullptr;
std::terminate_handler gOtherEnd = nullptr;

// Reached with no exception being handled only when the one about to be thrown could not be
// made: the program calls std::terminate nowhere itself.
[[noreturn]] void endOfTheRun() {
  if (std::current_exception() == nullptr && gWithoutMemory != nullptr) {
    writeLastWords(gWithoutMemory);
    std::_Exit(2);
  }
  if (gOtherEnd != nullptr) gOtherEnd();
  std::abort();
}

}  // namespace

void endWithoutMemoryAs(const char* message) {
  gWithoutMemory = message;
  gOtherEnd = std::set_terminate(endOfTheRun);
}
