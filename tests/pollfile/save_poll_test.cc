// Saving replaces a poll file whole or not at all, whatever call of the file layer fails.
#include "pollfile/save_poll.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <filesystem>
#include <string>
#include <vector>

#include "pollfile/save_test_polls.h"
#include "system/failing_file_system.h"
#include "system/status.h"
#include "temp_dir.h"

namespace hoops {

namespace {

// The calls of a save, writes folded into one, in the one order that never loses the old
// file: a sync left out or moved after the rename fails here, and so does a new file that
// others could read before it has the old one's permissions.
TEST(SavePollTest, ReplacesInTheOneSafeOrder) {
  for (bool existed : {true, false}) {
    TempDir dir;
    const std::string path = dir.file("poll.txt");
    if (existed) writeFile(path, "old\n");
    FailingFileSystem files(0);
    bool privateUntilGiven = true;
    files.onCall = [&](const std::string& call) {
      if (call != "copyMetadata") return;
      for (const auto& entry : std::filesystem::directory_iterator(dir.file(""))) {
        if (entry.path().filename().string().rfind(".hoops-ranking-", 0) != 0) continue;
        const auto others = std::filesystem::perms::group_all | std::filesystem::perms::others_all;
        privateUntilGiven = privateUntilGiven &&
                            (entry.status().permissions() & others) == std::filesystem::perms::none;
      }
    };
    ASSERT_TRUE(savePoll(largePoll(), path, nullptr, nullptr, files));
    std::vector<std::string> calls;
    for (const std::string& call : files.log()) {
      if (call != "write" || calls.back() != "write") calls.push_back(call);
    }
    const std::vector<std::string> expected = {
        "openTarget", "nameOf", "openFolder", "createTemporary", "copyMetadata", "close",
        "write",      "sync",   "close",      "renameAt",        "syncFolder",   "close"};
    EXPECT_EQ(calls, expected);
#if !defined(_WIN32)  // Windows keeps access in lists the folder gives, not in these bits
    EXPECT_TRUE(privateUntilGiven);
#endif
  }
}

TEST(SavePollTest, AFailureAtAnyCallLeavesTheOldFileWhole) {
  const Poll poll = largePoll();
  const std::string expected = fileText(poll);
  for (bool existed : {true, false}) {
    // Failed calls whose failure changes nothing: closes of what was done with, and the
    // system's name of the file, where the path's own folder serves.
    int harmless = 0;
    for (int failAt = 1;; ++failAt) {
      SCOPED_TRACE((existed ? "over a file, failing call " : "new file, failing call ") +
                   std::to_string(failAt));
      TempDir dir;
      const std::string path = dir.file("poll.txt");
      if (existed) writeFile(path, "March 28 2010\n1\tOld\t1-2\t3\t-\n");
      const std::string before = readFile(path);
      FailingFileSystem files(failAt);
      std::string reason;
      const bool saved = savePoll(poll, path, &reason, nullptr, files);
      const std::string& failed = files.failed();
      if (failed.empty()) {
        EXPECT_TRUE(saved);
        EXPECT_EQ(readFile(path), expected);
        break;
      }
      if (saved) {
        EXPECT_TRUE(failed == "close" || failed == "nameOf") << failed;
        ++harmless;
        EXPECT_EQ(readFile(path), expected);
        EXPECT_EQ(filesIn(dir.file("")), 1u);
        continue;
      }
      EXPECT_NE(reason.find(errorText(EIO)), std::string::npos) << reason;
      const bool renamed = readFile(path) == expected;  // only a failed sync of the folder
      EXPECT_EQ(filesIn(dir.file("")), existed || renamed ? 1u : 0u)
          << "a file was left behind after " << failed;
      if (renamed) {
        EXPECT_EQ(failed, "syncFolder");
        EXPECT_NE(reason.find("the file may already hold the new poll"), std::string::npos);
      } else {
        EXPECT_EQ(readFile(path), before) << failed;
      }
    }
    // The old file's close after what it had was read, the folder's after its sync, the name.
    EXPECT_EQ(harmless, 3);
  }
}

TEST(SavePollTest, FailuresSayWhyAndLeaveEverythingAsItWas) {
  TempDir dir;
  const Poll poll = largePoll();
  writeFile(dir.file("old.txt"), "old\n");
  FailingFileSystem noTemporary(4);  // as in a folder the process may not write
  struct Case {
    std::string path;
    FileSystem& files;
    std::string reason;
  };
  const Case cases[] = {
      {dir.file("old.txt"), noTemporary, "no file can be made beside it: " + errorText(EIO)},
      {dir.file("no/such/dir/poll.txt"), realFileSystem(), errorText(ENOENT)},
      {dir.file(""), realFileSystem(), errorText(EISDIR)},
      {std::string("old.txt\0x", 9), realFileSystem(), "a path cannot hold a NUL byte"},
      {"", realFileSystem(), errorText(ENOENT)},
  };
  for (const Case& c : cases) {
    std::string reason;
    EXPECT_FALSE(savePoll(poll, c.path, &reason, nullptr, c.files)) << c.path;
    EXPECT_EQ(reason, c.reason) << c.path;
  }
  EXPECT_EQ(readFile(dir.file("old.txt")), "old\n");
  EXPECT_EQ(filesIn(dir.file("")), 1u);
}

}  // namespace

}  // namespace hoops
