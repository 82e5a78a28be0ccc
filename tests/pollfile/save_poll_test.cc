// Saving replaces a poll file whole or not at all, whatever call of the file layer fails.
#include "pollfile/save_poll.h"

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>

#include "failing_file_system.h"
#include "temp_dir.h"

namespace {

// A poll whose file takes several writes of the file layer.
Poll largePoll() {
  Poll poll;
  std::strcpy(poll.date, "April 4 2010");
  for (int i = 1; i <= 6000; ++i) {
    Team team;
    team.name = "Team number " + std::to_string(i) + " of a long conference";
    team.votes = 10000 - i;
    poll.appendTeam(team);
  }
  return poll;
}

std::string fileText(const Poll& poll) {
  std::ostringstream out;
  writePollFile(out, poll);
  return out.str();
}

std::size_t filesIn(const std::string& directory) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory)) ++count;
  return count;
}

TEST(SavePollTest, AFailureAtAnyCallLeavesTheOldFileWhole) {
  const Poll poll = largePoll();
  const std::string expected = fileText(poll);
  for (bool existed : {true, false}) {
    for (int failAt = 1;; ++failAt) {
      SCOPED_TRACE((existed ? "over a file, failing call " : "new file, failing call ") +
                   std::to_string(failAt));
      TempDir dir;
      const std::string path = dir.file("poll.txt");
      if (existed) writeFile(path, "March 28 2010\n1\tOld\t1-2\t3\t-\n");
      const std::string before = readFile(path);
      FailingFileSystem files(failAt);
      const bool saved = savePoll(poll, path, files);
      if (files.failed().empty()) {
        EXPECT_TRUE(saved);
        EXPECT_EQ(readFile(path), expected);
        EXPECT_GT(failAt, 5);  // temporary, mode, writes, sync, close, rename, directory sync
        break;
      }
      if (existed && files.failed() == "createTemporary") {
        EXPECT_TRUE(saved);  // no file beside it: written in place instead
        EXPECT_EQ(readFile(path), expected);
        continue;
      }
      EXPECT_FALSE(saved) << files.failed();
      EXPECT_EQ(filesIn(dir.file("")), existed || files.failed() == "syncDirectory" ? 1u : 0u)
          << "a temporary file was left behind after " << files.failed();
      if (files.failed() == "syncDirectory") {
        EXPECT_EQ(readFile(path), expected);  // renamed already, but not known to be durable
      } else {
        EXPECT_EQ(readFile(path), before) << files.failed();
      }
    }
  }
}

TEST(SavePollTest, KeepsPermissionsAndSymbolicLinks) {
  TempDir dir;
  const Poll poll = largePoll();
  const std::string file = dir.file("private.txt");
  writeFile(file, "old\n");
  ASSERT_EQ(chmod(file.c_str(), 0600), 0);
  ASSERT_EQ(symlink("private.txt", dir.file("link.txt").c_str()), 0);
  ASSERT_TRUE(savePoll(poll, dir.file("link.txt")));
  struct stat info {};
  ASSERT_EQ(lstat(dir.file("link.txt").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  ASSERT_EQ(stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  EXPECT_EQ(readFile(file), fileText(poll));

  const mode_t mask = umask(022);
  ASSERT_TRUE(savePoll(poll, dir.file("new.txt")));
  umask(mask);
  ASSERT_EQ(stat(dir.file("new.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0644u);
}

TEST(SavePollTest, WritesInPlaceWhereNoFileCanBeMadeBesideIt) {
  TempDir dir;
  const Poll poll = largePoll();
  writeFile(dir.file("old.txt"), "old\n");
  // Call 1 is the temporary file: as in a directory the process may not write to.
  FailingFileSystem noTemporary(1);
  EXPECT_TRUE(savePoll(poll, dir.file("old.txt"), noTemporary));
  EXPECT_EQ(readFile(dir.file("old.txt")), fileText(poll));
  FailingFileSystem noTemporaryForANewFile(1);
  EXPECT_FALSE(savePoll(poll, dir.file("new.txt"), noTemporaryForANewFile));
  EXPECT_EQ(filesIn(dir.file("")), 1u);
}

TEST(SavePollTest, DevicesAreWrittenInPlaceAndTheirErrorsReported) {
  TempDir dir;
  const Poll poll = largePoll();
  EXPECT_TRUE(savePoll(poll, "/dev/null"));
  EXPECT_FALSE(savePoll(poll, "/dev/full"));
  EXPECT_FALSE(savePoll(poll, dir.file("no/such/dir/poll.txt")));
  EXPECT_FALSE(savePoll(poll, dir.file("")));  // a directory
  EXPECT_FALSE(savePoll(poll, ""));
}

// A real full disk: a 64 KiB file system holding last week's file. Needs root and mount.
TEST(SavePollTest, AFullDiskLeavesTheOldFileWhole) {
  TempDir dir;
  const std::string disk = dir.file("disk");
  std::filesystem::create_directory(disk);
  if (geteuid() != 0 || mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "needs root and a tmpfs mount";
  }
  const std::string path = disk + "/poll.txt";
  Poll small;
  std::strcpy(small.date, "March 28 2010");
  Team team;
  team.name = "Small";
  team.votes = 5;
  small.appendTeam(team);
  ASSERT_TRUE(savePoll(small, path));
  const std::string before = readFile(path);
  EXPECT_FALSE(savePoll(largePoll(), path));  // about 280 KiB
  EXPECT_EQ(readFile(path), before);
  EXPECT_EQ(filesIn(disk), 1u);
  umount(disk.c_str());
}

}  // namespace
