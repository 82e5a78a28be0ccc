// The forms voters really send, each read to the same ballots; what fits no form is refused.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ballots/ballot_table.h"
#include "tally_of.h"

namespace hoops {

namespace {

// Ann: Gonzaga, Duke, Houston; Bob: Duke, Gonzaga, Houston.
const std::string kWeek =
    "March 9 2025\n1\tGonzaga\t24-2\t5\t1\n2\tDuke\t23-3\t5\t2\n3\tHouston\t22-3\t2\t3\n";

TEST(BallotFormsTest, EachFormGivesTheSameBallots) {
  const struct {
    const char* form;
    std::vector<std::pair<std::string, std::string>> files;
    std::string told;
  } cases[] = {
      {"a plain table, CR line ends",
       {{"a.csv", "Ann,Gonzaga,Duke,Houston\rBob,Duke,Gonzaga,Houston\r"}},
       ""},
      {"a Google Forms export: a voter's later submission replaces the earlier",
       {{"g.csv",
         "\"Timestamp\",\"Name\",\"1\",\"2\",\"3\"\r\n"
         "\"3/2/2025 16:10:00\",\"Ann\",\"Gonzaga\",\"Duke\",\"Houston\"\r\n"
         "\"3/2/2025 15:00:00\",\"Bob\",\"Duke\",\"Gonzaga\",\"Houston\"\r\n"
         "\"3/2/2025 9:05:33\",\"ANN\",\"Houston\",\"Duke\",\"Gonzaga\"\r\n"}},
       "g.csv:4: ANN's ballot is replaced by the later one at line 2\n"},
      {"a British export: a day past 12 tells that its dates are day first",
       {{"uk.csv",
         "Timestamp,Name,1,2,3\n"
         "13/02/2025 09:00,Ann,Houston,Duke,Gonzaga\n"
         "02/03/2025 09:00,Ann,Gonzaga,Duke,Houston\n"
         "02/03/2025 10:00,Bob,Duke,Gonzaga,Houston\n"}},
       "uk.csv:2: Ann's ballot is replaced by the later one at line 3\n"},
      {"dates that read either way but pick the same rows",
       {{"e.csv",
         "Timestamp,Name,1,2,3\n"
         "02/03/2025 09:00,Ann,Houston,Duke,Gonzaga\n"
         "02/03/2025 10:00,Ann,Gonzaga,Duke,Houston\n"
         "04/01/2025 10:00,Bob,Duke,Gonzaga,Houston\n"}},
       "e.csv:2: Ann's ballot is replaced by the later one at line 3\n"},
      {"a Microsoft Forms-style export: the name, else the email; other columns named",
       {{"m.csv",
         "ID,Start time,Completion time,Email,Name,Rank 1,Rank 2,Rank 3,Comments\n"
         "1,3/2/25 14:00,3/2/25 14:05,ann@example.org,,Gonzaga,Duke,Houston,great\n"
         "2,2025-03-02 14:01,2025-03-02T14:06:00Z,bob@example.org,Bob,Duke,Gonzaga,Houston,\n"}},
       "m.csv: columns that are not places are skipped: 'ID', 'Start time', 'Email', "
       "'Comments'\n"},
      {"a semicolon export, as a spreadsheet in a European locale writes it",
       {{"s.csv",
         "\"Voter\";\"1st\";\"2nd\";\"3rd\"\nAnn;Gonzaga;Duke;Houston\nBob;Duke;Gonzaga;"
         "Houston\n"}},
       ""},
      {"a header of other place names, with the voter not first",
       {{"h.tsv",
         "#1\tNo. 2\tBallot [3]\tYour "
         "name\nGonzaga\tDuke\tHouston\tAnn\nDuke\tGonzaga\tHouston\tBob\n"}},
       ""},
      {"numbered lists: an email's, and a sheet's rank and team",
       {{"Ann.txt", "1. Gonzaga\n2) Duke\n\n3: Houston\n"},
        {"Bob.txt", "1\tDuke\n2\tGonzaga\n3 Houston\n"}},
       ""},
  };
  for (const auto& c : cases) {
    const Outcome outcome = tallyOf(kLast, c.files);
    EXPECT_EQ(outcome.problems, "") << c.form;
    EXPECT_EQ(outcome.week, kWeek) << c.form;
    EXPECT_EQ(outcome.told, c.told) << c.form;
  }
}

TEST(BallotFormsTest, WhatFitsNoFormIsRefusedWithItsLine) {
  const struct {
    std::pair<std::string, std::string> file;
    std::string problems;
  } cases[] = {
      {{"Ann.txt", "1. Gonzaga\n3. Duke\n2. Houston\n"},
       "Ann.txt:2: a line not numbered 2 in a numbered list\n"
       "Ann.txt:3: a line not numbered 3 in a numbered list\n"},
      {{"Ann.txt", "1. Gonzaga\nDuke\n"}, "Ann.txt:2: a line not numbered 2 in a numbered list\n"},
      {{"a.csv", "Timestamp,1,2\n3/2/2025 9:00,Duke,Gonzaga\n"},
       "a.csv:1: a header row without a voter's column (Voter, Name or Email)\n"},
      {{"a.csv", "Timestamp,Name,1,2\nyesterday,Ann,Duke,Gonzaga\n"},
       "a.csv:2: a submission time that is not a date and time: 'yesterday'\n"},
      {{"a.csv",
        "Timestamp,Name,1,2\n13/2/2025 9:00,Ann,Duke,Gonzaga\n2/13/2025 9:00,Bob,Duke,Gonzaga\n"},
       "a.csv:2: a submission time written day first ('13/2/2025 9:00'), where line 3's is month "
       "first ('2/13/2025 9:00')\n"},
      {{"a.csv",
        "Timestamp,Name,1,2\n2/3/2025 9:00,Ann,Duke,Gonzaga\n3/2/2025 9:00,Ann,Gonzaga,Duke\n"},
       "a.csv:2: which of Ann's ballots is the later depends on whether the submission times are "
       "month first or day first ('2/3/2025 9:00'); export them with the year first (2025-03-02 "
       "14:05)\n"},
      {{"a.csv", "Ann,Duke,Gonzaga\nBob,Duke,Gonzaga\nCy\tDuke\tGonzaga\n"},
       "a.csv:3: a row not separated as the first row is, by commas\n"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = tallyOf(kLast, {c.file});
    EXPECT_EQ(outcome.problems, c.problems) << c.file.second;
    EXPECT_EQ(outcome.week, "");
  }
}

// Times as forms write them, ordered as they were made; what is no time is none.
TEST(BallotFormsTest, SubmissionTimesOrderAsTheyWereMade) {
  const auto time = [](const char* text) { return submissionTime(text); };
  EXPECT_EQ(time("3/2/2025 14:05:33"), time("2025-03-02T14:05:33Z"));
  EXPECT_EQ(time("3/2/2025 14:05:33"), time("2025/03/02 2:05:33 PM EST"));
  EXPECT_EQ(time("2.3.2025 14:05"), time("3/2/25 14:05"));
  EXPECT_EQ(submissionTime("2/3/2025 14:05", DateOrder::kDayFirst), time("3/2/25 14:05"));
  EXPECT_EQ(submissionTime("2025-03-02", DateOrder::kDayFirst), time("2025-03-02"));
  EXPECT_EQ(time("3/2/2025 12:00:00 AM"), time("3/2/2025"));
  EXPECT_LT(time("3/2/2025 9:59:59"), time("3/2/2025 10:00:00"));
  EXPECT_LT(time("12/31/2024 23:59"), time("1/1/2025 0:00"));
  EXPECT_LT(time("3/2/2025 11:59:59 PM"), time("3/3/2025 00:00:00"));
  for (const char* no : {"", "yesterday", "13/2/2025", "3/32/2025", "3/2/2025 25:00",
                         "3/2/2025 13:00 PM", "3-2/2025", "12345/1/1"}) {
    EXPECT_EQ(time(no), std::nullopt) << no;
  }
}

}  // namespace

}  // namespace hoops
