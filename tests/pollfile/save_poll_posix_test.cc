// Saves where POSIX files can be made to fail: permissions, links, devices, other users and
// a full disk.
#include "pollfile/save_poll.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#if defined(__linux__)
#include <linux/fs.h>
#include <sys/mount.h>
#include <sys/xattr.h>
#endif

#include "make_team.h"
#include "pollfile/save_test_polls.h"
#include "system/failing_file_system.h"
#include "system/status.h"
#include "temp_dir.h"

namespace hoops {

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
      {dir.file("loop"), errorText(ELOOP)},
      {dir.file("old.txt") + "/x", errorText(ENOTDIR)},
      {"/dev/full", errorText(ENOSPC)},
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

// Acts as an ordinary user (nobody, a member of group 4242 too, unless told) while it lives:
// tests run as root in CI.
class AsNobody {
 public:
  explicit AsNobody(uid_t user = 65534, gid_t group = 65534) {
    const gid_t groups[] = {4242};
    ok_ = setgroups(1, groups) == 0 && setegid(group) == 0 && seteuid(user) == 0;
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
  std::vector<std::string> hiddenNotes;
  {
    AsNobody nobody;
    ASSERT_TRUE(nobody.ok());
    root = savePoll(poll, shared + "/root.txt", &rootReason);
    own = savePoll(poll, shared + "/own.txt");
    group = savePoll(poll, shared + "/group.txt");
    inHidden = savePoll(poll, hidden + "/new.txt", nullptr, &hiddenNotes);
  }
  EXPECT_FALSE(root);
  EXPECT_EQ(rootReason, errorText(EACCES));
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
  EXPECT_EQ(hiddenNotes, std::vector<std::string>{"'" + hidden +
                                                  "/new.txt' is saved, but its "
                                                  "folder could not be synced: " +
                                                  errorText(EACCES)});
}

// A real full disk: a file system with room for 64 KiB and three files, holding last week's
// file. Needs root and mount.
TEST(SavePollPosixTest, AFullDiskLeavesTheOldFileWhole) {
#if !defined(__linux__)
  GTEST_SKIP() << "mounts a tmpfs the Linux way";
#else
  TempDir dir;
  const std::string disk = dir.file("disk");
  std::filesystem::create_directory(disk);
  if (geteuid() != 0 || mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k,nr_inodes=3") != 0) {
    GTEST_SKIP() << "needs root and a tmpfs mount";
  }
  const std::string path = disk + "/poll.txt";
  Poll small;
  setDate(small.date, "March 28 2010");
  Team team;
  team.name = "Small";
  team.votes = 5;
  small.appendTeam(team);
  ASSERT_TRUE(savePoll(small, path));
  const std::string before = readFile(path);
  std::string reason;
  EXPECT_FALSE(savePoll(largePoll(), path, &reason));  // about 280 KiB: no space
  EXPECT_EQ(reason, errorText(ENOSPC));
  EXPECT_EQ(readFile(path), before);
  EXPECT_EQ(filesIn(disk), 1u);
  writeFile(disk + "/filler", "x");              // the last inode (the root takes one)
  EXPECT_FALSE(savePoll(small, path, &reason));  // no inode for a file beside it
  EXPECT_EQ(reason, "no file can be made beside it: " + errorText(ENOSPC));
  EXPECT_EQ(readFile(path), before);
  umount(disk.c_str());
#endif
}

TEST(SavePollPosixTest, HeldSignalsWaitUntilTheSaveIsOver) {
  static volatile sig_atomic_t arrived = 0;
  struct sigaction action {};
  action.sa_handler = [](int) { arrived = 1; };
  struct sigaction previous {};
  ASSERT_EQ(sigaction(SIGUSR1, &action, &previous), 0);
  TempDir dir;
  FailingFileSystem files(0);
  bool heldAtWrite = false;
  files.onCall = [&](const std::string& call) {
    if (call != "write" || heldAtWrite) return;
    raise(SIGUSR1);
    heldAtWrite = arrived == 0;
  };
  EXPECT_TRUE(savePoll(largePoll(), dir.file("poll.txt"), nullptr, nullptr, files));
  EXPECT_TRUE(heldAtWrite);
  EXPECT_EQ(arrived, 1);
  sigaction(SIGUSR1, &previous, nullptr);
}

TEST(SavePollPosixTest, AFileReplacedWhileBeingSavedIsLeftAlone) {
  for (bool existed : {true, false}) {
    TempDir dir;
    const std::string path = dir.file("poll.txt");
    if (existed) writeFile(path, "old\n");
    writeFile(dir.file("other.txt"), "other\n");
    FailingFileSystem files(0);
    files.onCall = [&](const std::string& call) {
      if (call == "createTemporary") std::filesystem::rename(dir.file("other.txt"), path);
    };
    std::string reason;
    EXPECT_FALSE(savePoll(largePoll(), path, &reason, nullptr, files));
    EXPECT_EQ(reason, "it was replaced while being saved");
    EXPECT_EQ(readFile(path), "other\n");
    EXPECT_EQ(filesIn(dir.file("")), 1u);
  }
}

// Another user flips a name in a shared sticky folder between a file of his own and a link to
// a file he may not touch, while root saves to it. The save never gives the other file away;
// where the system protects links in sticky folders it refuses to follow his link for root,
// and the other file is never written either.
TEST(SavePollPosixTest, ALinkSwappedInByAnotherUserNeverReachesAnotherFile) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  const bool protectedLinks = readFile("/proc/sys/fs/protected_symlinks") == "1\n";
  TempDir dir;
  ASSERT_EQ(chmod(dir.file("").c_str(), 0755), 0);
  const std::string victim = dir.file("victim.txt");
  writeFile(victim, "secret\n");
  ASSERT_EQ(chmod(victim.c_str(), 0600), 0);
  const std::string shared = dir.file("shared");
  ASSERT_EQ(mkdir(shared.c_str(), 0777), 0);
  ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
  const std::string name = shared + "/poll.txt";
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(1);
    const std::string link = shared + "/link", file = shared + "/file";
    for (int i = 0; i < 1'000'000; ++i) {
      if (symlink(victim.c_str(), link.c_str()) == 0) rename(link.c_str(), name.c_str());
      if (FILE* out = std::fopen(file.c_str(), "w")) {
        std::fclose(out);
        rename(file.c_str(), name.c_str());
      }
    }
    _exit(0);
  }
  Poll poll;
  setDate(poll.date, "April 4 2010");
  struct stat info {};
  while (lstat(name.c_str(), &info) != 0) std::this_thread::yield();  // the flips have begun
  for (int i = 0; i < 300; ++i) savePoll(poll, name);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  ASSERT_EQ(stat(victim.c_str(), &info), 0);
  const std::string after = readFile(victim);
  if (protectedLinks) {
    EXPECT_EQ(after, "secret\n");
  } else {  // followed as the operator asked: then written whole, as the file it is
    EXPECT_TRUE(after == "secret\n" || after == fileText(poll)) << after;
  }
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  EXPECT_EQ(info.st_uid, 0u);
}

