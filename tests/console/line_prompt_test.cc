// The line prompt: long lines, refused lines and ended input.
#include "console/line_prompt.h"

#include <gtest/gtest.h>

#include <sstream>

namespace hoops {

namespace {

bool notX(std::string_view line) {
  return line != "x";
}

TEST(PromptLineTest, ReadsWholeLinesRefusesLongOnesAndStopsAtTheEnd) {
  const std::string longest(kMaxLineLength, 'a');
  const std::string tooLong(kMaxLineLength + 1, 'b');
  struct Case {
    const char* what;
    std::string input;
    std::optional<std::string> line;
    std::string output;
  };
  const Case cases[] = {
      {"spaces kept", "  spaced  out \nnext\n", "  spaced  out ", "P: "},
      {"empty line", "\n", "", "P: "},
      {"no line break", "no line break", "no line break", "P: "},
      {"ended", "", std::nullopt, "P: \n"},
      {"the longest line", longest + "\n", longest, "P: "},
      {"the longest last line", longest, longest, "P: "},
      {"one byte too long", tooLong + "\nok\n", "ok", "P: Invalid entry.\nP: "},
      {"far too long", std::string(1 << 20, 'c') + "\nok\n", "ok", "P: Invalid entry.\nP: "},
      {"too long at the end", tooLong, std::nullopt, "P: Invalid entry.\n"},
      {"far too long at the end", std::string(100000, 'd'), std::nullopt, "P: Invalid entry.\n"},
      {"refused, then accepted", "x\ny\n", "y", "P: Invalid entry.\nP: "},
      {"refused last line", "x", std::nullopt, "P: Invalid entry.\n"},
      {"refused, then ended", "x\n", std::nullopt, "P: Invalid entry.\nP: \n"},
  };
  for (const Case& c : cases) {
    std::istringstream in(c.input);
    std::ostringstream out;
    EXPECT_EQ(promptLine(in, out, "P: ", notX), c.line) << c.what;
    EXPECT_EQ(out.str(), c.output) << c.what;
  }
}

}  // namespace

}  // namespace hoops
