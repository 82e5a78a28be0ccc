// The save: a poll file replaced whole or not at all.
#ifndef HOOPS_POLLFILE_SAVE_POLL_H_
#define HOOPS_POLLFILE_SAVE_POLL_H_

#include <string>
#include <vector>

#include "poll/poll.h"
#include "system/file_system.h"

// Saves `poll` as the poll file at `path` and returns true only when the whole file is written
// and durable; otherwise `reason` (when given) says why, in a few words. `notes` (when given)
// gets a line for each thing the operator should know of a save that succeeded: a folder whose
// names could not be synced, other names of the file that keep the old poll, attributes of the
// system's own that were not kept.
//
// The path is looked at once, as the system resolves it for writing, so its permission checks
// and link protections apply. A regular file, or a path where none exists yet, is replaced
// whole or not at all: the poll goes to a new file in the folder of the file's final name
// (symbolic links lead there, and stay links), which gets the old file's owner and group (where
// the process may), permissions, access control list and user attributes, is synced and is
// renamed over it; on any failure the old file is as it was and nothing is left beside it. A
// file that is no longer the one looked at when the rename comes is not replaced. A path the
// program already holds a descriptor for (/dev/stdout, /dev/fd/N) is written through it, after
// what went there before; a device, FIFO or terminal is written in place; a directory, and a
// path holding a NUL byte, fail. A failed sync of the folder after the rename is a failure
// whose reason says the file may already hold the new poll.
bool savePoll(const Poll& poll, const std::string& path, std::string* reason = nullptr,
              std::vector<std::string>* notes = nullptr, FileSystem& files = realFileSystem());

#endif  // HOOPS_POLLFILE_SAVE_POLL_H_
