// Ballot files tallied against last week's poll, as the tally runs them, for the tests.
#ifndef HOOPS_TESTS_BALLOTS_TALLY_OF_H_
#define HOOPS_TESTS_BALLOTS_TALLY_OF_H_

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "ballots/ballot_reader.h"
#include "ballots/records.h"
#include "ballots/roster.h"
#include "ballots/tally.h"
#include "pollfile/load_poll.h"
#include "pollfile/poll_writer.h"
#include "temp_dir.h"

namespace hoops {

// Last week's poll of most of the tally's tests: Gonzaga, Duke and Houston.
inline const std::string kLast =
    "March 2 2025\n1\tGonzaga\t24-2\t1512\t1\n2\tDuke\t23-3\t1488\t2\n3\tHouston\t22-3\t1401\t3\n";

struct Outcome {
  std::string week;      // the poll file written, or "" when refused
  std::string problems;  // "FILE:LINE: what" lines
  std::string told;      // teams new this week and without a record, and the readers' notes
};

// What is known besides last week's teams: the records, the roster, the --new names.
struct Known {
  std::optional<std::string> records;
  std::optional<std::string> roster;
  std::vector<std::string> newTeams;
};

// Tallies ballot files (name, text) against last week's poll `last`, with `known`.
inline Outcome tallyOf(const std::string& last,
                       const std::vector<std::pair<std::string, std::string>>& files,
                       const Known& known = {}) {
  TempDir dir;
  writeFile(dir.file("last.txt"), last);
  Poll lastWeek;
  EXPECT_EQ(loadPollFile(lastWeek, dir.file("last.txt")), LoadOutcome::kLoaded);
  ProblemList problems;
  std::vector<TeamRecord> teamRecords;
  std::vector<RosterTeam> roster;
  KnownTeams teams;
  if (known.roster) {
    std::istringstream in(*known.roster);
    readRoster(in, "roster.txt", roster, problems);
    teams.roster = &roster;
    teams.rosterFile = "roster.txt";
  }
  if (known.records) {
    std::istringstream in(*known.records);
    readRecords(in, "records.txt", teamRecords, problems);
    teams.records = &teamRecords;
    teams.recordsFile = "records.txt";
  }
  teams.newTeams = known.newTeams;
  Tally tally(lastWeek, teams, problems);
  Outcome outcome;
  std::vector<std::string> notes;
  for (const auto& file : files) {
    const std::string& name = file.first;
    std::istringstream in(file.second);
    readBallots(
        in, name, voterOfListFile(name),
        [&](const Ballot& ballot) { tally.count(name, ballot, problems); }, problems, notes);
  }
  tally.finish(problems);
  Poll week;
  std::vector<std::string> noRecord;
  if (problems.empty() && tally.week(lastWeek.date, week, noRecord, problems)) {
    std::ostringstream out;
    writePollFile(out, week);
    outcome.week = out.str();
    for (const Team& team : week.teams) {
      if (team.lastWeek < 0) outcome.told += "new: " + std::string(team.name) + "\n";
    }
  }
  for (const Problem& p : problems) {
    outcome.problems += p.file + ":" + std::to_string(p.line) + ": " + p.what + "\n";
  }
  for (const std::string& name : noRecord) outcome.told += "no record: " + name + "\n";
  for (const std::string& note : notes) outcome.told += note + "\n";
  return outcome;
}

}  // namespace hoops

#endif  // HOOPS_TESTS_BALLOTS_TALLY_OF_H_
