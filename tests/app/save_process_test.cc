// Saves and loads of the built program under what a hostile user, a pipe, a small stack and
// a signal can do to them: nothing is lost, and every failure says why.
#include <gtest/gtest.h>

#include <cerrno>

#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "app/process_run.h"
#include "system/status.h"
#include "temp_dir.h"
#include "test_paths.h"

namespace hoops {

namespace {

// A poll file of `teams` rows with names long enough to make the file large.
std::string pollText(int teams) {
  std::string text = "March 28 2010\n";
  for (int i = 1; i <= teams; ++i) {
    text += std::to_string(i) + "\tA school called number " + std::to_string(i) + "\t3-4\t" +
            std::to_string(teams * 2 - i) + "\t-\n";
  }
  return text;
}

// Files other than the ones the test made: temporary files left behind.
int leftovers(const TempDir& dir) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.file(""))) {
    count += entry.path().filename().string().rfind(".hoops-ranking-", 0) == 0;
  }
  return count;
}

// Starts the program in `dir` on the file stdin there, its output thrown away; its process id,
// or -1.
pid_t startInBackground(const TempDir& dir) {
  const pid_t child = fork();
  if (child == 0) {
    if (chdir(dir.file("").c_str()) != 0 || !freopen("stdin", "r", stdin) ||
        !freopen("/dev/null", "w", stdout)) {
      _exit(127);
    }
    execl(HOOPS_RANKING_EXE, "hoops-ranking", static_cast<char*>(nullptr));
    _exit(127);
  }
  return child;
}

TEST(SaveProcessTest, FailuresSayWhyOnStandardErrorRightAfterThePath) {
  TempDir dir;
  const std::string load = "Path to input file (ex. c:\\in.txt): ";
  const std::string save = "Path to output file (ex. c:\\out.txt): ";
  ProcessRun run = runHoopsRanking(dir, "\n1\nno/such/poll.txt\n1\n.\n2\nno/such/new.txt\n9\n\n",
                                   "", "> stdout 2>&1");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.output.find(load + "hoops-ranking: cannot open 'no/such/poll.txt': No such file or "
                                   "directory\nFailed to open file.\n"),
            std::string::npos);
  EXPECT_NE(run.output.find(load + "hoops-ranking: cannot open '.': " + errorText(EISDIR) +
                            "\n"
                            "Failed to open file.\n"),
            std::string::npos);
  EXPECT_NE(run.output.find(save + "hoops-ranking: cannot save 'no/such/new.txt': No such file or "
                                   "directory\nFailed to save file.\n"),
            std::string::npos);
  // Standard output alone is the dialogue as it always was.
  ProcessRun alone = runHoopsRanking(dir, "\n1\nno/such/poll.txt\n9\n\n");
  EXPECT_NE(alone.output.find(load + "Failed to open file.\n\n"), std::string::npos);
  EXPECT_EQ(alone.errors,
            "hoops-ranking: cannot open 'no/such/poll.txt': " + errorText(ENOENT) + "\n");
}

