// The tally run as a process: a week's ballots become the week's file, which the menu loads next
// week; a week with problems writes nothing.
#include <gtest/gtest.h>

#include <cerrno>

#include <cstdlib>
#include <string>

#include "app/process_run.h"
#include "system/error_text.h"
#include "temp_dir.h"

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

}  // namespace
