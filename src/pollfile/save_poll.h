#ifndef HOOPS_POLLFILE_SAVE_POLL_H_
#define HOOPS_POLLFILE_SAVE_POLL_H_

#include <ostream>
#include <string>

#include "poll/poll.h"

// Writes the poll file text of `poll` to `out`: the date line, then one line per team in
// list order: position, name, wins-losses, votes and last week ('-' when unranked),
// tab-separated. Returns false when `out` reports a write error.
bool writePollFile(std::ostream& out, const Poll& poll);

// Writes `poll` as a poll file at `path`, creating or truncating it. Returns true only when
// the whole file was written and closed without error.
bool savePoll(const Poll& poll, const std::string& path);

#endif  // HOOPS_POLLFILE_SAVE_POLL_H_
