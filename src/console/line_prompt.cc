// The line prompt: whole lines of bounded length, such as names and paths.
#include "console/line_prompt.h"

#include <limits>

namespace hoops {

namespace {

struct Line {
  std::string text;
  bool tooLong = false;
  bool ended = false;  // the input ended before a line break
};

// Reads one line, keeping at most kMaxLineLength + 1 of its characters. Nullopt when the
// input has ended with no character left.
std::optional<Line> readLine(std::istream& in) {
  // One character more than accepted, so that a longer line is told apart from a full one.
  char buffer[kMaxLineLength + 2];
  in.getline(buffer, sizeof buffer);
  Line line;
  std::size_t stored = static_cast<std::size_t>(in.gcount());
  if (in.fail() && !in.eof()) {
    // The buffer filled up before the line ended: drop the rest of it.
    in.clear();
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    line.tooLong = true;
  } else if (in.eof() && stored == 0) {
    return std::nullopt;
  } else if (!in.eof()) {
    --stored;  // the line break, counted but not stored
    if (stored > 0 && buffer[stored - 1] == '\r') --stored;  // a CR LF line end
  }
  line.ended = in.eof();
  line.text.assign(buffer, stored);
  line.tooLong = line.tooLong || stored > kMaxLineLength;
  return line;
}

}  // namespace

std::optional<std::string> promptLine(std::istream& in, std::ostream& out, std::string_view prompt,
                                      bool (*accept)(std::string_view)) {
  while (true) {
    out << prompt << std::flush;
    std::optional<Line> line = readLine(in);
    if (!line) {
      out << '\n';
      return std::nullopt;
    }
    if (!line->tooLong && (accept == nullptr || accept(line->text))) return std::move(line->text);
    out << "Invalid entry.\n";
    if (line->ended) return std::nullopt;
  }
}

void waitForKey(std::istream& in) {
  // Only a line feed already read ahead is looked at: a terminal's lone Enter never waits for
  // another key.
  if (in.get() == '\r' && in.rdbuf()->in_avail() > 0 && in.peek() == '\n') in.get();
}

}  // namespace hoops
