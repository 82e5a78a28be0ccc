// A failure told where it happened: never mistaken for success, its words and its step kept
// together; a descriptor closed once, by whoever holds it last.
#include "system/status.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <utility>

#include "system/failing_file_system.h"
#include "system/file_system.h"
#include "temp_dir.h"

namespace hoops {

namespace {

TEST(StatusTest, AFailureIsToldInItsStepsWordsAndNeverReadsAsDone) {
  struct Case {
    Status status;
    bool ok;
    std::string text;
  };
  const Case cases[] = {
      {Status(), true, ""},
      {Status::system(ENOSPC), false, errorText(ENOSPC)},
      // A failure whose cause was lost is still a failure.
      {Status::system(0), false, errorText(EIO)},
      {Status::system(EACCES, "no file can be made beside it: "), false,
       "no file can be made beside it: " + errorText(EACCES)},
      // Telling it within another step replaces the step, not the cause.
      {Status::system(EACCES, "first: ").within("second: "), false, "second: " + errorText(EACCES)},
      {Status(Status::Code::kReplacedMeanwhile), false, "it was replaced while being saved"},
      {Status(Status::Code::kNameNotAllowed, "x: "), false,
       "x: the system does not allow this name"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.status.ok(), c.ok) << c.text;
    EXPECT_EQ(c.status.text(), c.text);
  }
  // The program's own reasons never pass for a system error number.
  EXPECT_TRUE(Status::system(ENOENT).is(ENOENT));
  EXPECT_FALSE(Status::system(ENOENT).is(EEXIST));
  EXPECT_FALSE(Status(Status::Code::kFolderForbidsRemoval).is(0));
  EXPECT_FALSE(Status().is(0));
}

TEST(DescriptorTest, IsClosedOnceByItsLastHolder) {
  TempDir dir;
  writeFile(dir.file("in.txt"), "x");
  FailingFileSystem files(0);
  {
    Descriptor first;
    ASSERT_TRUE(files.openForReading(dir.file("in.txt"), first).ok());
    Descriptor second = std::move(first);
    EXPECT_FALSE(first.open());  // NOLINT(bugprone-use-after-move): a moved-from one is empty
    Descriptor third;
    third = std::move(second);
    EXPECT_TRUE(third.open());
    // Moving over a descriptor that holds one closes what it held.
    Descriptor other;
    ASSERT_TRUE(files.openForReading(dir.file("in.txt"), other).ok());
    other = std::move(third);
    EXPECT_TRUE(other.open());
  }
  const std::vector<std::string> expected = {"openForReading", "openForReading", "close", "close"};
  EXPECT_EQ(files.log(), expected);
}

}  // namespace

}  // namespace hoops
