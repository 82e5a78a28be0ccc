// The tally run as a process: a week's ballots become the week's file, which the menu loads next
// week; a week with problems writes nothing.
#include <gtest/gtest.h>

#include <cerrno>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/process_run.h"
#include "system/status.h"
#include "temp_dir.h"

namespace hoops {

namespace {

TEST(TallyProcessTest, BallotsBecomeTheWeekAndTheMenuLoadsIt) {
  TempDir dir;
  writeFile(dir.file("week12.txt"),
            "March 2 2025\n1\tGonzaga\t24-2\t1512\t1\n2\tDuke\t23-3\t1488\t2\n");
  writeFile(dir.file("ballots.csv"), "Voter,1,2\nAnn,Duke,Gonzaga\nBob,Duke,Gonzaga\n");
  writeFile(dir.file("Cy.txt"), "Gonzaga\nDuke\n");
  EXPECT_EQ(
      runHoopsRankingWith(dir, "--tally week12.txt ballots.csv - --output week13.txt < Cy.txt"), 0);
  EXPECT_EQ(readFile(dir.file("stdout")),
            "3 ballots of 2 places: 2 teams in the week's poll, saved to week13.txt\n");
  EXPECT_EQ(readFile(dir.file("stderr")), "");
  EXPECT_EQ(readFile(dir.file("week13.txt")),
            "March 9 2025\n1\tDuke\t23-3\t5\t2\n2\tGonzaga\t24-2\t4\t1\n");
  ProcessRun next = runHoopsRanking(dir, "\n1\nweek13.txt\n8\n9\n\n");
  EXPECT_NE(next.output.find("Loaded file.\n"), std::string::npos);
  EXPECT_EQ(next.errors, "");

  // One problem anywhere: every one is named, status 1, and the week is left as it was.
  writeFile(dir.file("more.csv"), "Ann,Duke,Gonzaga\nDee,Duke\n");
  EXPECT_EQ(runHoopsRankingWith(dir, "--output=week13.txt --tally week12.txt ballots.csv more.csv"),
            1);
  EXPECT_EQ(readFile(dir.file("stdout")), "");
  EXPECT_EQ(readFile(dir.file("stderr")),
            "more.csv:1: 'Ann' has cast a ballot already, at ballots.csv:2\n"
            "more.csv:2: a ballot of 1 teams; the first ballot has 2\n"
            "hoops-ranking: nothing is written: 2 problems in the ballots\n");
  EXPECT_EQ(readFile(dir.file("week13.txt")).substr(0, 13), "March 9 2025\n");
  EXPECT_EQ(runHoopsRankingWith(dir, "--tally week12.txt missing.csv"), 2);
  EXPECT_EQ(readFile(dir.file("stderr")),
            "hoops-ranking: cannot read 'missing.csv': " + errorText(ENOENT) + "\n");
}

// What a run reads comes whole from pipes and FIFOs, an output never replaces an input, a file
// with no ballot is a problem, and a flood of problems is told in a bounded number of lines.
TEST(TallyProcessTest, PipesNoBallotsNoOverwriteAndBoundedProblems) {
  TempDir dir;
  writeFile(dir.file("last.txt"),
            "March 2 2025\n1\tGonzaga\t24-2\t1512\t1\n2\tDuke\t23-3\t1488\t2\n");
  writeFile(dir.file("b.csv"), "Ann,Duke,Gonzaga\n");
  // A pipe whose writer is slow, and a FIFO whose writer comes after the run has started.
  ASSERT_EQ(shellStatus("mkfifo '" + dir.file("ff") + "'"), 0);
  const std::string limit = shellCan("command -v timeout") ? "timeout 60 " : "";
  writeFile(dir.file("pipes.sh"),
            "cd '" + dir.file("") + "' || exit 1\n" + limit + "'" + HOOPS_RANKING_EXE +
                "' --tally last.txt b.csv <(sleep 0.3; echo Duke; echo Gonzaga) ff --output w.txt"
                " > stdout 2> stderr &\n(sleep 0.3; printf 'Bo,Duke,Gonzaga\\n' > ff)\nwait $!\n");
  EXPECT_EQ(shellStatus("bash '" + dir.file("pipes.sh") + "'"), 0);
  EXPECT_EQ(readFile(dir.file("stderr")), "");
  EXPECT_EQ(readFile(dir.file("w.txt")),
            "March 9 2025\n1\tDuke\t23-3\t6\t2\n2\tGonzaga\t24-2\t3\t1\n");
  // Never over an input, nor into the file standard output goes to with the summary.
  const std::string before = readFile(dir.file("b.csv"));
  EXPECT_EQ(runHoopsRankingWith(dir, "--tally last.txt b.csv --output ./b.csv"), 2);
  EXPECT_EQ(readFile(dir.file("stderr")),
            "hoops-ranking: --output './b.csv' is 'b.csv', which this run reads; write to another "
            "file\n");
  EXPECT_EQ(readFile(dir.file("b.csv")), before);
  EXPECT_EQ(runHoopsRankingWith(dir, "--tally last.txt b.csv --output stdout"), 2);
  // An empty file, and 150 problems: the first 100 are told, then how many more.
  writeFile(dir.file("empty.csv"), "");
  EXPECT_EQ(runHoopsRankingWith(dir, "--tally last.txt b.csv empty.csv"), 1);
  EXPECT_EQ(readFile(dir.file("stderr")),
            "empty.csv: no ballot in it\nhoops-ranking: nothing is written: 1 problem in the "
            "ballots\n");
  std::string flood = "Ann,Duke,Gonzaga\n";
  for (int i = 0; i < 150; ++i) flood += "Voter " + std::to_string(i) + ",Duke,Duke\n";
  writeFile(dir.file("flood.csv"), flood);
  EXPECT_EQ(runHoopsRankingWith(dir, "--tally last.txt flood.csv"), 1);
  const std::string told = readFile(dir.file("stderr"));
  EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 102);
  EXPECT_NE(told.find("hoops-ranking: and 50 more problems\nhoops-ranking: nothing is written: 150 "
                      "problems in the ballots\n"),
            std::string::npos);
}

}  // namespace

}  // namespace hoops
