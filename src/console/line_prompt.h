#ifndef HOOPS_CONSOLE_LINE_PROMPT_H_
#define HOOPS_CONSOLE_LINE_PROMPT_H_

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

// Writes `prompt` (flushed before reading) and reads one whole line from `in`, the line
// break removed and every other character kept. Returns nullopt, after closing the prompt
// line with one line break, when `in` has ended with no character left.
std::optional<std::string> promptLine(std::istream& in, std::ostream& out, std::string_view prompt);

#endif  // HOOPS_CONSOLE_LINE_PROMPT_H_
