// The descriptor stream buffers under failing reads and writes.
#include "system/file_streams.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <istream>
#include <ostream>
#include <string>

#include "system/failing_file_system.h"
#include "temp_dir.h"

namespace hoops {

namespace {

TEST(FileStreamsTest, AReadErrorEndsTheInputAndIsRemembered) {
  TempDir dir;
  writeFile(dir.file("in.txt"), "first\n");
  FileSystem& files = realFileSystem();
  int fd = files.openForReading(dir.file("in.txt"));
  ASSERT_GE(fd, 0);
  FailingFileSystem failing(2);  // the first read succeeds, the second fails
  FileReadBuffer buffer(failing, fd);
  std::istream in(&buffer);
  std::string line;
  EXPECT_TRUE(std::getline(in, line));
  EXPECT_EQ(line, "first");
  EXPECT_EQ(buffer.error(), 0);
  EXPECT_FALSE(std::getline(in, line));
  EXPECT_EQ(buffer.error(), EIO);
  files.close(fd);
}

TEST(FileStreamsTest, AWriteErrorFailsTheStreamAndIsRemembered) {
  for (std::size_t size : {std::size_t{10}, std::size_t{200000}}) {
    TempDir dir;
    const std::string path = dir.file("out.txt");
    bool created = false;
    int fd = realFileSystem().openTarget(path, created);
    ASSERT_GE(fd, 0);
    FailingFileSystem files(1);
    {
      FileWriteBuffer buffer(files, fd);
      std::ostream out(&buffer);
      out << std::string(size, 'x') << std::flush;
      EXPECT_TRUE(out.bad()) << size;
      EXPECT_EQ(buffer.error(), EIO);
    }
    realFileSystem().close(fd);
    EXPECT_EQ(readFile(path), "") << size;
  }
}

}  // namespace

}  // namespace hoops
