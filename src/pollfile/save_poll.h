// The poll file writer and the save.
#ifndef HOOPS_POLLFILE_SAVE_POLL_H_
#define HOOPS_POLLFILE_SAVE_POLL_H_

#include <ostream>
#include <string>

#include "poll/poll.h"
#include "pollfile/file_system.h"

// Writes the poll file text of `poll` to `out`: the date line, then one line per team in
// list order: position, name, wins-losses, votes and last week ('-' when unranked),
// tab-separated. Returns false when `out` reports a write error.
bool writePollFile(std::ostream& out, const Poll& poll);

// Saves `poll` as the poll file at `path` and returns true only when the whole file is
// written and durable. A regular file, or a path where none exists yet, is replaced whole or
// not at all: the poll goes to a new file beside it, which is synced and renamed over it
// (keeping the old file's permissions, and its owner where the process may); on failure the
// old file is as it was. A symbolic link stays a link to the replaced file. Devices and FIFOs,
// and files in a directory where no new file can be made, are written in place.
bool savePoll(const Poll& poll, const std::string& path, FileSystem& files = realFileSystem());

#endif  // HOOPS_POLLFILE_SAVE_POLL_H_
