// Poll files saved and loaded again.
#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

#include <cerrno>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "failing_streambuf.h"
#include "make_team.h"
#include "poll/poll.h"
#include "pollfile/load_poll.h"
#include "pollfile/poll_writer.h"
#include "pollfile/save_poll.h"
#include "system/failing_file_system.h"
#include "system/status.h"
#include "temp_dir.h"

namespace hoops {

namespace {

Poll twoTeamPoll() {
  Poll poll;
  setDate(poll.date, "March 28 2010");
  poll.appendTeam(team("Example Tech", 25, 3, 875, -1));
  poll.appendTeam(team("North State", 20, 8, 700, 7));
  return poll;
}

TEST(SaveLoadTest, SavesTheExactBytes) {
  TempDir dir;
  ASSERT_TRUE(savePoll(twoTeamPoll(), dir.file("poll.txt")));
  EXPECT_EQ(readFile(dir.file("poll.txt")),
            "March 28 2010\n"
            "1\tExample Tech\t25-3\t875\t-\n"
            "2\tNorth State\t20-8\t700\t7\n");
}

TEST(SaveLoadTest, SavingAnEmptyPollWritesTheDateLineAndReplacesTheFile) {
  TempDir dir;
  writeFile(dir.file("poll.txt"), std::string(1000, 'z'));
  Poll poll;
  setDate(poll.date, "May 1 2010");
  ASSERT_TRUE(savePoll(poll, dir.file("poll.txt")));
  EXPECT_EQ(readFile(dir.file("poll.txt")), "May 1 2010\n");
}

TEST(SaveLoadTest, LoadStartsANewWeek) {
  TempDir dir;
  ASSERT_TRUE(savePoll(twoTeamPoll(), dir.file("poll.txt")));
  Poll poll;
  poll.appendTeam(team("Old", 1, 1, 1, 1));
  ASSERT_TRUE(poll.loadPoll(dir.file("poll.txt")));
  EXPECT_STREQ(poll.date, "April 4 2010");
  ASSERT_EQ(poll.teamCount(), 2u);
  const Team& first = poll.teamAt(1);
  const Team& second = poll.teamAt(2);
  EXPECT_EQ(first.name, "Example Tech");
  EXPECT_EQ(first.lastWeek, 1);
  EXPECT_EQ(first.wins, 25);
  EXPECT_EQ(first.losses, 3);
  EXPECT_EQ(first.votes, 875);
  EXPECT_EQ(second.name, "North State");
  EXPECT_EQ(second.lastWeek, 2);
  EXPECT_EQ(second.votes, 700);
}

TEST(SaveLoadTest, SeptemberDatesWithCrlfLineEndsLoadTheirRows) {
  TempDir dir;
  writeFile(dir.file("crlf.txt"), "September 24 2010\r\n1\tA\t1-2\t3\t-\r\n");
  Poll poll;
  ASSERT_TRUE(poll.loadPoll(dir.file("crlf.txt")));
  EXPECT_STREQ(poll.date, "October 1 2010");
  ASSERT_EQ(poll.teamCount(), 1u);
  EXPECT_EQ(poll.teamAt(1).name, "A");
}

TEST(SaveLoadTest, FailedLoadsSayWhyAndLeaveThePollAsItWas) {
  TempDir dir;
  ASSERT_TRUE(savePoll(twoTeamPoll(), dir.file("poll.txt")));
#if !defined(_WIN32)
  ASSERT_EQ(mkfifo(dir.file("fifo").c_str(), 0600), 0);
#endif
  FailingFileSystem failedRead(2);  // the open succeeds, the first read fails
  struct Case {
    std::string path;
    FileSystem& files;
    std::string reason;
  };
  const Case cases[] = {
    {dir.file("missing.txt"), realFileSystem(), errorText(ENOENT)},
    {dir.file(""), realFileSystem(), errorText(EISDIR)},
    {"", realFileSystem(), errorText(ENOENT)},
#if !defined(_WIN32)
    {"/dev/null", realFileSystem(), "not a regular file"},
    {dir.file("fifo"), realFileSystem(), "not a regular file"},  // no writer: never waited for
#endif
    {dir.file("poll.txt") + std::string("\0x", 2), realFileSystem(),
     "a path cannot hold a NUL byte"},
    {dir.file("poll.txt"), failedRead, errorText(EIO)},
  };
  for (const Case& c : cases) {
    Poll poll = twoTeamPoll();
    poll.removeTeamAt(1);
    std::string reason;
    EXPECT_EQ(loadPollFile(poll, c.path, &reason, nullptr, c.files), LoadOutcome::kFailed)
        << c.path;
    EXPECT_EQ(reason, c.reason) << c.path;
    EXPECT_STREQ(poll.date, "March 28 2010");
    EXPECT_EQ(poll.teamCount(), 1u);
  }
}

// A load goes ahead only for a file in the poll file's form, and then says what it did with a
// first line that is not a poll date; any other file leaves the poll as it was.
TEST(SaveLoadTest, ALoadTellsWhatItDidOrRefusesAndChangesNothing) {
  TempDir dir;
  const std::string rows = "1\tA\t1-2\t3\t-\n";
  const struct {
    std::string text;
    LoadOutcome outcome;
    std::string date;  // after the load
    std::string findings;
  } cases[] = {
      {"March 28 2010\n" + rows, LoadOutcome::kLoaded, "April 4 2010", ""},
      {"March 02 2025\n" + rows, LoadOutcome::kLoaded, "March 9 2025",
       "1: 'March 02 2025' is not a poll date as this program writes dates; the poll's date is "
       "now March 9 2025\n"},
      {"AP Poll\x1b[2J\n" + rows, LoadOutcome::kLoaded, "AP Poll\x1b[2J",
       "1: 'AP Poll?[2J' is not a poll date as this program writes dates; the poll keeps it as "
       "its date and does not move it on a week\n"},
      {"AP Poll - March 2 2025\n" + rows, LoadOutcome::kRefused, "March 28 2010",
       "1: the first line is longer than a poll date; put the date alone on it, as March 2 "
       "2025\n"},
  };
  for (const auto& c : cases) {
    writeFile(dir.file("poll.txt"), c.text);
    Poll poll = twoTeamPoll();
    std::string reason;
    std::vector<Finding> findings;
    EXPECT_EQ(loadPollFile(poll, dir.file("poll.txt"), &reason, &findings), c.outcome) << c.text;
    EXPECT_EQ(poll.date, c.date);
    EXPECT_EQ(poll.teamCount(), c.outcome == LoadOutcome::kLoaded ? 1u : 2u);
    std::string said;
    for (const Finding& f : findings) said += std::to_string(f.line) + ": " + f.text() + "\n";
    EXPECT_EQ(said, c.findings);
    if (c.outcome == LoadOutcome::kRefused) {
      EXPECT_EQ(reason,
                "it is not a poll file as this program writes them; the lines above say what to "
                "change (see \"From a spreadsheet\" in the README)");
    }
  }
  // A poll every team of which has 0 votes is said to be empty.
  writeFile(dir.file("none.txt"), "March 28 2010\n1\tA\t1-2\t0\t-\n2\tB\t1-2\t0\t-\n");
  Poll poll;
  std::vector<std::string> notes;
  ASSERT_TRUE(poll.loadPoll(dir.file("none.txt"), nullptr, &notes));
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[1], dir.file("none.txt") + ": no team is left: every team has 0 votes");
}

// A file of a terabyte that is nearly all holes: refused at its first block, not read for ever.
TEST(SaveLoadTest, ASparseFileIsRefusedAtOnce) {
  TempDir dir;
  const std::string path = dir.file("sparse.txt");
  writeFile(path, "March 28 2010\n1\tA");
  std::error_code error;
  std::filesystem::resize_file(path, std::uintmax_t{1} << 40, error);
  if (error) GTEST_SKIP() << "the file system here keeps no sparse terabyte: " << error.message();
  Poll poll;
  std::vector<Finding> findings;
  EXPECT_EQ(loadPollFile(poll, path, nullptr, &findings), LoadOutcome::kRefused);
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].line, 2u);
  std::filesystem::remove(path);
}

