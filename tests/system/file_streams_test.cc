// The descriptor stream buffers under failing reads and writes.
#include "system/file_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <istream>
#include <ostream>
#include <string>

#include "system/failing_file_system.h"
#include "temp_dir.h"

namespace {

TEST(FileStreamsTest, AReadErrorEndsTheInputAndIsRemembered) {
  TempDir dir;
  writeFile(dir.file("in.txt"), "first\n");
  int fd = open(dir.file("in.txt").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  FailingFileSystem files(2);  // the first read succeeds, the second fails
  FileReadBuffer buffer(files, fd);
  std::istream in(&buffer);
  std::string line;
  EXPECT_TRUE(std::getline(in, line));
  EXPECT_EQ(line, "first");
  EXPECT_EQ(buffer.error(), 0);
  EXPECT_FALSE(std::getline(in, line));
  EXPECT_EQ(buffer.error(), EIO);
  close(fd);
}

TEST(FileStreamsTest, AWriteErrorFailsTheStreamAndIsRemembered) {
  for (std::size_t size : {std::size_t{10}, std::size_t{200000}}) {
    TempDir dir;
    int fd = open(dir.file("out.txt").c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    FailingFileSystem files(1);
    {
      FileWriteBuffer buffer(files, fd);
      std::ostream out(&buffer);
      out << std::string(size, 'x') << std::flush;
      EXPECT_TRUE(out.bad()) << size;
      EXPECT_EQ(buffer.error(), EIO);
    }
    close(fd);
    EXPECT_EQ(readFile(dir.file("out.txt")), "") << size;
  }
}

}  // namespace
