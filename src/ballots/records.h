// Teams' records for the week, from a file of the poll keeper's.
#ifndef HOOPS_BALLOTS_RECORDS_H_
#define HOOPS_BALLOTS_RECORDS_H_

#include <istream>
#include <string>
#include <vector>

#include "ballots/ballot_reader.h"
#include "ballots/tally.h"

namespace hoops {

// Reads a records file from `in`: one team a line, its name and its record, separated as its
// first row is (tableSeparator), the record as W-L or as two columns, wins and losses; blank
// lines and a first row without a digit (a header) are skipped. What is not so, a name no poll
// line can hold, and a second record for a team (its name folded as foldedName folds it) go to
// `problems`, named by `file`. Returns false on a read error.
bool readRecords(std::istream& in, const std::string& file, std::vector<TeamRecord>& records,
                 ProblemList& problems);

}  // namespace hoops

#endif  // HOOPS_BALLOTS_RECORDS_H_
