// The exit status and the error lines of a run.
#include "app/program.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>
#include <string>

namespace {

TEST(ExitStatusTest, ReportsEachStreamErrorOnItsOwnLine) {
  struct Case {
    int readError;
    int writeError;
    int status;
    std::string errors;
  };
  const Case cases[] = {
      {0, 0, 0, ""},
      {EIO, 0, 1, "hoops-ranking: error reading standard input: Input/output error\n"},
      {0, ENOSPC, 1, "hoops-ranking: write error: No space left on device\n"},
      {EISDIR, EPIPE, 1,
       "hoops-ranking: error reading standard input: Is a directory\n"
       "hoops-ranking: write error: Broken pipe\n"},
  };
  for (const Case& c : cases) {
    std::ostringstream err;
    EXPECT_EQ(exitStatus(c.readError, c.writeError, err), c.status) << c.errors;
    EXPECT_EQ(err.str(), c.errors);
  }
}

}  // namespace
