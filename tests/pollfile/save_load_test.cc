// Poll files saved and loaded again.
#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "failing_streambuf.h"
#include "make_team.h"
#include "poll/poll.h"
#include "pollfile/load_poll.h"
#include "pollfile/poll_writer.h"
#include "pollfile/save_poll.h"
#include "system/failing_file_system.h"
#include "temp_dir.h"

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
    {dir.file("missing.txt"), realFileSystem(), "No such file or directory"},
    {dir.file(""), realFileSystem(), "Is a directory"},
    {"", realFileSystem(), "No such file or directory"},
#if !defined(_WIN32)
    {"/dev/null", realFileSystem(), "not a regular file"},
    {dir.file("fifo"), realFileSystem(), "not a regular file"},  // no writer: never waited for
#endif
    {dir.file("poll.txt") + std::string("\0x", 2), realFileSystem(),
     "a path cannot hold a NUL byte"},
    {dir.file("poll.txt"), failedRead, "Input/output error"},
  };
  for (const Case& c : cases) {
    Poll poll = twoTeamPoll();
    poll.removeTeamAt(1);
    std::string reason;
    EXPECT_FALSE(loadPollFile(poll, c.path, &reason, nullptr, c.files)) << c.path;
    EXPECT_EQ(reason, c.reason) << c.path;
    EXPECT_STREQ(poll.date, "March 28 2010");
    EXPECT_EQ(poll.teamCount(), 1u);
  }
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
