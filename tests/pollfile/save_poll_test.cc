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

#include "pollfile/poll_writer.h"
#include "system/failing_file_system.h"
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
      std::string reason;
      const bool saved = savePoll(poll, path, &reason, files);
      const std::string& failed = files.failed();
      if (failed.empty()) {
        EXPECT_TRUE(saved);
        EXPECT_EQ(readFile(path), expected);
        EXPECT_GT(failAt, 6);  // temporary, mode, writes, sync, close, directory, rename, sync
        break;
      }
      if (saved) {
        // Without the directory opened its names go unsynced, but the rename is still atomic;
        // the directory's close comes last, after its sync.
        EXPECT_TRUE(failed == "openDirectory" || (failed == "close" && files.calls() == failAt))
            << failed;
        EXPECT_EQ(readFile(path), expected);
        EXPECT_EQ(filesIn(dir.file("")), 1u);
        continue;
      }
      EXPECT_NE(reason.find("Input/output error"), std::string::npos) << reason;
      const bool renamed = readFile(path) == expected;  // only a failed sync of the directory
      EXPECT_EQ(filesIn(dir.file("")), existed || renamed ? 1u : 0u)
          << "a temporary file was left behind after " << failed;
      if (renamed) {
        EXPECT_EQ(reason, "saved, but not known to be on the disk: Input/output error");
      } else {
        EXPECT_EQ(readFile(path), before) << failed;
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

TEST(SavePollTest, FailuresSayWhyAndLeaveEverythingAsItWas) {
  TempDir dir;
  const Poll poll = largePoll();
  writeFile(dir.file("old.txt"), "old\n");
  ASSERT_EQ(symlink("loop", dir.file("loop").c_str()), 0);
  ASSERT_EQ(symlink("old.txt", dir.file("link.txt").c_str()), 0);
  FailingFileSystem noTemporary(1);  // as in a directory the process may not write
  struct Case {
    std::string path;
    FileSystem& files;
    std::string reason;
  };
  const Case cases[] = {
      {dir.file("old.txt"), noTemporary, "no file can be made beside it: Input/output error"},
      {dir.file("no/such/dir/poll.txt"), realFileSystem(),
       "no file can be made beside it: No such file or directory"},
      {dir.file(""), realFileSystem(), "Is a directory"},
      {dir.file("loop"), realFileSystem(), "Too many levels of symbolic links"},
      {dir.file("old.txt") + "/x", realFileSystem(), "Not a directory"},
      {std::string("old.txt\0x", 9), realFileSystem(), "a path cannot hold a NUL byte"},
      {"", realFileSystem(), "No such file or directory"},
      {"/dev/full", realFileSystem(), "No space left on device"},
  };
  for (const Case& c : cases) {
    std::string reason;
    EXPECT_FALSE(savePoll(poll, c.path, &reason, c.files)) << c.path;
    EXPECT_EQ(reason, c.reason) << c.path;
  }
  EXPECT_EQ(readFile(dir.file("old.txt")), "old\n");
  EXPECT_EQ(filesIn(dir.file("")), 3u);
  EXPECT_TRUE(savePoll(poll, "/dev/null"));
}

// The program as an ordinary user: tests run as root in CI, so they drop to nobody.
TEST(SavePollTest, AFileTheUserMayNotWriteIsNotReplaced) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  TempDir dir;
  const Poll poll = largePoll();
  ASSERT_EQ(chmod(dir.file("").c_str(), 0777), 0);
  writeFile(dir.file("root.txt"), "root's\n");
  writeFile(dir.file("own.txt"), "read-only\n");
  ASSERT_EQ(chmod(dir.file("root.txt").c_str(), 0644), 0);
  ASSERT_EQ(chmod(dir.file("own.txt").c_str(), 0444), 0);
  const gid_t group = getegid();
  ASSERT_EQ(setegid(65534), 0);
  ASSERT_EQ(seteuid(65534), 0);
  std::string rootReason;
  std::string ownReason;
  const bool rootSaved = savePoll(poll, dir.file("root.txt"), &rootReason);
  const bool ownSaved = savePoll(poll, dir.file("own.txt"), &ownReason);
  ASSERT_EQ(seteuid(0), 0);
  ASSERT_EQ(setegid(group), 0);
  EXPECT_FALSE(rootSaved);
  EXPECT_FALSE(ownSaved);
  EXPECT_EQ(rootReason, "Permission denied");
  EXPECT_EQ(readFile(dir.file("root.txt")), "root's\n");
  EXPECT_EQ(readFile(dir.file("own.txt")), "read-only\n");
  EXPECT_EQ(filesIn(dir.file("")), 2u);
}

// A real full disk: a file system with room for 64 KiB and three files, holding last week's
// file. Needs root and mount.
TEST(SavePollTest, AFullDiskLeavesTheOldFileWhole) {
  TempDir dir;
  const std::string disk = dir.file("disk");
  std::filesystem::create_directory(disk);
  if (geteuid() != 0 || mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k,nr_inodes=3") != 0) {
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
  std::string reason;
  EXPECT_FALSE(savePoll(largePoll(), path, &reason));  // about 280 KiB: no space
  EXPECT_EQ(reason, "No space left on device");
  EXPECT_EQ(readFile(path), before);
  EXPECT_EQ(filesIn(disk), 1u);
  writeFile(disk + "/filler", "x");              // the last inode (the root takes one)
  EXPECT_FALSE(savePoll(small, path, &reason));  // no inode for a file beside it
  EXPECT_EQ(reason, "no file can be made beside it: No space left on device");
  EXPECT_EQ(readFile(path), before);
  umount(disk.c_str());
}

}  // namespace
