// Saving replaces a poll file whole or not at all, whatever call of the file layer fails.
#include "pollfile/save_poll.h"

#include <grp.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
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

// Acts as the ordinary user nobody, a member of group 4242 too, while it lives: tests run as
// root in CI.
class AsNobody {
 public:
  AsNobody() {
    const gid_t groups[] = {4242};
    ok_ = setgroups(1, groups) == 0 && setegid(65534) == 0 && seteuid(65534) == 0;
  }
  ~AsNobody() {
    if (seteuid(0) != 0 || setegid(0) != 0 || setgroups(0, nullptr) != 0) std::abort();
  }
  AsNobody(const AsNobody&) = delete;
  AsNobody& operator=(const AsNobody&) = delete;
  bool ok() const { return ok_; }

 private:
  bool ok_;
};

TEST(SavePollTest, AnOrdinaryUserReplacesOnlyWhatHeMayWrite) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  TempDir dir;
  const Poll poll = largePoll();
  const std::string shared = dir.file("shared");
  const std::string hidden = dir.file("hidden");  // write and search, no read
  ASSERT_EQ(chmod(dir.file("").c_str(), 0755), 0);
  ASSERT_EQ(mkdir(shared.c_str(), 0775), 0);
  ASSERT_EQ(mkdir(hidden.c_str(), 0300), 0);
  ASSERT_EQ(chmod(shared.c_str(), 0775), 0);  // whatever the umask
  ASSERT_EQ(chown(shared.c_str(), 0, 4242), 0);
  ASSERT_EQ(chown(hidden.c_str(), 65534, 65534), 0);
  struct File {
    std::string name;
    mode_t mode;
    gid_t group;
  };
  const File files[] = {{"root.txt", 0644, 0}, {"own.txt", 0444, 65534}, {"group.txt", 0664, 4242}};
  for (const File& f : files) {
    writeFile(shared + "/" + f.name, "old\n");
    ASSERT_EQ(chmod((shared + "/" + f.name).c_str(), f.mode), 0);
    ASSERT_EQ(chown((shared + "/" + f.name).c_str(), f.group == 65534 ? 65534 : 0, f.group), 0);
  }
  std::string rootReason;
  bool root = false, own = false, group = false, inHidden = false;
  {
    AsNobody nobody;
    ASSERT_TRUE(nobody.ok());
    root = savePoll(poll, shared + "/root.txt", &rootReason);
    own = savePoll(poll, shared + "/own.txt");
    group = savePoll(poll, shared + "/group.txt");
    inHidden = savePoll(poll, hidden + "/new.txt");
  }
  EXPECT_FALSE(root);
  EXPECT_EQ(rootReason, "Permission denied");
  EXPECT_FALSE(own);
  EXPECT_EQ(readFile(shared + "/root.txt"), "old\n");
  EXPECT_EQ(readFile(shared + "/own.txt"), "old\n");
  EXPECT_EQ(filesIn(shared), 3u);
  // The group is kept where the owner cannot be; the directory that cannot be read is still
  // saved into, without the sync of its names.
  EXPECT_TRUE(group);
  struct stat info {};
  ASSERT_EQ(stat((shared + "/group.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_gid, 4242u);
  EXPECT_EQ(info.st_mode & 07777, 0664u);
  EXPECT_TRUE(inHidden);
  EXPECT_TRUE(readFile(hidden + "/new.txt") == fileText(poll));
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