// An access control list (as the system stores it) and a user's attribute stay with the file;
// a new file in a folder with a default list gets what that list gives.
TEST(SavePollPosixTest, KeepsTheAccessListAndAttributes) {
#if !defined(__linux__)
  GTEST_SKIP() << "access lists are stored as attributes on Linux alone";
#else
  TempDir dir;
  const std::string path = dir.file("poll.txt");
  writeFile(path, "old\n");
  // Version 2; the owner rw-, user 12345 rw-, the group ---, the mask rw-, others ---.
  const auto entry = [](uint16_t tag, uint16_t permissions, uint32_t id) {
    std::string bytes(8, '\0');
    std::memcpy(&bytes[0], &tag, 2);
    std::memcpy(&bytes[2], &permissions, 2);
    std::memcpy(&bytes[4], &id, 4);
    return bytes;
  };
  const uint32_t version = 2, none = 0xffffffffu;
  std::string list(reinterpret_cast<const char*>(&version), 4);
  list += entry(0x01, 6, none) + entry(0x02, 6, 12345) + entry(0x04, 0, none) +
          entry(0x10, 6, none) + entry(0x20, 0, none);
  if (setxattr(path.c_str(), "system.posix_acl_access", list.data(), list.size(), 0) != 0 ||
      setxattr(path.c_str(), "user.comment", "week 12", 7, 0) != 0) {
    GTEST_SKIP() << "the file system here keeps no access lists or user attributes";
  }
  const auto attribute = [](const std::string& file, const char* name) {
    char value[256];
    const ssize_t size = getxattr(file.c_str(), name, value, sizeof value);
    return size < 0 ? std::string("none") : std::string(value, static_cast<std::size_t>(size));
  };
  const std::string plain = dir.file("plain.txt");
  writeFile(plain, "old\n");
  ASSERT_EQ(chmod(plain.c_str(), 0640), 0);
  ASSERT_TRUE(savePoll(largePoll(), path));
  EXPECT_EQ(attribute(path, "system.posix_acl_access"), list);
  EXPECT_EQ(attribute(path, "user.comment"), "week 12");
  EXPECT_EQ(readFile(path), fileText(largePoll()));

  std::string defaults(reinterpret_cast<const char*>(&version), 4);
  defaults += entry(0x01, 6, none) + entry(0x02, 6, 12345) + entry(0x04, 4, none) +
              entry(0x10, 6, none) + entry(0x20, 4, none);
  ASSERT_EQ(setxattr(dir.file("").c_str(), "system.posix_acl_default", defaults.data(),
                     defaults.size(), 0),
            0);
  const mode_t mask = umask(077);
  ASSERT_TRUE(savePoll(largePoll(), dir.file("new.txt")));
  umask(mask);
  const std::string given = attribute(dir.file("new.txt"), "system.posix_acl_access");
  ASSERT_EQ(given.size(), defaults.size());
  EXPECT_EQ(given.substr(28, 8), entry(0x10, 6, none));  // user 12345 keeps rw- through the mask
  // A file that had no list gets none from the folder's default: user 12345 gains nothing.
  ASSERT_TRUE(savePoll(largePoll(), plain));
  EXPECT_EQ(attribute(plain, "system.posix_acl_access"), "none");
  struct stat info {};
  ASSERT_EQ(stat(plain.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
#endif
}

TEST(SavePollPosixTest, AFolderPathNearTheSystemsLimit) {
  TempDir dir;
  // 4,080 bytes: the new file's whole path would pass the system's limit of 4,096.
  std::string folder = dir.file("f");
  while (folder.size() + 101 < 4080) folder += "/" + std::string(100, 'f');
  folder += "/" + std::string(4080 - folder.size() - 1, 'g');
  std::filesystem::create_directories(folder);
  ASSERT_TRUE(savePoll(largePoll(), folder + "/w.txt"));
  EXPECT_EQ(readFile(folder + "/w.txt"), fileText(largePoll()));
  EXPECT_EQ(filesIn(folder), 1u);
}

// Past the limit the system cannot name the open file; the save goes through the folder the
// path names, as the shell's `>` does there, and leaves nothing beside the new file.
TEST(SavePollPosixTest, AFolderPathPastTheSystemsLimit) {
  TempDir dir;
  const int here = open(".", O_RDONLY | O_DIRECTORY);
  ASSERT_GE(here, 0);
  const std::string part(200, 'd');
  ASSERT_EQ(chdir(dir.file("").c_str()), 0);
  int depth = 0;
  for (; depth < 25; ++depth) {  // 5,000 bytes below the test's folder
    ASSERT_EQ(mkdir(part.c_str(), 0700), 0);
    ASSERT_EQ(chdir(part.c_str()), 0);
  }
  std::string reason;
  const bool saved = savePoll(largePoll(), "w.txt", &reason);
  const std::string text = readFile("w.txt");
  EXPECT_EQ(unlink("w.txt"), 0);
  for (; depth > 0; --depth) {  // each folder must be empty to go: nothing was left behind
    ASSERT_EQ(chdir(".."), 0);
    EXPECT_EQ(rmdir(part.c_str()), 0) << depth;
  }
  ASSERT_EQ(fchdir(here), 0);
  close(here);
  EXPECT_TRUE(saved) << reason;
  EXPECT_EQ(text, fileText(largePoll()));
}

TEST(SavePollPosixTest, OtherNamesOfTheOldFileAreTold) {
  TempDir dir;
  writeFile(dir.file("poll.txt"), "old\n");
  ASSERT_EQ(link(dir.file("poll.txt").c_str(), dir.file("copy.txt").c_str()), 0);
  std::vector<std::string> notes;
  ASSERT_TRUE(savePoll(largePoll(), dir.file("poll.txt"), nullptr, &notes));
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0], "'" + dir.file("poll.txt") +
                          "' is saved as a new file; the 1 other name of the old file keeps "
                          "last week's poll");
  EXPECT_EQ(readFile(dir.file("copy.txt")), "old\n");
}

