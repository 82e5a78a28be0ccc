// The command line: --help and --version answer and stop; anything else is refused.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <sstream>
#include <string>
#include <vector>

#include "system/status.h"
#include "temp_dir.h"
#include "test_paths.h"

namespace hoops {

namespace {

TEST(CommandLineTest, CheckSaysWhatALoadWouldFindAndGive) {
  TempDir dir;
  const std::string saved = dir.file("saved.txt"), odd = dir.file("odd.txt");
  writeFile(saved, "March 28 2010\n1\tA\t1-2\t50\t-\n2\tB\t3-4\t40\t1\n");
  const std::string quoted = dir.file("quoted.txt");
  writeFile(odd, "03/28/10\n1\tA\t1-2\t50\t-\n2\tB\t3-4\t0\t1\n");
  writeFile(quoted, "March 28 2010\n1\t\"A\"\t\"1-2\"\t50\t-\n");
  struct Case {
    std::vector<std::string> files;
    int status;
    std::string output;
    std::string errors;
  };
  const Case cases[] = {
      {{saved}, 0, saved + ": a load gives 2 teams\n", ""},
      {{odd, quoted, saved},
       1,
       odd +
           ":1: '03/28/10' is not a poll date as this program writes dates; the poll keeps it as "
           "its date and does not move it on a week\n" +
           odd + ":3: a team with 0 votes; the ranking drops it\n" + odd +
           ": a load gives 1 team\n" + quoted +
           ":2: a field in double quotes; export the file without quoting text\n" + quoted +
           ": not loaded: change what the lines above say\n" + saved + ": a load gives 2 teams\n",
       ""},
      {{dir.file("missing.txt"), saved},
       2,
       saved + ": a load gives 2 teams\n",
       "hoops-ranking: cannot open '" + dir.file("missing.txt") + "': " + errorText(ENOENT) + "\n"},
  };
  for (const Case& c : cases) {
    std::vector<const char*> arguments = {"--check"};
    for (const std::string& file : c.files) arguments.push_back(file.c_str());
    std::ostringstream out, err;
    EXPECT_EQ(answerArguments(static_cast<int>(arguments.size()), arguments.data(), out, err),
              c.status);
    EXPECT_EQ(out.str(), c.output);
    EXPECT_EQ(err.str(), c.errors);
  }
}

// The GNU conventions: -h, help and version anywhere before "--" answer at once; after "--"
// every argument is a file; anything else is refused with a hint.
TEST(CommandLineTest, AnswersHelpAndVersionAndRefusesTheRest) {
  struct Case {
    std::vector<const char*> arguments;
    std::optional<int> status;
    std::string outputStart;
    std::string errors;
  };
  const std::string usage = "Usage: hoops-ranking [OPTION]...\n";
  const std::string version =
      "hoops-ranking " HOOPS_VERSION "\nCopyright (C) 2026 The hoops-ranking authors\nLicense MIT";
  const std::string refused = "'\nTry 'hoops-ranking --help'.\n";
  const std::string needsFiles =
      "hoops-ranking: --check needs one or more poll files\nTry 'hoops-ranking --help'.\n";
  const Case cases[] = {
      {{}, std::nullopt, "", ""},
      {{"--help"}, 0, usage, ""},
      {{"-h"}, 0, usage, ""},
      {{"--check", "x", "--help"}, 0, usage, ""},
      {{"--version"}, 0, version, ""},
      {{"--check"}, 2, "", needsFiles},
      {{"--check", "--"}, 2, "", needsFiles},
      {{"--bogus"}, 2, "", "hoops-ranking: unexpected argument '--bogus" + refused},
      {{"--"},
       2,
       "",
       "hoops-ranking: '--' ends the options, but no mode was given" + refused.substr(1)},
      {{"--check", "x", "-v"}, 2, "", "hoops-ranking: unexpected argument '-v" + refused},
      {{"week12.txt"}, 2, "", "hoops-ranking: unexpected argument 'week12.txt" + refused},
      {{"--check", "--", "--help"},
       2,
       "",
       "hoops-ranking: cannot open '--help': " + errorText(ENOENT) + "\n"},
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
  std::ostringstream out, err;
  const char* help[] = {"--help"};
  answerArguments(1, help, out, err);
  EXPECT_EQ(out.str().substr(out.str().rfind("Report bugs to: ")),
            "Report bugs to: <" HOOPS_BUG_ADDRESS ">\n");
}

}  // namespace

}  // namespace hoops
