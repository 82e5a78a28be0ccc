// What the modes that count a week's ballots read: last week's poll, the known teams, the
// ballots; and the count of them, shared by --tally and --analyze.
#ifndef HOOPS_APP_BALLOT_INPUTS_H_
#define HOOPS_APP_BALLOT_INPUTS_H_

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ballots/tally.h"
#include "poll/poll.h"

namespace hoops {

struct BallotInputs {
  std::string last;                    // last week's poll file
  std::vector<std::string> ballots;    // ballot files ("-": standard input)
  std::optional<std::string> records;  // the teams' records
  std::optional<std::string> roster;   // the league's teams and their other spellings
  std::vector<std::string> newTeams;   // teams entering the poll this week
};

// Every file of `inputs`, for --output to be kept apart from.
std::vector<std::string> inputFiles(const BallotInputs& inputs);

// Loads last week's poll into `last` and counts every ballot of `inputs` into `tally` (made
// here; `keep` keeps each ballot, Tally::keepBallots). Returns 0 when every ballot was counted
// without a problem; otherwise every problem is on `err`, "nothing is written" after them, and
// the status is returned: 1 for problems in the files, 2 for a file that cannot be read.
int countBallots(const BallotInputs& inputs, bool keep, Poll& last, std::optional<Tally>& tally,
                 std::ostream& err);

}  // namespace hoops

#endif  // HOOPS_APP_BALLOT_INPUTS_H_
