// The poll file reader.
#ifndef HOOPS_POLLFILE_POLL_READER_H_
#define HOOPS_POLLFILE_POLL_READER_H_

#include <istream>

#include "poll/poll.h"

// Reads a whole poll file from `in` into `poll`, which should be empty. The first line, as
// stored (not yet advanced), becomes the poll date: a byte-order mark before it, a carriage
// return before its line feed and blanks at its end are dropped; a line still longer than
// 17 characters keeps 17 and no row is read. Each row is appended as a team, in file order,
// with the row's position as its lastWeek; rows are found by their digit runs, the tab after
// the name and the blanks between them. A row cut off inside its name is not kept, and a
// digit run above 2147483647 gives 2147483647. Returns false when `in` reports a read error.
bool readPollFile(std::istream& in, Poll& poll);

#endif  // HOOPS_POLLFILE_POLL_READER_H_