// In a shared sticky folder the save is refused whatever `>` would be refused: a link another
// user plants at the moment the name is opened, and another user's file.
TEST(SavePollPosixTest, TheSystemsProtectionsOfSharedFoldersHold) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  TempDir dir;
  ASSERT_EQ(chmod(dir.file("").c_str(), 0755), 0);
  const std::string shared = dir.file("shared"), victim = dir.file("victim.txt");
  ASSERT_EQ(mkdir(shared.c_str(), 0777), 0);
  ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
  const std::string theirs = shared + "/theirs.txt";
  writeFile(theirs, "theirs\n");
  ASSERT_EQ(chown(theirs.c_str(), 65534, 65534), 0);
  struct Case {
    const char* protection;
    std::string path;
    bool plantLink;
  };
  const Case cases[] = {{"protected_symlinks", shared + "/new.txt", true},
                        {"protected_regular", theirs, false}};
  for (const Case& c : cases) {
    if (readFile(std::string("/proc/sys/fs/") + c.protection) == "0\n") continue;
    FailingFileSystem files(0);
    files.onCall = [&](const std::string& call) {
      if (call != "openTarget" || !c.plantLink) return;
      AsNobody nobody;
      EXPECT_EQ(symlink(victim.c_str(), c.path.c_str()), 0);
    };
    std::string reason;
    EXPECT_FALSE(savePoll(largePoll(), c.path, &reason, nullptr, files)) << c.protection;
    EXPECT_EQ(reason, errorText(EACCES)) << c.protection;
  }
  EXPECT_FALSE(std::filesystem::exists(victim));
  EXPECT_EQ(readFile(theirs), "theirs\n");
}

