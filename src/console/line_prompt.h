// The prompt that reads whole lines: team names and file paths.
#ifndef HOOPS_CONSOLE_LINE_PROMPT_H_
#define HOOPS_CONSOLE_LINE_PROMPT_H_

#include <cstddef>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace hoops {

// The longest line that the line prompt accepts, in bytes.
inline constexpr std::size_t kMaxLineLength = 4096;

// Writes `prompt` (flushed before reading) and reads one whole line from `in`, the line break
// (a line feed, or a carriage return and a line feed) removed and every other character kept. A
// line longer than kMaxLineLength, or one that `accept` (when given) refuses, is read to its end in
// constant memory and answered with "Invalid entry." and the prompt again. Returns nullopt once
// `in` has ended: after closing the prompt line with one line break when nothing was typed, or
// right after "Invalid entry." when the refused line was the last one. A last line without a line
// break is judged like a complete one.
std::optional<std::string> promptLine(std::istream& in, std::ostream& out, std::string_view prompt,
                                      bool (*accept)(std::string_view) = nullptr);

// Waits for one key: takes one character from `in`, and the line feed after it when it is a
// carriage return whose line feed already waits (Enter as a CR LF line end types it).
void waitForKey(std::istream& in);

}  // namespace hoops

#endif  // HOOPS_CONSOLE_LINE_PROMPT_H_
