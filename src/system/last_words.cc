// The end of a run that has not even the memory to throw: the same words as any run out of it.
#include <cstdlib>
#include <exception>

#include "system/standard_streams.h"

namespace hoops {

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

}  // namespace hoops
