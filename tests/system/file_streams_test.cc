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
  Descriptor file;
  ASSERT_TRUE(files.openForReading(dir.file("in.txt"), file).ok());
  FailingFileSystem failing(2);  // the first read succeeds, the second fails
  FileReadBuffer buffer(failing, file.fd());
  std::istream in(&buffer);
  std::string line;
  EXPECT_TRUE(std::getline(in, line));
  EXPECT_EQ(line, "first");
  EXPECT_TRUE(buffer.status().ok());
  EXPECT_FALSE(std::getline(in, line));
  EXPECT_TRUE(buffer.status().is(EIO));
}

TEST(FileStreamsTest, AWriteErrorFailsTheStreamAndIsRemembered) {
  for (std::size_t size : {std::size_t{10}, std::size_t{200000}}) {
    TempDir dir;
    const std::string path = dir.file("out.txt");
    bool created = false;
    Descriptor file;
    ASSERT_TRUE(realFileSystem().openTarget(path, file, created).ok());
    FailingFileSystem files(1);
    {
      FileWriteBuffer buffer(files, file.fd());
      std::ostream out(&buffer);
      out << std::string(size, 'x') << std::flush;
      EXPECT_TRUE(out.bad()) << size;
      EXPECT_TRUE(buffer.status().is(EIO));
    }
    file.close();
    EXPECT_EQ(readFile(path), "") << size;
  }
}

}  // namespace

}  // namespace hoops
