// Runs the built hoops-ranking as a process with its standard input from a file.
#include <gtest/gtest.h>

#include <cerrno>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "app/process_run.h"
#include "system/status.h"
#include "temp_dir.h"
#include "test_paths.h"

namespace hoops {

namespace {

std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

TEST(ProgramProcessTest, ShowsTheMenuTheStolenOptionAndTheGoodbye) {
  TempDir dir;
  ProcessRun run = runHoopsRanking(dir, "\n6\n9\n\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(occurrences(run.output, "|       HOOPS RANKING       |\n"), 2u);
  EXPECT_NE(run.output.find("Enter an option: THIS MENU OPTION WAS STOLEN BY GNOMES\n"),
            std::string::npos);
  const std::string ending =
      "+---------------------------|\n\nEnter an option: Press any key to exit.";
  ASSERT_GE(run.output.size(), ending.size());
  EXPECT_EQ(run.output.substr(run.output.size() - ending.size()), ending);
}

// One whole week: title, load, add, edit, remove, both displays, save, exit.
const std::string kLastWeek =
    "March 28 2010\n"
    "1\tExample Tech\t25-3\t875\t-\n"
    "2\tNorth State\t20-8\t700\t5\n"
    "3\tLake College\t18-10\t700\t2\n"
    "4\tGone U\t2-20\t0\t-\n";

std::string weekScript() {
  return "\n1\nlast.txt\n3\nRiver A&M\n19\n9\n650\n4\n2\n21\n8\n900\n5\n4\n7\n8\n2\nnew.txt\n9\n\n";
}

TEST(ProgramProcessTest, AWholeWeekSavesTheNewPoll) {
  TempDir dir;
  writeFile(dir.file("last.txt"), kLastWeek);
  ProcessRun run = runHoopsRanking(dir, weekScript());
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.output.find("Loaded file.\n\n"), std::string::npos);
  EXPECT_NE(run.output.find("Saved file.\n\n"), std::string::npos);
  // Loaded: Example Tech, Lake College, North State (the tie reversed), Gone U dropped. The
  // add puts River A&M fourth and reverses the tie again; the edit of position 2 (North State)
  // to 900 votes moves it first, and removing position 4 takes River A&M out again.
  EXPECT_EQ(readFile(dir.file("new.txt")),
            "April 4 2010\n"
            "1\tNorth State\t21-8\t900\t2\n"
            "2\tExample Tech\t25-3\t875\t1\n"
            "3\tLake College\t18-10\t700\t3\n");
}

TEST(ProgramProcessTest, EndsCleanlyWhenInputIsCutAtAnyByte) {
  TempDir dir;
  writeFile(dir.file("last.txt"), kLastWeek);
  const std::string script = weekScript();
  const ProcessRun full = runHoopsRanking(dir, script);
  ASSERT_EQ(full.status, 0);
  const std::string goodbye = "Press any key to exit.";
  for (std::size_t cut = 0; cut <= script.size(); ++cut) {
    ProcessRun run = runHoopsRanking(dir, script.substr(0, cut));
    SCOPED_TRACE("input cut after " + std::to_string(cut) + " bytes");
    EXPECT_EQ(run.status, 0);
    ASSERT_GE(run.output.size(), goodbye.size());
    EXPECT_EQ(run.output.substr(run.output.size() - goodbye.size()), goodbye);
    EXPECT_EQ(occurrences(run.output, goodbye), 1u);
    // Ended input is never answered by asking again and again.
    EXPECT_LE(occurrences(run.output, "Invalid entry."),
              occurrences(full.output, "Invalid entry.") + 1);
    EXPECT_LE(run.output.size(), full.output.size() + 32);
  }
}

TEST(ProgramProcessTest, ALoadThatRunsOutOfMemoryKeepsTheEarlierPoll) {
  if (kSanitized) GTEST_SKIP() << "a memory limit cannot be set under AddressSanitizer";
  if (!shellCan("ulimit -v 120000")) GTEST_SKIP() << "the shell here sets no memory limit";
  TempDir dir;
  {
    std::ofstream huge(dir.file("huge.txt"));
    huge << "March 28 2010\n";
    for (int i = 1; i <= 2'500'000; ++i)
      huge << i << "\tA school with a long enough name\t1-2\t7\t-\n";
  }
  ProcessRun run = runHoopsRanking(dir, "\n3\nKeeper\n1\n2\n5\n1\nhuge.txt\n8\n2\nkept.txt\n9\n\n",
                                   "ulimit -v 120000 &&");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.output.find("Failed to open file.\n\n"), std::string::npos);
  EXPECT_EQ(run.errors, "hoops-ranking: cannot open 'huge.txt': out of memory\n");
  EXPECT_NE(run.output.find("\n1    Keeper     "), std::string::npos);
  EXPECT_NE(run.output.find("Saved file.\n\n"), std::string::npos);
  EXPECT_NE(readFile(dir.file("kept.txt")).find("\n1\tKeeper\t1-2\t5\t-\n"), std::string::npos);
}

// However little memory the run is given, it starts, or ends with the words and status of a run
// out of memory (or the system cannot even load it): never with an abort.
TEST(ProgramProcessTest, TooLittleMemoryToStartIsSaidCleanly) {
  if (kSanitized) GTEST_SKIP() << "a memory limit cannot be set under AddressSanitizer";
  if (!shellCan("ulimit -v 8000")) GTEST_SKIP() << "the shell here sets no memory limit";
  TempDir dir;
  for (int limit = 3000; limit <= 12000; limit += 250) {
    SCOPED_TRACE(std::to_string(limit) + " KiB");
    ProcessRun run = runHoopsRanking(dir, "\n9\n\n", "ulimit -v " + std::to_string(limit) + " &&");
    if (run.status == 127) continue;  // the loader's own refusal
    if (run.status == 2) {
      EXPECT_EQ(run.errors, "hoops-ranking: out of memory\n");
    } else {
      EXPECT_EQ(run.status, 0) << run.errors;
    }
  }
}

TEST(ProgramProcessTest, AHugeNameLineIsRefusedInLittleMemory) {
  TempDir dir;
  // Peak memory as GNU time measures it, where it is installed and means something.
  const bool measured = !kSanitized && shellCan("/usr/bin/time -f %M -o /dev/null true");
  const std::string name(50'000'000, 'n');  // NOLINT(bugprone-string-constructor): meant
  ProcessRun run = runHoopsRanking(dir, "\n3\n" + name + "\nShort\n1\n2\n3\n8\n9\n\n",
                                   measured ? "/usr/bin/time -f %M -o maxrss" : "");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.output.find("New team name: Invalid entry.\nNew team name: Wins: "),
            std::string::npos);
  EXPECT_NE(run.output.find("\n1    Short     "), std::string::npos);
  if (measured) {
    EXPECT_LT(std::stol(readFile(dir.file("maxrss"))), 20 * 1024) << "KiB at peak";
  }
}

