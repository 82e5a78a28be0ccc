// Saves where POSIX files can be made to fail: permissions, links, devices, other users and
// a full disk.
#include "pollfile/save_poll.h"

#include <gtest/gtest.h>

#if defined(_WIN32)

TEST(SavePollPosixTest, NeedsPosixFiles) {
  GTEST_SKIP() << "needs POSIX permissions, symbolic links, devices, users and mounts";
}

#else

#include <grp.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "pollfile/save_test_polls.h"
#include "temp_dir.h"

namespace {

TEST(SavePollPosixTest, KeepsPermissionsAndSymbolicLinks) {
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

TEST(SavePollPosixTest, FailuresSayWhy) {
  TempDir dir;
  const Poll poll = largePoll();
  writeFile(dir.file("old.txt"), "old\n");
  ASSERT_EQ(symlink("loop", dir.file("loop").c_str()), 0);
  const std::pair<std::string, std::string> cases[] = {
      {dir.file("loop"), "Too many levels of symbolic links"},
      {dir.file("old.txt") + "/x", "Not a directory"},
      {"/dev/full", "No space left on device"},
  };
  for (const auto& [path, why] : cases) {
    std::string reason;
    EXPECT_FALSE(savePoll(poll, path, &reason)) << path;
    EXPECT_EQ(reason, why) << path;
  }
  EXPECT_EQ(readFile(dir.file("old.txt")), "old\n");
  EXPECT_EQ(filesIn(dir.file("")), 2u);
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

TEST(SavePollPosixTest, AnOrdinaryUserReplacesOnlyWhatHeMayWrite) {
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
TEST(SavePollPosixTest, AFullDiskLeavesTheOldFileWhole) {
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

#endif  // _WIN32
