// Saving replaces a poll file whole or not at all, whatever call of the file layer fails.
#include "pollfile/save_poll.h"

#include <gtest/gtest.h>

#include <string>

#include "pollfile/save_test_polls.h"
#include "system/failing_file_system.h"
#include "temp_dir.h"

namespace {

TEST(SavePollTest, AFailureAtAnyCallLeavesTheOldFileWhole) {
  const Poll poll = largePoll();
  const std::string expected = fileText(poll);
  for (bool existed : {true, false}) {
    int harmless = 0;  // failed calls whose failure changes nothing: closes of what was read
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
        // target, folder, temporary, what it had, writes, sync, close, rename, sync, close
        EXPECT_GT(failAt, 10);
        break;
      }
      if (saved) {
        EXPECT_EQ(failed, "close");
        ++harmless;
        EXPECT_EQ(readFile(path), expected);
        EXPECT_EQ(filesIn(dir.file("")), 1u);
        continue;
      }
      EXPECT_NE(reason.find("Input/output error"), std::string::npos) << reason;
      const bool renamed = readFile(path) == expected;  // only a failed sync of the folder
      EXPECT_EQ(filesIn(dir.file("")), existed || renamed ? 1u : 0u)
          << "a new file was left behind after " << failed;
      if (renamed) {
        EXPECT_EQ(failed, "sync");
        EXPECT_NE(reason.find("the file may already hold the new poll"), std::string::npos);
      } else {
        EXPECT_EQ(readFile(path), before) << failed;
      }
    }
    // The folder's close after its sync, and the old file's after what it had was read.
    EXPECT_EQ(harmless, existed ? 2 : 1);
  }
}

TEST(SavePollTest, FailuresSayWhyAndLeaveEverythingAsItWas) {
  TempDir dir;
  const Poll poll = largePoll();
  writeFile(dir.file("old.txt"), "old\n");
  FailingFileSystem noTemporary(3);  // as in a folder the process may not write
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
      {std::string("old.txt\0x", 9), realFileSystem(), "a path cannot hold a NUL byte"},
      {"", realFileSystem(), "No such file or directory"},
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
