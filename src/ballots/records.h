// Teams' records for the week, from a file of the poll keeper's.
#ifndef HOOPS_BALLOTS_RECORDS_H_
#define HOOPS_BALLOTS_RECORDS_H_

#include <istream>
#include <string>
#include <vector>

#include "ballots/ballot_reader.h"
#include "ballots/tally.h"

// Reads a records file from `in`: one team a line, its name and its record, tab-separated (when
// any line holds a tab) or comma-separated (RFC 4180), the record as W-L or as two columns,
// wins and losses; blank lines are skipped. What is not so goes to `problems`, named by `file`.
// Returns false on a read error.
bool readRecords(std::istream& in, const std::string& file, std::vector<TeamRecord>& records,
                 std::vector<BallotProblem>& problems);

#endif  // HOOPS_BALLOTS_RECORDS_H_
