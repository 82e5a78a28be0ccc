#include "console/line_prompt.h"

std::optional<std::string> promptLine(std::istream& in, std::ostream& out,
                                      std::string_view prompt) {
  out << prompt << std::flush;
  std::string line;
  if (!std::getline(in, line)) {
    out << std::endl;
    return std::nullopt;
  }
  return line;
}
