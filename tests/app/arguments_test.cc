// The command line read into its typed value: every mistake refused with its own words, and no
// sequence of arguments that gets past the reading leaves a mode without what it needs.
#include "app/arguments.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace hoops {

namespace {

using Mode = CommandLine::Mode;
using Parsed = std::variant<CommandLine, ArgumentError>;

Parsed parse(const std::vector<const char*>& arguments) {
  return parseArguments(static_cast<int>(arguments.size()), arguments.data());
}

TEST(ArgumentsTest, EachModeWithItsOptions) {
  const Parsed dialogue = parse({});
  ASSERT_TRUE(std::holds_alternative<CommandLine>(dialogue));
  EXPECT_EQ(std::get<CommandLine>(dialogue).mode, Mode::kDialogue);

  const Parsed tally = parse({"--output=w13.txt", "--tally", "w12.txt", "a.csv", "-", "--records",
                              "r.csv", "--new", "Gull Point", "--teams=teams.txt", "--new=Vale"});
  ASSERT_TRUE(std::holds_alternative<CommandLine>(tally));
  const CommandLine& t = std::get<CommandLine>(tally);
  EXPECT_EQ(t.mode, Mode::kTally);
  EXPECT_EQ(t.files, (std::vector<std::string>{"w12.txt", "a.csv", "-"}));
  EXPECT_EQ(t.records, "r.csv");
  EXPECT_EQ(t.roster, "teams.txt");
  EXPECT_EQ(t.newTeams, (std::vector<std::string>{"Gull Point", "Vale"}));
  EXPECT_EQ(t.output, "w13.txt");

  const Parsed publish =
      parse({"--publish", "json", "w2.txt", "--ballots", "b1", "b2", "--top=10", "w1.txt"});
  ASSERT_TRUE(std::holds_alternative<CommandLine>(publish));
  const CommandLine& p = std::get<CommandLine>(publish);
  EXPECT_EQ(p.format, Format::kJson);
  EXPECT_EQ(p.top, 10);
  EXPECT_EQ(p.files, (std::vector<std::string>{"w2.txt", "w1.txt"}));
  EXPECT_EQ(p.ballots, (std::vector<std::string>{"b1", "b2"}));
  EXPECT_FALSE(p.output);

  // After "--" every argument is a file, help included.
  const Parsed check = parse({"--check", "--", "--help", "-"});
  ASSERT_TRUE(std::holds_alternative<CommandLine>(check));
  EXPECT_EQ(std::get<CommandLine>(check).files, (std::vector<std::string>{"--help", "-"}));
  // Help before "--" wins over a mistake; an option's value is not an option.
  EXPECT_EQ(std::get<CommandLine>(parse({"--bogus", "--help"})).mode, Mode::kHelp);
  EXPECT_EQ(std::get<CommandLine>(parse({"--tally", "w", "b", "--output", "--help"})).output,
            "--help");
}

TEST(ArgumentsTest, EveryMistakeInItsOwnWords) {
  struct Case {
    std::vector<const char*> arguments;
    std::string what;
  };
  const Case cases[] = {
      {{"--"}, "'--' ends the options, but no mode was given"},
      {{"week12.txt"}, "unexpected argument 'week12.txt'"},
      {{"--bogus"}, "unexpected argument '--bogus'"},
      {{"--check", "x", "-v"}, "unexpected argument '-v'"},
      {{"--check"}, "--check needs one or more poll files"},
      {{"--check", "--"}, "--check needs one or more poll files"},
      {{"--check=x", "y"}, "option '--check' takes no value"},
      {{"--check", "x", "--tally"}, "--tally is a second mode; give one at a time"},
      {{"--tally", "w12.txt"}, "--tally needs last week's poll and one or more ballot files"},
      {{"--tally", "w", "b", "--output"}, "option '--output' needs a value"},
      {{"--tally", "w", "b", "--output", "x", "--output=y"}, "option '--output' is given twice"},
      {{"--tally", "w", "b", "--top", "3"}, "--top goes with --publish or --season"},
      {{"--ballots"}, "--ballots goes with --publish"},
      {{"--check", "x", "--records", "r"}, "--records goes with --tally or --analyze"},
      {{"--publish", "text", "w", "--new", "X"}, "--new goes with --tally or --analyze"},
      {{"--check", "x", "--teams", "t"}, "--teams goes with --tally, --analyze or --publish"},
      {{"--analyze", "text", "w"},
       "--analyze needs a format, last week's poll and one or more ballot files"},
      {{"--analyze", "markdown", "w", "b"},
       "the format 'markdown' is not one of text, csv, json, html"},
      {{"--analyze", "csv", "w", "b", "--top", "3"}, "--top goes with --publish or --season"},
      {{"--tally", "w", "b", "--title", "T"}, "--title goes with --publish or --season"},
      {{"--season", "text", "w", "--ballots", "b"}, "--ballots goes with --publish"},
      {{"--season", "svg", "w"},
       "the format 'svg' is not one of text, markdown, csv, json, html, all"},
      {{"--publish", "all", "w"}, "--publish all needs --output-dir DIR"},
      {{"--season", "text", "w", "--output-dir", "d"}, "--output-dir goes with the format all"},
      {{"--publish", "all", "w", "--output-dir", "d", "--output", "o"},
       "--output names one file; the format all writes to --output-dir"},
      {{"--publish", "csv", "w", "--feed", "https://x/"}, "--feed goes with the format all"},
      {{"--tally", "w", "b", "--teams", "t", "--teams", "u"}, "option '--teams' is given twice"},
      {{"--check", "x", "--output", "o"},
       "--output goes with --tally, --analyze, --publish or --season"},
      {{"--publish"}, "option '--publish' needs a value"},
      {{"--publish", "text"}, "--publish needs a format and one or more weeks"},
      {{"--publish=text", "w", "--publish=csv"}, "option '--publish' is given twice"},
      {{"--publish", "pdf", "w"},
       "the format 'pdf' is not one of text, markdown, csv, json, html, all"},
      {{"--publish", "text", "w", "--ballots"}, "--ballots needs one or more ballot files"},
      {{"--publish", "text", "w", "--top", "0"}, "--top takes a whole number from 1 to 2147483647"},
      {{"--publish", "text", "w", "--top=2147483648"},
       "--top takes a whole number from 1 to 2147483647"},
      {{"--publish", "text", "w", "--top", "+5"},
       "--top takes a whole number from 1 to 2147483647"},
  };
  for (const Case& c : cases) {
    const Parsed parsed = parse(c.arguments);
    ASSERT_TRUE(std::holds_alternative<ArgumentError>(parsed)) << c.what;
    EXPECT_EQ(std::get<ArgumentError>(parsed).what, c.what);
  }
}

// Every sequence of up to four words from the options, their values and files either is
// refused or gives a mode with every file it needs: the modes can take the value as it is.
TEST(ArgumentsTest, NoSequenceLeavesAModeWithoutItsFiles) {
  const std::array<const char*, 16> words = {
      "--",        "-",        "--check",   "--tally",     "--publish", "--publish=text",
      "text",      "--top",    "--top=",    "x",           "",          "--ballots",
      "--records", "--output", "--analyze", "--season=csv"};
  std::vector<const char*> arguments;
  std::size_t lines = 0;
  const auto visit = [&](auto& self, std::size_t depth) -> void {
    const Parsed parsed = parse(arguments);
    if (const auto* line = std::get_if<CommandLine>(&parsed)) {
      ++lines;
      switch (line->mode) {
        case Mode::kDialogue:
          EXPECT_TRUE(arguments.empty());
          break;
        case Mode::kTally:
        case Mode::kAnalyze:
          EXPECT_GE(line->files.size(), 2U);
          break;
        case Mode::kCheck:
        case Mode::kPublish:
        case Mode::kSeason:
          EXPECT_FALSE(line->files.empty());
          EXPECT_GE(line->top, 1);
          break;
        case Mode::kHelp:
        case Mode::kVersion:
          ADD_FAILURE();
      }
    } else {
      EXPECT_FALSE(std::get<ArgumentError>(parsed).what.empty());
    }
    if (depth == 4) return;
    for (const char* word : words) {
      arguments.push_back(word);
      self(self, depth + 1);
      arguments.pop_back();
    }
  };
  visit(visit, 0);
  EXPECT_GT(lines, 100U);  // the table reaches the modes, not only their refusals
}

}  // namespace

}  // namespace hoops