TEST(ProgramProcessTest, AFullOutputIsReportedWithStatusOne) {
  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full here";
  TempDir dir;
  ProcessRun full = runHoopsRanking(dir, "\n8\n9\n\n", "", "> /dev/full");
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(full.errors, "hoops-ranking: write error: " + errorText(ENOSPC) + "\n");
  // The command line's answers too: never a silent success.
  writeFile(dir.file("poll.txt"), "March 28 2010\n1\tA\t1-2\t3\t-\n");
  for (const std::string arguments : {"--check poll.txt", "--version", "--help"}) {
    writeFile(dir.file("stdin"), "");
    EXPECT_EQ(shellStatus("cd '" + dir.file("") + "' && '" + HOOPS_RANKING_EXE + "' " + arguments +
                          " > /dev/full 2> stderr"),
              2)
        << arguments;
    EXPECT_EQ(readFile(dir.file("stderr")),
              "hoops-ranking: write error: " + errorText(ENOSPC) + "\n")
        << arguments;
  }
}

// "-" is standard input and "--" ends the options, as in every GNU tool.
TEST(ProgramProcessTest, CheckTakesStandardInputAndFilesThatLookLikeOptions) {
  TempDir dir;
  writeFile(dir.file("-x"), "March 28 2010\n1\tA\t1-2\t3\t-\n");
  writeFile(dir.file("stdin"), "March 28 2010\n1\tA\t1-2\t3\t-\n2\tB\t1-2\t4\t-\n");
  EXPECT_EQ(runHoopsRankingWith(dir, "--check - -- -x < stdin"), 0);
  EXPECT_EQ(readFile(dir.file("stdout")),
            "(standard input): a load gives 2 teams\n-x: a load gives 1 team\n");
  EXPECT_EQ(readFile(dir.file("stderr")), "");
}

TEST(ProgramProcessTest, InputErrorsAreReportedWithStatusOne) {
  TempDir dir;
  ProcessRun directory = runHoopsRanking(dir, "", "", "< . > stdout");
  EXPECT_EQ(directory.status, 1);
  EXPECT_EQ(directory.errors,
            "hoops-ranking: error reading standard input: " + errorText(EISDIR) + "\n");
  EXPECT_NE(directory.output.find("Enter an option: \nPress any key to exit."), std::string::npos);
  ProcessRun ended = runHoopsRanking(dir, "\n6\n");
  EXPECT_EQ(ended.status, 0);
  EXPECT_EQ(ended.errors, "");
}

TEST(ProgramProcessTest, ADateLineWithAByteOrderMarkAndATrailingSpaceLoadsItsRows) {
  TempDir dir;
  writeFile(dir.file("bom.txt"), "\xEF\xBB\xBFMarch 28 2010 \r\n1\tA\t1-2\t3\t-\r\n");
  ProcessRun run = runHoopsRanking(dir, "\n1\nbom.txt\n2\nnew.txt\n9\n\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(readFile(dir.file("new.txt")), "April 4 2010\n1\tA\t1-2\t3\t1\n");
}

}  // namespace

}  // namespace hoops