TEST(SaveLoadTest, AWriteErrorIsReported) {
  const Poll poll = twoTeamPoll();
  FailingStreambuf failing("", 1);
  std::ostream out(&failing);
  EXPECT_FALSE(writePollFile(out, poll));
}

TEST(SaveLoadTest, LargePollsAndLongNamesAreSavedIntact) {
  TempDir dir;
  Poll poll;
  setDate(poll.date, "May 1 2010");
  std::string expected = "May 1 2010\n";
  for (int i = 1; i <= 5000; ++i) {
    std::string name =
        "School " + std::to_string(i) + std::string(static_cast<size_t>(i % 40), 'q');
    poll.appendTeam(team(name, i, i + 1, 10000 - i, -1));
    expected += std::to_string(i) + "\t" + name + "\t" + std::to_string(i) + "-" +
                std::to_string(i + 1) + "\t" + std::to_string(10000 - i) + "\t-\n";
  }
  poll.appendTeam(team(std::string(100000, 'L'), 1, 2, 3, 4));
  expected += "5001\t" + std::string(100000, 'L') + "\t1-2\t3\t4\n";
  ASSERT_TRUE(savePoll(poll, dir.file("big.txt")));
  EXPECT_EQ(readFile(dir.file("big.txt")), expected);
}

}  // namespace

}  // namespace hoops