// A user who may write another's file, but not give it away, saves it: the owner keeps every
// right it had through the access list, and the operator is told.
TEST(SavePollPosixTest, AnOwnerWhoCannotBeKeptKeepsItsRights) {
#if !defined(__linux__)
  GTEST_SKIP() << "access lists are written the Linux way";
#else
  if (geteuid() != 0) GTEST_SKIP() << "needs root to act as other users";
  TempDir dir;
  ASSERT_EQ(chmod(dir.file("").c_str(), 0777), 0);
  const std::string path = dir.file("alice.txt");
  writeFile(path, "old\n");
  ASSERT_EQ(chown(path.c_str(), 4321, 4321), 0);
  ASSERT_EQ(chmod(path.c_str(), 0600), 0);
  // alice rw-, nobody (65534) rw- through a named entry.
  const std::string list =
      std::string("\x02\0\0\0", 4) + std::string("\x01\0\x06\0\xff\xff\xff\xff", 8) +
      std::string("\x02\0\x06\0\xfe\xff\0\0", 8) + std::string("\x04\0\0\0\xff\xff\xff\xff", 8) +
      std::string("\x10\0\x06\0\xff\xff\xff\xff", 8) + std::string("\x20\0\0\0\xff\xff\xff\xff", 8);
  if (setxattr(path.c_str(), "system.posix_acl_access", list.data(), list.size(), 0) != 0) {
    GTEST_SKIP() << "the file system here keeps no access lists";
  }
  std::vector<std::string> notes;
  {
    AsNobody nobody;
    ASSERT_TRUE(nobody.ok());
    ASSERT_TRUE(savePoll(largePoll(), path, nullptr, &notes));
  }
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 65534u);
  const passwd* saver = getpwuid(65534);
  ASSERT_EQ(notes.size(), 2u);  // the owner, and the group the saver is not in
  EXPECT_EQ(notes[0], "'" + path + "' is saved and now owned by " +
                          (saver != nullptr ? saver->pw_name : "65534") +
                          "; 4321 keeps the rights it had through the file's access list");
  bool readAndWrite = false;
  {
    AsNobody alice(4321, 4321);
    const int fd = open(path.c_str(), O_RDWR);
    readAndWrite = fd >= 0;
    if (fd >= 0) close(fd);
  }
  EXPECT_TRUE(readAndWrite);
  EXPECT_EQ(readFile(path), fileText(largePoll()));
#endif
}

#if defined(__linux__)
// The type the C library's ioctl takes its request in (glibc an unsigned long, musl an int).
template <typename Request>
Request requestOf(int (*)(int, Request, ...));
using IoctlRequest = decltype(requestOf(&::ioctl));
#endif

