// hoops-ranking --analyze: every ballot of the week against the consensus of them all.
#ifndef HOOPS_APP_ANALYZE_BALLOTS_H_
#define HOOPS_APP_ANALYZE_BALLOTS_H_

#include <optional>
#include <ostream>
#include <string>

#include "analysis/analysis_formats.h"
#include "app/ballot_inputs.h"

namespace hoops {

struct AnalyzeRequest {
  AnalysisFormat format = AnalysisFormat::kText;
  BallotInputs inputs;
  std::optional<std::string> output;  // else standard output
};

// Reads and checks the ballots of `request` as --tally does (a problem: every one on `err`,
// nothing written, status 1; a file that cannot be read: status 2), then writes each ballot
// against the consensus (analysis/ballot_analysis.h) in the request's format to `out` or
// through the save to the output file (status 2 when it cannot be saved); 0 otherwise.
int analyzeBallots(const AnalyzeRequest& request, std::ostream& out, std::ostream& err);

}  // namespace hoops

#endif  // HOOPS_APP_ANALYZE_BALLOTS_H_
