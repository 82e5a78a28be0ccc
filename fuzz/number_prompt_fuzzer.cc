// Any bytes as keyboard input with any bounds min <= max: every value returned lies within
// the bounds, and prompting ends exactly when the whole input has been consumed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <utility>

#include "console/number_prompt.h"

// The program's own names, in this file that drives them.
using namespace hoops;  // NOLINT(google-build-using-namespace)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  int32_t min;
  int32_t max;
  std::memcpy(&min, data, 4);
  std::memcpy(&max, data + 4, 4);
  if (min > max) std::swap(min, max);
  std::istringstream in(std::string(reinterpret_cast<const char*>(data + 8), size - 8));
  std::ostringstream out;
  while (true) {
    std::optional<int32_t> value = promptNumber(in, out, "N: ", min, max);
    if (!value) break;
    if (*value < min || *value > max) std::abort();
  }
  if (in.peek() != std::istream::traits_type::eof()) std::abort();
  return 0;
}