// What no file may be left in is found first, and what another program holds is waited for.
TEST(SavePollPosixTest, AnAppendOnlyFolderAndALease) {
#if !defined(__linux__)
  GTEST_SKIP() << "folder flags and leases the Linux way";
#else
  TempDir dir;
  const std::string path = dir.file("poll.txt");
  writeFile(path, "old\n");
  const int folder = open(dir.file("").c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(folder, 0);
  int flags = 0;
  if (ioctl(folder, static_cast<IoctlRequest>(FS_IOC_GETFLAGS), &flags) == 0) {
    int appendOnly = flags | FS_APPEND_FL;
    if (ioctl(folder, static_cast<IoctlRequest>(FS_IOC_SETFLAGS), &appendOnly) == 0) {
      // Over a file, and a new name the save would never be let remove again.
      std::string reason, newReason;
      EXPECT_FALSE(savePoll(largePoll(), path, &reason));
      EXPECT_FALSE(savePoll(largePoll(), dir.file("new.txt"), &newReason));
      ioctl(folder, static_cast<IoctlRequest>(FS_IOC_SETFLAGS), &flags);
      EXPECT_EQ(reason, "its folder lets no file in it be removed or replaced");
      EXPECT_EQ(newReason, reason);
      EXPECT_EQ(filesIn(dir.file("")), 1u);
      EXPECT_EQ(readFile(path), "old\n");
    }
  }
  close(folder);
  // Another program holds a read lease, and lets it go a little after the save asks for it.
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t holder = fork();
  ASSERT_GE(holder, 0);
  if (holder == 0) {
    const int fd = open(path.c_str(), O_RDONLY);
    const char taken = fd >= 0 && fcntl(fd, F_SETLEASE, F_RDLCK) == 0 ? 'y' : 'n';
    if (write(ready[1], &taken, 1) != 1) _exit(1);
    usleep(200'000);
    fcntl(fd, F_SETLEASE, F_UNLCK);
    _exit(0);
  }
  char taken = 'n';
  ASSERT_EQ(read(ready[0], &taken, 1), 1);
  std::string reason;
  const bool saved = savePoll(largePoll(), path, &reason);
  waitpid(holder, nullptr, 0);
  close(ready[0]);
  close(ready[1]);
  if (taken != 'y') GTEST_SKIP() << "no lease can be taken here";
  EXPECT_TRUE(saved) << reason;
  EXPECT_EQ(readFile(path), fileText(largePoll()));
  // A lease never let go: the save waits, and a stop ends it at once with the file as it was.
  writeFile(path, "old\n");
  for (int stop : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(stop);
    ASSERT_EQ(pipe(ready), 0);
    const pid_t keeper = fork();
    ASSERT_GE(keeper, 0);
    if (keeper == 0) {
      std::signal(SIGIO, SIG_IGN);  // told that the save wants the file, and deaf to it
      const int fd = open(path.c_str(), O_RDONLY);
      const char held = fd >= 0 && fcntl(fd, F_SETLEASE, F_RDLCK) == 0 ? 'y' : 'n';
      if (write(ready[1], &held, 1) != 1) _exit(1);
      pause();
      _exit(0);
    }
    ASSERT_EQ(read(ready[0], &taken, 1), 1);
    const pid_t saver = fork();
    ASSERT_GE(saver, 0);
    if (saver == 0) {
      std::signal(stop, SIG_DFL);  // the sanitizers' own handlers aside
      savePoll(largePoll(), path, nullptr);
      _exit(0);
    }
    usleep(300'000);
    kill(saver, stop);
    int status = 0;
    waitpid(saver, &status, 0);  // a lease the kernel breaks after 45 s would be too late
    kill(keeper, SIGKILL);
    waitpid(keeper, nullptr, 0);
    close(ready[0]);
    close(ready[1]);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == stop) << status;
    EXPECT_TRUE(readFile(path) == "old\n") << "the file was replaced";
    EXPECT_EQ(filesIn(dir.file("")), 1u);
  }
#endif
}

// A fault signal sent from outside while a save is under way waits for the save, like any other.
TEST(SavePollPosixTest, FaultSignalsFromOutsideWaitForTheSave) {
  for (int signal : {SIGABRT, SIGSEGV, SIGBUS}) {
    SCOPED_TRACE(signal);
    TempDir dir;
    const std::string path = dir.file("poll.txt");
    writeFile(path, "old\n");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      const rlimit noCore{0, 0};
      setrlimit(RLIMIT_CORE, &noCore);
      std::signal(signal, SIG_DFL);  // the sanitizers' own handlers aside
      FailingFileSystem files(0);
      files.onCall = [signal](const std::string& call) {
        if (call == "write") kill(getpid(), signal);
      };
      savePoll(largePoll(), path, nullptr, nullptr, files);
      _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    EXPECT_EQ(readFile(path), fileText(largePoll()));
    EXPECT_EQ(filesIn(dir.file("")), 1u);
  }
}

}  // namespace

}  // namespace hoops
