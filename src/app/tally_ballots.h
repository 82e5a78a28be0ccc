// hoops-ranking --tally: the week's ballots counted into the week's poll file.
#ifndef HOOPS_APP_TALLY_BALLOTS_H_
#define HOOPS_APP_TALLY_BALLOTS_H_

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/ballot_inputs.h"

namespace hoops {

struct TallyRequest {
  BallotInputs inputs;
  std::optional<std::string> output;  // else standard output
};

// Counts the ballots of `request` (ballots/tally.h) into the new week, dated a week after last
// week's poll, and writes it as a poll file: to `out`, or through the save to the output file,
// then one line on `out` with how many ballots, places and teams. Every problem in every file
// goes to `err` as "FILE:LINE: what" and nothing is written (status 1); a file that cannot be
// read, or a poll that cannot be saved, says why (status 2); otherwise 0. Names new this week
// and teams without a record are told on `err`.
int tallyBallots(const TallyRequest& request, std::ostream& out, std::ostream& err);

}  // namespace hoops

#endif  // HOOPS_APP_TALLY_BALLOTS_H_