TEST(SaveProcessTest, AReaderThatLeavesIsAFailedSaveAndTheRunGoesOn) {
  TempDir dir;
  writeFile(dir.file("last.txt"), pollText(20'000));
  ASSERT_EQ(mkfifo(dir.file("fifo").c_str(), 0600), 0);
  // The FIFO's reader takes a little and leaves; the save after it must still happen. The
  // reader has the FIFO open before the program starts (a save never waits for one): the
  // shell opens it without waiting and hands it over.
  ProcessRun fifo =
      runHoopsRanking(dir, "\n1\nlast.txt\n2\nfifo\n2\nnew.txt\n9\n\n",
                      "exec 3<> fifo && (head -c 100 <&3 > /dev/null 2>&1 &) && exec 3<&- &&");
  EXPECT_EQ(fifo.status, 0);
  EXPECT_NE(fifo.output.find("Failed to save file.\n"), std::string::npos);
  EXPECT_NE(fifo.output.find("Saved file.\n"), std::string::npos);
  EXPECT_EQ(fifo.errors, "hoops-ranking: cannot save 'fifo': " + errorText(EPIPE) + "\n");
  // A reader still waiting means the save never came: it is fed, so that it ends with the test.
  const int fd = open(dir.file("fifo").c_str(), O_WRONLY | O_NONBLOCK);
  if (fd >= 0) {
    ADD_FAILURE() << "the FIFO's reader was still waiting";
    EXPECT_EQ(write(fd, std::string(100, 'x').data(), 100), 100);
    close(fd);
  }
  EXPECT_EQ(readFile(dir.file("new.txt")).substr(0, 13), "April 4 2010\n");
  // Standard output read by a reader that leaves: a write error, reported at exit.
  std::filesystem::remove(dir.file("new.txt"));
  ProcessRun piped =
      runHoopsRanking(dir, "\n1\nlast.txt\n8\n2\nnew.txt\n9\n\n", "", "| head -c 1 > stdout");
  EXPECT_EQ(piped.status, 1);
  EXPECT_EQ(piped.errors, "hoops-ranking: write error: " + errorText(EPIPE) + "\n");
  EXPECT_EQ(readFile(dir.file("new.txt")).substr(0, 13), "April 4 2010\n");
}

TEST(SaveProcessTest, DevStdoutOnAPipeAndASmallStack) {
  TempDir dir;
  writeFile(dir.file("last.txt"), pollText(30));
  ProcessRun pipe =
      runHoopsRanking(dir, "\n1\nlast.txt\n2\n/dev/stdout\n9\n\n", "", "| cat > stdout");
  EXPECT_EQ(pipe.status, 0);
  EXPECT_NE(pipe.output.find("April 4 2010\n1\tA school called number 1\t"), std::string::npos);
  EXPECT_NE(pipe.output.find("Saved file."), std::string::npos);
  if (kSanitized) return;  // the sanitizers need a stack of their own size
  ProcessRun small = runHoopsRanking(dir, "\n1\nlast.txt\n2\nnew.txt\n9\n\n", "ulimit -s 300 &&");
  EXPECT_EQ(small.status, 0);
  EXPECT_NE(small.output.find("Saved file."), std::string::npos);
  EXPECT_EQ(leftovers(dir), 0);
}

// A file size limit smaller than the poll: the save fails and says why, nothing is left, and
// the run goes on to save what fits.
TEST(SaveProcessTest, AFileSizeLimitFailsTheSaveNotTheRun) {
  TempDir dir;
  const std::string last = pollText(2000);  // about 80 KiB, over the limit of 16
  writeFile(dir.file("last.txt"), last);
  writeFile(dir.file("small.txt"), pollText(5));
  ProcessRun run = runHoopsRanking(
      dir, "\n1\nlast.txt\n2\nlast.txt\n1\nsmall.txt\n2\nnew.txt\n9\n\n", "ulimit -f 16 &&");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.errors, "hoops-ranking: cannot save 'last.txt': " + errorText(EFBIG) + "\n");
  EXPECT_EQ(readFile(dir.file("last.txt")), last);
  EXPECT_EQ(readFile(dir.file("new.txt")).substr(0, 13), "April 4 2010\n");
  EXPECT_EQ(leftovers(dir), 0);
}

// A path that is the program's own standard output, in any spelling or by the file's own name,
// is written through it: a transcript in a file keeps every line of the dialogue, with the poll
// in its place, and one opened for appending is appended to.
TEST(SaveProcessTest, TheProgramsOwnOutputKeepsTheTranscript) {
  TempDir dir;
  writeFile(dir.file("last.txt"), pollText(3));
  const std::string poll =
      "Path to output file (ex. c:\\out.txt): April 4 2010\n1\tA school called number "
      "1\t3-4\t5\t1\n";
  for (const std::string path : {"/dev/stdout", "/dev/./stdout", "//dev/stdout", "/dev/fd/./1",
                                 "/proc/thread-self/fd/1", "stdout", "./stdout"}) {
    for (const std::string redirect : {"> stdout", ">> stdout"}) {
      SCOPED_TRACE(path);
      SCOPED_TRACE(redirect);
      writeFile(dir.file("stdout"), "earlier\n");
      std::string input = "\n1\nlast.txt\n2\n";
      input += path;
      input += "\n9\n\n";
      ProcessRun run = runHoopsRanking(dir, input, "", redirect);
      EXPECT_EQ(run.status, 0);
      EXPECT_EQ(run.errors, "");
      EXPECT_EQ(run.output.rfind("earlier\n", 0) == 0, redirect == ">> stdout");
      EXPECT_NE(run.output.find("|       HOOPS RANKING       |"), std::string::npos);
      const std::size_t at = run.output.find(poll);
      ASSERT_NE(at, std::string::npos) << run.output;
      EXPECT_NE(run.output.find("Saved file.\n\n", at), std::string::npos);
      EXPECT_EQ(run.output.substr(run.output.size() - 22), "Press any key to exit.");
    }
  }
}

// A signal that ends the run while a large save is under way waits for the save to finish or
// fail: never a temporary file left behind or a target cut short.
TEST(SaveProcessTest, ASignalDuringASaveLeavesNothingHalfDone) {
  TempDir dir;
  writeFile(dir.file("last.txt"), pollText(200'000));
  std::string script = "\n1\nlast.txt\n";
  for (int i = 0; i < 40; ++i) script += "2\nnew.txt\n";  // most of the run is saving
  writeFile(dir.file("stdin"), script + "9\n\n");
  ProcessRun whole = runHoopsRanking(dir, script + "9\n\n");
  ASSERT_EQ(whole.status, 0);
  const std::string saved = readFile(dir.file("new.txt"));
  for (int delay = 20; delay <= 200; delay += 20) {
    std::filesystem::remove(dir.file("new.txt"));
    const pid_t child = startInBackground(dir);
    ASSERT_GE(child, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    SCOPED_TRACE("SIGTERM after " + std::to_string(delay) + " ms");
    EXPECT_EQ(leftovers(dir), 0);
    const std::string now = readFile(dir.file("new.txt"));
    EXPECT_TRUE(now.empty() || now == saved) << now.size() << " bytes of " << saved.size();
  }
}

// A save that waits (here for a FIFO's reader that never reads) ends at once at a stop, as
// the signal asks; a new name the save cannot go on with (no descriptor left for its folder)
// is removed again.
TEST(SaveProcessTest, AStopEndsASaveThatWaitsAndARefusedNewNameGoes) {
  TempDir dir;
  writeFile(dir.file("last.txt"), pollText(5'000));  // far more than a pipe holds
  writeFile(dir.file("stdin"), "\n1\nlast.txt\n2\nff\n9\n\n");
  ASSERT_EQ(mkfifo(dir.file("ff").c_str(), 0600), 0);
  const int reader = open(dir.file("ff").c_str(), O_RDONLY | O_NONBLOCK);  // never reads
  ASSERT_GE(reader, 0);
  for (int stop : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(stop);
    const pid_t child = startInBackground(dir);
    ASSERT_GE(child, 0);
    // Once the pipe is full the save waits for the reader.
    int pending = 0;
    for (int i = 0; i < 1000 && pending < 4096; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      ioctl(reader, FIONREAD, &pending);
    }
    EXPECT_GE(pending, 4096);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    kill(child, stop);
    int status = 0;
    for (int i = 0; i < 500 && waitpid(child, &status, WNOHANG) == 0; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (waitpid(child, &status, WNOHANG) == 0) {  // still waiting: the stop was not let through
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      ADD_FAILURE() << "the save went on waiting after the stop";
    }
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == stop) << status;
    char drain[65536];
    while (read(reader, drain, sizeof drain) > 0) {
    }
  }
  close(reader);
  // The sanitizers' runtime needs descriptors of its own, and ends a run that has none.
  if (kSanitized) GTEST_SKIP() << "a descriptor limit cannot be set under the sanitizers";
  if (!shellCan("ulimit -n 4")) GTEST_SKIP() << "the shell here sets no descriptor limit";
  // However few descriptors are left (the test's runner may hold some), nothing stays; one of
  // these limits lets the open make the name and leaves none for its folder.
  bool madeThenRefused = false;
  for (int limit = 4; limit <= 12; ++limit) {
    ProcessRun run = runHoopsRanking(dir, "\n1\nlast.txt\n2\nnew.txt\n9\n\n",
                                     "ulimit -n " + std::to_string(limit) + " &&");
    if (run.status != 0) continue;  // too few for the shell to start it at all
    madeThenRefused =
        madeThenRefused || run.errors ==
                               "hoops-ranking: cannot save 'new.txt': no file can be made "
                               "beside it: " +
                                   errorText(EMFILE) + "\n";
    EXPECT_FALSE(std::filesystem::exists(dir.file("new.txt")) && !run.errors.empty()) << limit;
    std::filesystem::remove(dir.file("new.txt"));
  }
  EXPECT_TRUE(madeThenRefused);
  EXPECT_EQ(leftovers(dir), 0);
}

}  // namespace

}  // namespace hoops
