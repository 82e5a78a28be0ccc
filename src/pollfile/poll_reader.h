// The poll file reader: a file is read line by line, and loads only when every line is what
// it should be.
#ifndef HOOPS_POLLFILE_POLL_READER_H_
#define HOOPS_POLLFILE_POLL_READER_H_

#include <cstdint>
#include <istream>
#include <memory_resource>
#include <vector>

#include "poll/poll.h"
#include "pollfile/poll_findings.h"

namespace hoops {

// Reads a whole poll file from `in` into `poll`, which should be empty, and notes in `tally`
// what it finds. The first line, after a UTF-8 byte-order mark and without the blanks (space,
// tab, CR) at its end, is the poll date as stored (not yet advanced); longer than 17
// characters, it refuses the file. Every later line that is not blank must be one row:
// optional blanks, a position, one or more blanks, a name (its first character not a blank,
// no tab in it), a tab, optional blanks, wins, exactly one character that is not a digit,
// losses, one or more blanks, votes, then optionally one or more blanks and a last-week column
// of digits and '-', and optional blanks; every number at most 2147483647, a line at most
// 8 KiB. Each row is appended as a team in file order, its position as lastWeek. Any other line
// refuses the file: no further team is kept, but every line is still looked at, so that the
// tally names each kind. A NUL byte refuses the file and stops the reading at once. Returns
// false when `in` reports a read error. `lastWeekColumn` (when given) gets, for each team kept,
// what its row's last-week column says: the rank, or -1 for '-', none or anything else.
bool readPollFile(std::istream& in, Poll& poll, FindingTally& tally,
                  std::pmr::vector<int32_t>* lastWeekColumn = nullptr);

}  // namespace hoops

#endif  // HOOPS_POLLFILE_POLL_READER_H_
