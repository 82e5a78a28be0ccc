// The careful save of any document: a write that fails at any point is a failed save, the old
// file whole, said in the document's own words.
#include "system/save_file.h"

#include <gtest/gtest.h>

#include <new>
#include <string>

#include "system/failing_file_system.h"
#include "temp_dir.h"

namespace hoops {

namespace {

TEST(SaveFileTest, APageWhoseWriteFailsIsNotSaved) {
  TempDir dir;
  const std::string path = dir.file("week13.html");
  writeFile(path, "the old page\n");
  // Find the write call of a save that succeeds, then fail exactly it: a page small enough to
  // be held until the flush is written by the flush alone.
  FailingFileSystem counting(0);
  int writeCall = 0;
  counting.onCall = [&](const std::string& call) {
    if (call == "write" && writeCall == 0) writeCall = counting.calls() + 1;
  };
  const auto page = [](std::ostream& out) {
    out << "<!DOCTYPE html>\n";
    return static_cast<bool>(out);
  };
  ASSERT_TRUE(saveFile(path, page, {"the new form"}, nullptr, nullptr, counting));
  ASSERT_GT(writeCall, 0);
  writeFile(path, "the old page\n");
  FailingFileSystem failing(writeCall);
  std::string reason;
  EXPECT_FALSE(saveFile(path, page, {"the new form"}, &reason, nullptr, failing));
  EXPECT_EQ(failing.failed(), "write");
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(readFile(path), "the old page\n");
}

// Memory that runs out at any call of a save passes on to the mode that handles it (or fails
// the save), with the file whole (old, or new once renamed) and nothing left beside it.
TEST(SaveFileTest, MemoryRunningOutAtAnyCallLeavesTheFileWholeAndNothingBeside) {
  TempDir dir;
  const std::string path = dir.file("week13.txt");
  const auto page = [](std::ostream& out) { return static_cast<bool>(out << "the new page\n"); };
  FailingFileSystem counting(0);
  ASSERT_TRUE(saveFile(path, page, {}, nullptr, nullptr, counting));
  for (int call = 1; call <= counting.calls(); ++call) {
    writeFile(path, "the old page\n");
    FailingFileSystem failing(call);
    failing.outOfMemory = true;
    bool threw = false;
    try {
      saveFile(path, page, {}, nullptr, nullptr, failing);
    } catch (const std::bad_alloc&) {
      threw = true;
    }
    SCOPED_TRACE(failing.failed());
    // A stream holds what its buffer throws as a failed write; a close never throws.
    EXPECT_EQ(threw, failing.failed() != "close" && failing.failed() != "write");
    const std::string now = readFile(path);
    EXPECT_TRUE(now == "the old page\n" || now == "the new page\n") << now;
    EXPECT_EQ(filesIn(dir.file("")), 1u);
  }
}

}  // namespace

}  // namespace hoops
