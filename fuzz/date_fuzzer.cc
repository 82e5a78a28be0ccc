// Any text of up to 17 characters in the poll's date buffer: the advance leaves it unchanged
// or writes a poll date, and touches nothing outside the buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "poll/date.h"

// The program's own names, in this file that drives them.
using namespace hoops;  // NOLINT(google-build-using-namespace)

namespace {

bool isNumber(std::string_view text) {
  if (!text.empty() && text[0] == '-') text.remove_prefix(1);
  if (text.empty() || (text.size() > 1 && text[0] == '0')) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// "<Month> <day> <year>" with a known month name and plain decimal numbers.
bool looksLikePollDate(std::string_view text) {
  static const char* kMonths[] = {"January",   "February", "March",    "April",
                                  "May",       "June",     "July",     "August",
                                  "September", "October",  "November", "December"};
  std::size_t first = text.find(' ');
  std::size_t second = first == std::string_view::npos ? first : text.find(' ', first + 1);
  if (second == std::string_view::npos) return false;
  bool known = false;
  for (const char* month : kMonths) known = known || text.substr(0, first) == month;
  return known && isNumber(text.substr(first + 1, second - first - 1)) &&
         isNumber(text.substr(second + 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxPollDateLength) return 0;
  // A heap block of exactly the buffer's size, so AddressSanitizer sees any access past it.
  std::unique_ptr<char[]> block(new char[sizeof(PollDate)]);
  std::memcpy(block.get(), data, size);
  block[size] = '\0';
  const std::string before(block.get());
  auto& date = *reinterpret_cast<PollDate*>(block.get());
  advanceWeek(date);
  const std::string after(block.get());
  if (after != before && !looksLikePollDate(after)) std::abort();
  return 0;
}
