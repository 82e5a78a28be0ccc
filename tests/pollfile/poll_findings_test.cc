// What the checker finds in poll files that passed through other software, and that it finds
// nothing in one the program saved, however the bytes are fed to it.
#include "pollfile/poll_findings.h"

#include <gtest/gtest.h>

#include <istream>
#include <sstream>
#include <string>
#include <vector>

#include "poll/poll.h"
#include "pollfile/load_poll.h"
#include "system/failing_file_system.h"
#include "temp_dir.h"

namespace {

const std::string kDate = "March 28 2010\n";
const std::string kRows = "1\tRidgewater State\t24-2\t1512\t-\n2\tA\t1-2\t50\t1\n";

// The findings for `text` as "LINE: what" lines, fed in pieces of `piece` bytes.
std::string findingsOf(const std::string& text, std::size_t piece = 1 << 16) {
  PollFileChecker checker;
  for (std::size_t at = 0; at < text.size(); at += piece) {
    checker.feed(std::string_view(text).substr(at, piece));
  }
  std::string lines;
  for (const Finding& f : checker.finish())
    lines += std::to_string(f.line) + ": " + f.text() + "\n";
  return lines;
}

TEST(PollFindingsTest, EachKindOnceWithItsFirstLine) {
  const std::string quoted = "a field in double quotes; the quotes are read as part of it";
  const std::string notARow =
      "a row not in the form position, name, wins-losses, votes, last week, separated by tabs";
  const std::string notADate =
      "the first line is not a poll date; it is kept as it is and does not move on a week";
  struct Case {
    std::string text;
    std::string findings;
  };
  const Case cases[] = {
      {kDate + kRows, ""},
      {"September 30 2010\r\n1\tA\t1-2\t3\t-\r\n\r\n", ""},  // CR LF and empty lines load the same
      {"\xEF\xBB\xBF" + kDate + "1\tA\t1-2\t3\t-\t\t\n", ""},
      {kDate + "1\t\"Ridgewater State\"\t\"24-2\"\t1512\t-\n2\t\"B\"\t1-2\t3\t-\n",
       "2: " + quoted + " (and 1 more line)\n"},
      {"03/09/25\n" + kRows, "1: " + notADate + "\n"},
      {"\"March 28 2010\"\n" + kRows, "1: " + notADate + "\n"},
      {"March 32 2010\n" + kRows, "1: " + notADate + "\n"},
      {kDate + "Rank\tTeam\tRecord\tVotes\tLast week\n" + kRows,
       "2: a header row; it is read as a team\n"},
      {kDate + "\n" + kRows,
       "2: an empty line after the date; the first row is read out of step\n"},
      {kDate + "1,Ridgewater State,24-2,1512,-\n", "2: commas where tabs belong\n"},
      {kDate + "1\tA\t1-2\t2.147E+09\t-\n2\tB\t24-Feb\t5\t-\n3\tC\t1-2\t1,512\t-\n",
       "2: " + notARow + " (and 2 more lines)\n"},
      {kDate + "1\tA\t1-2\t99999999999\t-\n", "2: " + notARow + "\n"},
      {kDate + "1\tA\t1-2\t0\t-\n2\tB\t1-2\t5\t1\n3\tC\t0-0\t0\t2\n",
       "2: a team with 0 votes; the ranking drops it (and 1 more line)\n"},
      {"03/09/25\n1\t\"A\"\t1-2\t3\t-\n2\tB\t1-2\t0\t-\n",
       "1: " + notADate + "\n2: " + quoted + "\n3: a team with 0 votes; the ranking drops it\n"},
      {std::string("\xFF\xFEM\0a\0r\0", 8),
       "1: UTF-16 text (or NUL bytes): a poll file is plain "
       "text; save it as text or UTF-8\n"},
      {kDate + "1\tA" + std::string(9000, 'a') + "\n", "2: " + notARow + "\n"},
  };
  TempDir dir;
  for (const Case& c : cases) {
    // A load says the same, whether it looks again or not.
    writeFile(dir.file("poll.txt"), c.text);
    Poll poll;
    std::vector<Finding> loaded;
    ASSERT_TRUE(loadPollFile(poll, dir.file("poll.txt"), nullptr, &loaded));
    std::string said;
    for (const Finding& f : loaded) said += std::to_string(f.line) + ": " + f.text() + "\n";
    EXPECT_EQ(said, c.findings) << c.text.substr(0, 60);
    for (std::size_t piece : {std::size_t{1} << 16, std::size_t{1}, std::size_t{7}}) {
      EXPECT_EQ(findingsOf(c.text, piece), c.findings)
          << c.text.substr(0, 60) << " in pieces of " << piece;
    }
  }
}

// A load reads a file once, and a second time, line by line, only when what it read is not
// what a saved file gives.
TEST(PollFindingsTest, ALoadCountsLinesAndLooksCloserOnlyWhenItMust) {
  TempDir dir;
  const std::string path = dir.file("poll.txt");
  for (const auto& [text, again] : std::vector<std::pair<std::string, bool>>{
           {kDate + kRows, false},
           {kDate + kRows.substr(0, kRows.size() - 1), false},  // no line end at the end
           {kDate + kRows + "\n", true},                        // an empty line more
           {kDate + "1\tA\t1-2\t2147483647\t-\n", true},        // a count at its cap
           {kDate + "01\tA\t1 2\t3\t-\n", false},               // loads as meant
       }) {
    writeFile(path, text);
    FailingFileSystem files(0);
    bool rewound = false;
    files.onCall = [&](const std::string& call) { rewound = rewound || call == "rewind"; };
    Poll poll;
    std::vector<Finding> findings;
    ASSERT_TRUE(loadPollFile(poll, path, nullptr, &findings, files));
    EXPECT_EQ(rewound, again) << text;
    EXPECT_TRUE(findings.empty()) << text;
  }
}

}  // namespace
