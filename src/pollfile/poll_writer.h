// The poll file writer, the mirror of the reader.
#ifndef HOOPS_POLLFILE_POLL_WRITER_H_
#define HOOPS_POLLFILE_POLL_WRITER_H_

#include <ostream>

#include "poll/poll.h"

namespace hoops {

// Writes the poll file text of `poll` to `out`: the date line, then one line per team in
// list order: position, name, wins-losses, votes and last week ('-' when unranked),
// tab-separated. Returns false when `out` reports a write error.
bool writePollFile(std::ostream& out, const Poll& poll);

}  // namespace hoops

#endif  // HOOPS_POLLFILE_POLL_WRITER_H_
