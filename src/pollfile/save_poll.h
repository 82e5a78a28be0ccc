// The save: a poll file replaced whole or not at all.
#ifndef HOOPS_POLLFILE_SAVE_POLL_H_
#define HOOPS_POLLFILE_SAVE_POLL_H_

#include <string>

#include "poll/poll.h"
#include "system/file_system.h"

// Saves `poll` as the poll file at `path` and returns true only when the whole file is
// written and durable; otherwise `reason` (when given) says why, in a few words.
// A regular file, or a path where none exists yet, is replaced whole or not at all: the poll
// goes to a new file beside it, which is synced and renamed over it (keeping the old file's
// permissions, and its owner and group where the process may); on any failure the old file
// is as it was and nothing is left beside it. A file the process may not write is not
// replaced. A symbolic link stays a link to the replaced file; a loop of links fails. A path
// that names no regular file once links are followed (a device, a FIFO, a terminal) is
// written in place; a directory, and a path holding a NUL byte, fail.
bool savePoll(const Poll& poll, const std::string& path, std::string* reason = nullptr,
              FileSystem& files = realFileSystem());

#endif  // HOOPS_POLLFILE_SAVE_POLL_H_
