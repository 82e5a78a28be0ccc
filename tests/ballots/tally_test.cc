// Ballots counted into a week: the points, the order, and every problem a poll keeper would
// catch by hand.
#include "ballots/tally.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ballots/week_check.h"
#include "pollfile/poll_reader.h"
#include "tally_of.h"
#include "test_paths.h"

namespace hoops {

namespace {

TEST(TallyTest, SixtyBallotsGiveThePointsWorkedOutApart) {
  // Made, with the points and order worked out on their own, by data/make_sixty.py.
  const std::string data = HOOPS_TEST_DATA;
  const Outcome outcome =
      tallyOf(readFile(data + "/sixty-last.txt"),
              {{"sixty-ballots.csv", readFile(data + "/sixty-ballots.csv")}},
              {std::nullopt, std::nullopt, {"Newcomer State", "Late Bloomer College"}});
  EXPECT_EQ(outcome.problems, "");
  EXPECT_EQ(outcome.week, readFile(data + "/sixty-expected.txt"));
  EXPECT_EQ(outcome.told,
            "new: Newcomer State\nnew: Late Bloomer College\n"
            "no record: Newcomer State\nno record: Late Bloomer College\n");
}

TEST(TallyTest, PointsOrderAndTheForms) {
  const struct {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files;
    std::vector<std::string> newTeams;
    std::string week;
    std::string told;
  } cases[] = {
      {"a table and a list; equal points in last week's order, new teams after by name",
       {{"b.csv", "VOTER,1st,2nd\r\nAnn,Houston,Duke\r\n\r\n,,\r\nBob,Gonzaga,Purdue,,\r\n"},
        {"polls/Cy Young.txt", "Zags\nHouston\n"}},
       {"Zags", "Purdue"},
       "March 9 2025\n1\tHouston\t22-3\t3\t3\n2\tGonzaga\t24-2\t2\t1\n3\tZags\t0-0\t2\t-\n"
       "4\tDuke\t23-3\t1\t2\n5\tPurdue\t0-0\t1\t-\n",
       "new: Zags\nnew: Purdue\nno record: Zags\nno record: Purdue\n"},
      {"tab-separated, with a comma in a name",
       {{"b.tsv", "Ann\tDuke\tTexas A&M, CC\n"}},
       {"Texas A&M, CC"},
       "March 9 2025\n1\tDuke\t23-3\t2\t2\n2\tTexas A&M, CC\t0-0\t1\t-\n",
       "new: Texas A&M, CC\nno record: Texas A&M, CC\n"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = tallyOf(kLast, c.files, {std::nullopt, std::nullopt, c.newTeams});
    EXPECT_EQ(outcome.problems, "") << c.what;
    EXPECT_EQ(outcome.week, c.week) << c.what;
    EXPECT_EQ(outcome.told, c.told) << c.what;
  }
}

TEST(TallyTest, EveryProblemInEveryFileIsNamedAndNothingIsWritten) {
  const std::string records = "Gonzaga,25-2\nDuke,23,4\nHouston\nPurdue,20-5\n";
  const Outcome outcome = tallyOf(kLast,
                                  {{"a.csv",
                                    "Ann,Gonzaga,Duke,Houston\n"
                                    "Bob,Duke,Gonzaga\n"
                                    "Cy,gonzaga,,Duke\n"
                                    ",Duke,Gonzaga,Houston\n"
                                    "Dee,Duke,Duke,Kansas\n"
                                    "Eve,\"Duke,Gonzaga,Houston\n"},
                                   {"polls/Ann.txt", "Gonzaga\nDuke\nHouston\n"}},
                                  {records, std::nullopt, {}});
  EXPECT_EQ(outcome.week, "");
  EXPECT_EQ(outcome.problems,
            "records.txt:3: not a record: a team's name, then W-L or wins and losses\n"
            "a.csv:2: a ballot of 2 teams; the first ballot has 3\n"
            "a.csv:3: 'gonzaga' is not a known team; did you mean 'Gonzaga'?\n"
            "a.csv:3: place 2 is empty\n"
            "a.csv:4: a ballot without a voter\n"
            "a.csv:5: 'Duke' is on this ballot twice, in places 1 and 2\n"
            "a.csv:5: 'Kansas' is not a known team\n"
            "a.csv:6: a quote that is never closed\n"
            "polls/Ann.txt:1: 'Ann' has cast a ballot already, at a.csv:1\n");
}

TEST(TallyTest, RecordsGiveTheWeeksRecords) {
  const std::string records = "Gonzaga,25-2\n\"Duke\",23,4\nPurdue,20-5\n";
  const Outcome outcome = tallyOf(kLast, {{"a.csv", "Ann,Purdue,Gonzaga\nBob,Duke,Gonzaga\n"}},
                                  {records, std::nullopt, {}});
  EXPECT_EQ(outcome.problems, "");
  EXPECT_EQ(outcome.week,
            "March 9 2025\n1\tGonzaga\t25-2\t2\t1\n2\tDuke\t23-4\t2\t2\n3\tPurdue\t20-5\t2\t-\n");
  EXPECT_EQ(outcome.told, "new: Purdue\n");
}

}  // namespace

// What no line of a poll file can hold, a row that is no ballot, a voter twice in any spelling,
// a records file's header and second records: each refused with its place, nothing written.
TEST(TallyTest, WhatTheWeeksFileCannotHoldIsRefused) {
  const std::string longName(4097, 'n');  // NOLINT(bugprone-string-constructor): meant
  std::string longRow = "Ann,";
  longRow.append(std::size_t{1} << 20, 'x');
  std::string manyPlaces = "Ann";
  for (int place = 1; place <= 1001; ++place) manyPlaces += ",T" + std::to_string(place);
  const std::string records = "Team,Record\nGonzaga,25-2\nDuke,23-4\nduke,1-1\n";
  const struct {
    std::vector<std::pair<std::string, std::string>> files;
    std::string problems;
  } cases[] = {
      // A name holding a tab and line ends would forge rows of the week's file.
      {{{"a.csv", "Ann,\"Evil\t0-0\t1\t-\n2\tForged\t30-0\t99999\t1\n4\tPad\",Duke\n"}},
       "a.csv:1: place 1: a name that cannot stand in a poll file: it holds a tab\n"},
      {{{"a.csv", std::string("Ann,Du\0ke,Gonzaga\n", 18)}},
       "a.csv:1: place 1: a name that cannot stand in a poll file: it holds a NUL byte\n"},
      {{{"a.csv", "Ann,\"Du\rke\",Gonzaga\n"}},
       "a.csv:1: place 1: a name that cannot stand in a poll file: it holds a line end\n"},
      {{{"a.csv",
         "Ann,Duke,A\xC2\x85"
         "B\n"}},
       "a.csv:1: place 2: a name that cannot stand in a poll file: it holds a control "
       "character\n"},
      {{{"a.csv", "Ann,\xFF\xFE,Duke\n"}},
       "a.csv:1: place 1: a name that cannot stand in a poll file: it is not UTF-8 text\n"},
      {{{"a.csv", "Ann,Duke," + longName + "\n"}},
       "a.csv:1: place 2: a name that cannot stand in a poll file: it is longer than 4,096 "
       "bytes\n"},
      {{{"a.csv", "Voter,1,2\nAnn\nBob,Duke,Gonzaga\n"}}, "a.csv:2: a ballot of no teams\n"},
      // A list's problems stand on their own lines.
      {{{"polls/Cy.txt", "Gonzaga\n\nDuke\nDuke\n"}},
       "polls/Cy.txt:4: 'Duke' is on this ballot twice, in places 2 and 3\n"},
      {{{"a.csv", "Ann,Duke,Gonzaga\nBob\tGonzaga\tDuke\n"}},
       "a.csv:2: a row not separated as the first row is, by commas\n"},
      {{{"a.csv", manyPlaces + "\n"}}, "a.csv:1: a ballot of more than 1,000 places\n"},
      {{{"a.csv", longRow + "\nBob,Duke,Gonzaga\n"}},
       "a.csv:1: a row longer than 1 MiB; nothing after it is read\n"},
      {{{"a.csv", "Avery Quinn,Duke,Gonzaga\n AVERY  QUINN ,Gonzaga,Duke\n"},
        {"avery quinn.txt", "Duke\nGonzaga\n"}},
       "a.csv:2: 'AVERY  QUINN' has cast a ballot already, at a.csv:1\n"
       "avery quinn.txt:1: 'avery quinn' has cast a ballot already, at a.csv:1\n"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = tallyOf(kLast, c.files);
    EXPECT_EQ(outcome.problems, c.problems);
    EXPECT_EQ(outcome.week, "") << c.problems;
  }
  const Outcome withRecords =
      tallyOf(kLast, {{"a.csv", "Ann,Duke,Gonzaga\n"}}, {records, std::nullopt, {}});
  EXPECT_EQ(withRecords.problems, "records.txt:4: a second record for the team at line 3\n");
}

// A separator is the first row's: semicolons as a spreadsheet in a European locale writes them.
TEST(TallyTest, TheFirstRowsSeparatorHoldsForTheFile) {
  const Outcome outcome = tallyOf(
      kLast, {{"a.csv", "\n\"Voter\";\"1\";\"2\"\nAnn;Duke;\"Gonzaga\"\nBob;Duke;Houston\n"}});
  EXPECT_EQ(outcome.problems, "");
  EXPECT_EQ(outcome.week,
            "March 9 2025\n1\tDuke\t23-3\t4\t2\n2\tGonzaga\t24-2\t1\t1\n3\tHouston\t22-3\t1\t3\n");
}

namespace {

// Each limit holds at its value and refuses one past it.
TEST(TallyTest, LimitsHoldAtTheirValueAndRefuseOnePast) {
  std::vector<std::string> teams;
  for (int team = 1; team <= 1001; ++team) {
    // (A piece at a time: GCC 12 warns falsely of overlaps in "T" + std::to_string(...).)
    std::string name = "T";
    name += std::to_string(team);
    teams.push_back(name);
  }
  const auto row = [&](std::size_t places) {
    std::string text = "Ann";
    for (std::size_t place = 0; place < places; ++place) text += "," + teams[place];
    return text + "\n";
  };
  const auto list = [&](std::size_t places) {
    std::string text;
    for (std::size_t place = 0; place < places; ++place) text += teams[place] + "\n";
    return text;
  };
  const Known known{std::nullopt, std::nullopt, teams};
  EXPECT_EQ(tallyOf(kLast, {{"a.csv", row(1000)}}, known).problems, "");
  EXPECT_EQ(tallyOf(kLast, {{"a.csv", row(1001)}}, known).problems,
            "a.csv:1: a ballot of more than 1,000 places\n");
  EXPECT_EQ(tallyOf(kLast, {{"Ann.txt", list(1000)}}, known).problems, "");
  EXPECT_EQ(tallyOf(kLast, {{"Ann.txt", list(1001)}}, known).problems,
            "Ann.txt:1001: more than 1,000 teams in a one-ballot list\n");
  for (const std::size_t found : {ProblemList::kKept, ProblemList::kKept + 1}) {
    ProblemList problems;
    for (std::size_t i = 0; i < found; ++i) problems.push_back({"a.csv", i + 1, "x"});
    EXPECT_EQ(problems.size(), found);
    EXPECT_EQ(problems.notKept(), found - ProblemList::kKept);
    EXPECT_EQ(std::distance(problems.begin(), problems.end()),
              static_cast<std::ptrdiff_t>(ProblemList::kKept));
  }
}

// An empty place where tabs separate is a place, never a blank to skip; new teams with equal
// points stand by name; first places are counted team by team.
TEST(TallyTest, EmptyTabPlacesNewTeamsTiedAndFirstPlaces) {
  EXPECT_EQ(tallyOf(kLast, {{"a.tsv", "Ann\tDuke\t\tGonzaga\n"}}).problems,
            "a.tsv:1: place 2 is empty\n");
  const Outcome tied = tallyOf(kLast, {{"a.csv", "Ann,Duke,Zeta\nBob,Duke,Alpha\n"}},
                               {std::nullopt, std::nullopt, {"Zeta", "Alpha"}});
  EXPECT_EQ(tied.week,
            "March 9 2025\n1\tDuke\t23-3\t4\t2\n2\tAlpha\t0-0\t1\t-\n3\tZeta\t0-0\t1\t-\n");
  std::istringstream last(kLast);
  Poll lastWeek;
  FindingTally findings;
  ASSERT_TRUE(readPollFile(last, lastWeek, findings));
  ProblemList problems;
  Tally tally(lastWeek, {}, problems);
  std::vector<std::string> notes;
  std::istringstream in("Ann,Duke,Gonzaga\nBob,Duke,Gonzaga\nCy,Gonzaga,Duke\n");
  readBallots(
      in, "a.csv", "a", [&](const Ballot& ballot) { tally.count("a.csv", ballot, problems); },
      problems, notes);
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(tally.firstPlaces(),
            (std::unordered_map<std::string, int64_t>{{"Duke", 2}, {"Gonzaga", 1}}));
  EXPECT_EQ(tally.points(),
            (std::unordered_map<std::string, int64_t>{{"Duke", 5}, {"Gonzaga", 4}}));
}

TEST(TallyTest, BallotsAgainstTheWeekTeamByTeam) {
  Week week;
  week.add("Duke", 1, 1, 5, -1);
  week.add("Gonzaga", 1, 1, 4, -1);
  const struct {
    std::unordered_map<std::string, int64_t> points;
    std::vector<std::string> differ;
  } cases[] = {
      {{{"Duke", 5}, {"Gonzaga", 4}}, {}},
      {{{"Duke", 4}, {"Gonzaga", 4}}, {"Duke (the ballots give 4, the week 5)"}},
      {{{"Duke", 5}}, {"Gonzaga (the ballots give 0, the week 4)"}},
      {{{"Duke", 5}, {"Gonzaga", 4}, {"Kansas", 1}},
       {"Kansas (the ballots give 1, the week has no such team)"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ballotsAgainstWeek(c.points, week), c.differ);
}

}  // namespace

}  // namespace hoops
