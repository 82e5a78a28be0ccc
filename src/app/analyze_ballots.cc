// The analysis from the command line: the ballots read and counted as the tally counts them,
// then measured against their consensus and written.
#include "app/analyze_ballots.h"

#include "analysis/ballot_analysis.h"
#include "app/mode_support.h"
#include "poll/date.h"
#include "poll/problem.h"
#include "system/save_file.h"

namespace hoops {

namespace {

int analyze(const AnalyzeRequest& request, std::ostream& out, std::ostream& err) {
  if (request.output && !outputApart(*request.output, inputFiles(request.inputs), false, err)) {
    return 2;
  }
  Poll last;
  std::optional<Tally> tally;
  if (const int status = countBallots(request.inputs, true, last, tally, err); status != 0) {
    return status;
  }
  const BallotAnalysis analysis(tally->takeBallots());
  tally.reset();
  // The week the ballots are for: a week after last week's poll, as the tally dates it.
  const std::string date(last.date);
  std::vector<std::string> notes;
  const auto write = [&](std::ostream& to) {
    writeAnalysis(to, analysis, request.format, date, notes);
  };
  if (!request.output) {
    write(out);
  } else if (!saveDocument(*request.output, write,
                           {"the new analysis", "what the file held before"}, notes, err)) {
    return 2;
  }
  tellNotes(err, notes);
  return 0;
}

}  // namespace

int analyzeBallots(const AnalyzeRequest& request, std::ostream& out, std::ostream& err) {
  return runMode("analyze", out, err, [&] { return analyze(request, out, err); });
}

}  // namespace hoops
