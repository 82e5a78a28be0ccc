// The bounded number prompt: every number the operator types goes through it.
#ifndef HOOPS_CONSOLE_NUMBER_PROMPT_H_
#define HOOPS_CONSOLE_NUMBER_PROMPT_H_

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string_view>

namespace hoops {

// Writes `prompt` (flushed before reading) and reads one line from `in`, accepting it only
// when it is an optionally signed decimal number of at most 10 digits whose value lies in
// min..max (min <= max). A refused line gets "Invalid entry." and the prompt again.
// Returns the value, or nullopt once `in` has ended: then the prompt line has been closed
// with one line break and nothing is prompted again. A last line without a line break is
// judged like a complete one.
std::optional<int32_t> promptNumber(std::istream& in, std::ostream& out, std::string_view prompt,
                                    int32_t min, int32_t max);

}  // namespace hoops

#endif  // HOOPS_CONSOLE_NUMBER_PROMPT_H_
