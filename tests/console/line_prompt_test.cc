#include "console/line_prompt.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(PromptLineTest, ReadsWholeLinesAndStopsAtTheEnd) {
  struct Case {
    const char* input;
    std::optional<std::string> line;
    const char* output;
  };
  const Case cases[] = {
      {"  spaced  out \nnext\n", "  spaced  out ", "P: "},
      {"\n", "", "P: "},
      {"no line break", "no line break", "P: "},
      {"", std::nullopt, "P: \n"},
  };
  for (const Case& c : cases) {
    std::istringstream in(c.input);
    std::ostringstream out;
    EXPECT_EQ(promptLine(in, out, "P: "), c.line) << '"' << c.input << '"';
    EXPECT_EQ(out.str(), c.output);
  }
}

}  // namespace
