// The tally from the command line: read, check and count every ballot file, then write the week.
#include "app/tally_ballots.h"

#include "app/mode_support.h"
#include "ballots/ballot_reader.h"
#include "ballots/records.h"
#include "ballots/tally.h"
#include "pollfile/load_poll.h"
#include "pollfile/poll_writer.h"
#include "pollfile/save_poll.h"

namespace {

int tally(const TallyRequest& request, std::ostream& out, std::ostream& err) {
  if (request.output) {
    std::vector<std::string> inputs = request.ballots;
    inputs.push_back(request.last);
    if (request.records) inputs.push_back(*request.records);
    if (request.roster) inputs.push_back(*request.roster);
    if (!outputApart(*request.output, inputs, true, err)) return 2;
  }
  Poll last;
  std::string reason;
  std::vector<Finding> findings;
  const LoadOutcome loaded = request.last == "-"
                                 ? loadPollFrom(last, kStandardInput, &reason, &findings)
                                 : loadPollFile(last, request.last, &reason, &findings);
  if (loaded != LoadOutcome::kLoaded) {
    for (const Finding& finding : findings) {
      err << request.last << ':' << finding.line << ": " << finding.text() << '\n';
    }
    err << "hoops-ranking: cannot open '" << request.last << "': " << reason << '\n';
    return loaded == LoadOutcome::kRefused ? 1 : 2;
  }
  ProblemList problems;
  std::vector<TeamRecord> records;
  if (request.records && !readInputFile(*request.records, err, [&](std::istream& in) {
        return readRecords(in, *request.records, records, problems);
      })) {
    return 2;
  }
  std::vector<RosterTeam> roster;
  if (!readRosterFile(request.roster, roster, problems, err)) return 2;
  KnownTeams known;
  if (request.roster) known = {&roster, *request.roster, nullptr, "", {}};
  if (request.records) {
    known.records = &records;
    known.recordsFile = *request.records;
  }
  known.newTeams = request.newTeams;
  Tally tally(last, known, problems);
  if (!countBallotFiles(request.ballots, tally, problems, err)) return 2;
  Poll week;
  std::vector<std::string> noRecord;
  if (problems.empty()) tally.week(last.date, week, noRecord, problems);
  if (!problems.empty()) {
    tellProblems(err, problems);
    if (tally.refusedAName()) {
      err << "hoops-ranking: a team new to the poll this week is named with --new 'NAME', or "
             "kept in the roster (--teams FILE)\n";
    }
    err << "hoops-ranking: nothing is written: " << problems.size()
        << (problems.size() == 1 ? " problem" : " problems") << " in the ballots\n";
    return 1;
  }
  for (const Team& team : week.teams) {
    if (team.lastWeek < 0) err << "hoops-ranking: new this week: " << team.name << '\n';
  }
  for (const std::string& name : noRecord) {
    err << "hoops-ranking: no record for " << name << "; it is written as 0-0\n";
  }
  if (!request.output) {
    writePollFile(out, week);
    return 0;
  }
  std::vector<std::string> notes;
  if (!savePoll(week, *request.output, &reason, &notes)) {
    err << "hoops-ranking: cannot save '" << *request.output << "': " << reason << '\n';
    return 2;
  }
  for (const std::string& note : notes) err << "hoops-ranking: " << note << '\n';
  out << tally.ballots() << (tally.ballots() == 1 ? " ballot of " : " ballots of ")
      << tally.places() << " places: " << week.teamCount()
      << (week.teamCount() == 1 ? " team" : " teams") << " in the week's poll, saved to "
      << *request.output << '\n';
  return 0;
}

}  // namespace

int tallyBallots(const TallyRequest& request, std::ostream& out, std::ostream& err) {
  return runMode("tally", out, err, [&] { return tally(request, out, err); });
}
