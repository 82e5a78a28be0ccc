// The tally from the command line: read, check and count every ballot file, then write the week.
#include "app/tally_ballots.h"

#include "app/mode_support.h"
#include "poll/problem.h"
#include "pollfile/poll_writer.h"
#include "pollfile/save_poll.h"

namespace hoops {

namespace {

int tally(const TallyRequest& request, std::ostream& out, std::ostream& err) {
  if (request.output && !outputApart(*request.output, inputFiles(request.inputs), true, err)) {
    return 2;
  }
  Poll last;
  std::optional<Tally> tally;
  if (const int status = countBallots(request.inputs, false, last, tally, err); status != 0) {
    return status;
  }
  Poll week;
  std::vector<std::string> noRecord;
  ProblemList problems;
  if (!tally->week(last.date, week, noRecord, problems)) {
    tellProblems(err, problems);
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
  std::string reason;
  std::vector<std::string> notes;
  if (!savePoll(week, *request.output, &reason, &notes)) {
    err << "hoops-ranking: cannot save '" << *request.output << "': " << reason << '\n';
    return 2;
  }
  tellNotes(err, notes);
  out << tally->ballots() << (tally->ballots() == 1 ? " ballot of " : " ballots of ")
      << tally->places() << " places: " << week.teamCount()
      << (week.teamCount() == 1 ? " team" : " teams") << " in the week's poll, saved to "
      << *request.output << '\n';
  return 0;
}

}  // namespace

int tallyBallots(const TallyRequest& request, std::ostream& out, std::ostream& err) {
  return runMode("tally", out, err, [&] { return tally(request, out, err); });
}

}  // namespace hoops
