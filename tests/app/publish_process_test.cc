// Publishing as a process: first-place votes from the ballots the week was tallied from, and a
// season or ballots that cannot be published, refused with every reason.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/process_run.h"
#include "system/status.h"
#include "temp_dir.h"

namespace hoops {

namespace {

TEST(PublishProcessTest, FirstPlaceVotesFromTheBallotsAndRefusals) {
  TempDir dir;
  writeFile(dir.file("w12.txt"),
            "March 2 2025\n1\tGonzaga\t24-2\t1512\t1\n2\tDuke\t23-3\t1488\t2\n");
  writeFile(dir.file("b.csv"), "Ann,Duke,Gonzaga\nBob,Duke,Gonzaga\nCy,Gonzaga,Duke\n");
  ASSERT_EQ(runHoopsRankingWith(dir, "--tally w12.txt b.csv --output w13.txt"), 0);
  EXPECT_EQ(runHoopsRankingWith(dir, "--publish text w13.txt w12.txt --ballots b.csv --top 1"), 0);
  EXPECT_EQ(readFile(dir.file("stdout")),
            "March 9 2025\nRank  Team      Record  Points  Last week\n"
            "   1  Duke (2)  23-3         5          -\n\n"
            "Others receiving votes: Gonzaga 4.\n\nDropped from rankings: No. 1 Gonzaga.\n");
  // Ballots that are not the week's votes, a season with two polls of one date, a first line
  // that is not a date: nothing is published, and each reason is said.
  writeFile(dir.file("other.csv"), "Ann,Gonzaga,Duke\n");
  EXPECT_EQ(runHoopsRankingWith(dir, "--publish=csv w13.txt --ballots other.csv"), 1);
  EXPECT_EQ(
      readFile(dir.file("stderr")),
      "hoops-ranking: the ballots are not the week's votes; publish the week the ballots "
      "were tallied into, or the ballots it was tallied from. Teams that differ:\n"
      "  Duke (the ballots give 1, the week 5)\n  Gonzaga (the ballots give 2, the week 4)\n");
  writeFile(dir.file("again.txt"), "March 9 2025\n1\tA\t1-1\t3\t-\n");
  writeFile(dir.file("odd.txt"), "Week 13\n1\tA\t1-1\t3\t-\n");
  EXPECT_EQ(runHoopsRankingWith(dir, "--publish html w13.txt again.txt odd.txt --output page.html"),
            1);
  EXPECT_EQ(readFile(dir.file("stderr")),
            "odd.txt:1: 'Week 13' is not a poll date, so its week is not known\n"
            "again.txt: has the date March 9 2025, as w13.txt has; a season has one poll a date\n"
            "hoops-ranking: nothing is published\n");
  // A name that is not one of the week's teams is refused, once however often it is given.
  writeFile(dir.file("refused.csv"), "Ann,Duke,Gonzaga\nBob,Newbie,Newbie\n");
  EXPECT_EQ(runHoopsRankingWith(dir, "--publish text w13.txt --ballots refused.csv"), 1);
  EXPECT_EQ(readFile(dir.file("stderr")), "refused.csv:2: 'Newbie' is not a known team\n");
  // A week missing between two files is named; the dates published are the files' own.
  writeFile(dir.file("w15.txt"), "March 23 2025\n1\tDuke\t25-3\t5\t1\n");
  EXPECT_EQ(runHoopsRankingWith(dir, "--publish text w13.txt w15.txt --top 1"), 0);
  EXPECT_EQ(readFile(dir.file("stderr")),
            "hoops-ranking: no week between March 9 2025 and March 23 2025\n");
  EXPECT_EQ(readFile(dir.file("stdout")).substr(0, 14), "March 23 2025\n");
  // A week that cannot be read is the system's refusal, as in the other modes.
  EXPECT_EQ(runHoopsRankingWith(dir, "--season text w13.txt missing.txt"), 2);
  EXPECT_EQ(readFile(dir.file("stderr")),
            "missing.txt: " + errorText(ENOENT) + "\nhoops-ranking: nothing is published\n");
  EXPECT_EQ(runHoopsRankingWith(dir, "--publish pdf w13.txt"), 2);
  EXPECT_EQ(runHoopsRankingWith(dir, "--publish text w13.txt --top 0"), 2);
}

// Every form at once, each the same bytes as alone, and the feed; never over a week read.
TEST(PublishProcessTest, EveryFormAtOnceAndTheFeed) {
  TempDir dir;
  writeFile(dir.file("w1.txt"), "March 2 2025\n1\tGonzaga\t24-2\t20\t1\n2\tDuke\t23-3\t10\t2\n");
  writeFile(dir.file("w2.txt"), "March 9 2025\n1\tDuke\t24-3\t20\t2\n2\tGonzaga\t24-3\t10\t1\n");
  ASSERT_EQ(runHoopsRankingWith(dir,
                                "--publish all w1.txt w2.txt --output-dir . --feed "
                                "https://poll.example/weeks"),
            0);
  std::string saved;
  for (const char* form : {"text:txt", "markdown:md", "csv:csv", "json:json", "html:html"}) {
    const std::string format(form, std::string(form).find(':'));
    const std::string extension = std::string(form).substr(format.size() + 1);
    saved += "saved ./2025-03-09." + extension + "\n";
    const std::string alone = readFile(dir.file("2025-03-09." + extension));
    ASSERT_EQ(runHoopsRankingWith(dir, "--publish " + format + " w1.txt w2.txt"), 0);
    EXPECT_EQ(readFile(dir.file("stdout")), alone) << format;
  }
  const std::string feed = readFile(dir.file("feed.xml"));
  EXPECT_NE(feed.find("<link href=\"https://poll.example/weeks/2025-03-02.html\"/>"),
            std::string::npos);
  EXPECT_NE(feed.find("<summary>1 Duke; 2 Gonzaga</summary>"), std::string::npos);
  ASSERT_EQ(runHoopsRankingWith(dir, "--season all w1.txt w2.txt --output-dir ."), 0);
  EXPECT_EQ(readFile(dir.file("stdout")).substr(0, 30), "saved ./season-2025-03-09.txt\n");
  // A week whose file has the name a form would take is refused before anything is saved.
  writeFile(dir.file("2025-03-16.txt"), "March 16 2025\n1\tDuke\t25-3\t20\t1\n");
  EXPECT_EQ(runHoopsRankingWith(dir, "--publish all w1.txt w2.txt 2025-03-16.txt --output-dir ."),
            2);
  EXPECT_EQ(readFile(dir.file("2025-03-16.txt")), "March 16 2025\n1\tDuke\t25-3\t20\t1\n");
  EXPECT_FALSE(std::ifstream(dir.file("2025-03-16.md")).is_open());
}

}  // namespace

}  // namespace hoops
