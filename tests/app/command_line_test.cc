// The command line: --help and --version answer and stop; anything else is refused.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

TEST(CommandLineTest, AnswersTheTwoOptionsAndRefusesTheRest) {
  struct Case {
    std::vector<const char*> arguments;
    std::optional<int> status;
    std::string outputStart;
    std::string errors;
  };
  const std::string refused = "'\nTry 'hoops-ranking --help'.\n";
  const Case cases[] = {
      {{}, std::nullopt, "", ""},
      {{"--help"}, 0, "Usage: hoops-ranking [--help | --version]\n", ""},
      {{"--version"}, 0, "hoops-ranking " HOOPS_VERSION "\n", ""},
      {{"-h"}, 2, "", "hoops-ranking: unexpected argument '-h" + refused},
      {{"--bogus"}, 2, "", "hoops-ranking: unexpected argument '--bogus" + refused},
      {{"week12.txt"}, 2, "", "hoops-ranking: unexpected argument 'week12.txt" + refused},
      {{"--help", "extra"}, 2, "", "hoops-ranking: unexpected argument 'extra" + refused},
  };
  for (const Case& c : cases) {
    std::ostringstream out;
    std::ostringstream err;
    const auto count = static_cast<int>(c.arguments.size());
    EXPECT_EQ(answerArguments(count, c.arguments.data(), out, err), c.status) << c.errors;
    // Only the options write to standard output.
    EXPECT_EQ(out.str().substr(0, c.outputStart.size()), c.outputStart);
    EXPECT_EQ(out.str().empty(), c.outputStart.empty());
    EXPECT_EQ(err.str(), c.errors);
  }
}

}  // namespace
