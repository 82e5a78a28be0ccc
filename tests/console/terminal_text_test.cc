// What reaches a terminal: control characters as '?', everything else as it was written.
#include "console/terminal_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace hoops {

namespace {

TEST(TerminalTextTest, ControlCharactersAreShownAsQuestionMarks) {
  const struct {
    std::vector<std::string> writes;
    std::string shown;
  } cases[] = {
      {{"Evil\x1b]0;PWNED\x07 \x1b[2J"}, "Evil?]0;PWNED? ?[2J"},
      {{"a\tb\nc\rd\x7f"}, "a\tb\nc?d?"},
      {{"Jos\xC3\xA9 \xC2\xA0 \xC2\x85 \xC2\x9B"}, "Jos\xC3\xA9 \xC2\xA0 ? ?"},
      {{"split \xC2", "\x9B", "[2J"}, "split ?[2J"},  // a C1 cut between two writes
      {{"kept \xC2", "\xA9"}, "kept \xC2\xA9"},
      {{"last \xC2"}, "last \xC2"},  // held, then let go with the buffer
  };
  for (const auto& c : cases) {
    std::ostringstream terminal;
    {
      TerminalTextBuffer buffer(terminal.rdbuf());
      std::ostream out(&buffer);
      for (const std::string& write : c.writes) out << write << std::flush;
    }
    EXPECT_EQ(terminal.str(), c.shown);
  }
}

}  // namespace

}  // namespace hoops
