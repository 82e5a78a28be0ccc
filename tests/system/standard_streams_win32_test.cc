// The standard streams on Windows end their lines as everywhere else.
#include "system/standard_streams.h"

#include <fcntl.h>
#include <io.h>

#include <gtest/gtest.h>

namespace hoops {

namespace {

TEST(StandardStreamsTest, OutputAndErrorPassEveryByte) {
  useBinaryStandardStreams();
  // Setting a mode gives back the one before: binary already, so no CR before each LF.
  EXPECT_EQ(_setmode(kStandardOutput, _O_BINARY), _O_BINARY);
  EXPECT_EQ(_setmode(kStandardError, _O_BINARY), _O_BINARY);
}

}  // namespace

}  // namespace hoops
