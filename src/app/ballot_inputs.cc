// Last week's poll, the known teams and the ballots, read and counted.
#include "app/ballot_inputs.h"

#include "app/mode_support.h"
#include "ballots/records.h"
#include "poll/problem.h"
#include "pollfile/load_poll.h"

namespace hoops {

std::vector<std::string> inputFiles(const BallotInputs& inputs) {
  std::vector<std::string> files = inputs.ballots;
  files.push_back(inputs.last);
  if (inputs.records) files.push_back(*inputs.records);
  if (inputs.roster) files.push_back(*inputs.roster);
  return files;
}

int countBallots(const BallotInputs& inputs, bool keep, Poll& last, std::optional<Tally>& tally,
                 std::ostream& err) {
  std::string reason;
  std::vector<Finding> findings;
  const LoadOutcome loaded = loadNamedPoll(last, inputs.last, &reason, &findings);
  if (loaded != LoadOutcome::kLoaded) {
    for (const Finding& finding : findings) {
      err << Problem{inputs.last, finding.line, finding.text()} << '\n';
    }
    err << "hoops-ranking: cannot open '" << inputs.last << "': " << reason << '\n';
    return loaded == LoadOutcome::kRefused ? 1 : 2;
  }
  ProblemList problems;
  std::vector<TeamRecord> records;
  if (inputs.records && !readInputFile(*inputs.records, err, [&](std::istream& in) {
        return readRecords(in, *inputs.records, records, problems);
      })) {
    return 2;
  }
  std::vector<RosterTeam> roster;
  if (!readRosterFile(inputs.roster, roster, problems, err)) return 2;
  KnownTeams known;
  if (inputs.roster) {
    known.roster = &roster;
    known.rosterFile = *inputs.roster;
  }
  if (inputs.records) {
    known.records = &records;
    known.recordsFile = *inputs.records;
  }
  known.newTeams = inputs.newTeams;
  tally.emplace(last, known, problems);
  if (keep) tally->keepBallots();
  if (!countBallotFiles(inputs.ballots, *tally, problems, err)) return 2;
  if (problems.empty()) return 0;
  tellProblems(err, problems);
  if (tally->refusedAName()) {
    err << "hoops-ranking: a team new to the poll this week is named with --new 'NAME', or "
           "kept in the roster (--teams FILE)\n";
  }
  err << "hoops-ranking: nothing is written: " << problems.size()
      << (problems.size() == 1 ? " problem" : " problems") << " in the ballots\n";
  return 1;
}

}  // namespace hoops
