// The exit status and the error lines of a run.
#include "app/program.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>
#include <string>

#include "system/status.h"
#include "temp_dir.h"

namespace hoops {

namespace {

// A dialogue typed with CR LF line ends (a script written on Windows) does what it does with
// LF: the same standard output and the same saved file.
TEST(ProgramTest, CrLfLineEndsAreLineEnds) {
  TempDir dir;
  writeFile(dir.file("last.txt"), "March 28 2010\n1\tA\t1-2\t50\t-\n2\tB\t3-4\t40\t1\n");
  const std::string script = "\n1\n" + dir.file("last.txt") + "\n3\nNew U\n1\n2\n45\n4\n1\n5\n" +
                             "6\n55\n8\n2\n" + dir.file("new.txt") + "\n9\n\n";
  std::string withCrLf;
  for (char c : script) withCrLf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  std::string outputs[2], files[2];
  for (int i = 0; i < 2; ++i) {
    std::istringstream in(i == 0 ? script : withCrLf);
    std::ostringstream out, err;
    runProgram(in, out, err, -1);
    outputs[i] = out.str();
    files[i] = readFile(dir.file("new.txt"));
    EXPECT_EQ(err.str(), "");
  }
  EXPECT_EQ(outputs[1], outputs[0]);
  EXPECT_EQ(files[1], files[0]);
  EXPECT_EQ(files[0], "April 4 2010\n1\tA\t5-6\t55\t1\n2\tNew U\t1-2\t45\t-\n3\tB\t3-4\t40\t2\n");
  EXPECT_EQ(outputs[0].substr(outputs[0].size() - 22), "Press any key to exit.");
}

TEST(ExitStatusTest, ReportsEachStreamErrorOnItsOwnLine) {
  struct Case {
    int readError;  // 0 for none
    int writeError;
    int status;
    std::string errors;
  };
  const Case cases[] = {
      {0, 0, 0, ""},
      {EIO, 0, 1, "hoops-ranking: error reading standard input: " + errorText(EIO) + "\n"},
      {0, ENOSPC, 1, "hoops-ranking: write error: " + errorText(ENOSPC) + "\n"},
      {EISDIR, EPIPE, 1,
       "hoops-ranking: error reading standard input: " + errorText(EISDIR) +
           "\n"
           "hoops-ranking: write error: " +
           errorText(EPIPE) + "\n"},
  };
  for (const Case& c : cases) {
    std::ostringstream err;
    const auto failure = [](int error) { return error != 0 ? Status::system(error) : Status(); };
    EXPECT_EQ(exitStatus(failure(c.readError), failure(c.writeError), err), c.status) << c.errors;
    EXPECT_EQ(err.str(), c.errors);
  }
}

}  // namespace

}  // namespace hoops
