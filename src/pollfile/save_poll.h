// The save: a poll file replaced whole or not at all.
#ifndef HOOPS_POLLFILE_SAVE_POLL_H_
#define HOOPS_POLLFILE_SAVE_POLL_H_

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "poll/poll.h"
#include "system/file_system.h"
#include "system/save_file.h"

namespace hoops {

// Saves `poll` as the poll file at `path` and returns true only when the whole file is written
// and durable; otherwise `reason` (when given) says why, in a few words. `notes` (when given)
// gets a line for each thing the operator should know of a save that succeeded: a folder whose
// names could not be synced, other names of the file that keep the old poll, an owner or group
// that could not be kept (and keeps its rights through the access list), attributes of the
// system's own that were not kept.
//
// The path is opened once, as the shell's `>` resolves it (system/file_replacement.h): a
// regular file is replaced whole or not at all by a new file with everything the old one had,
// a device, FIFO or terminal is written in place, and a file the program already writes to (its
// standard output, in any spelling) is written through that descriptor, after what went there
// before. A failed sync of the folder after the rename is a failure whose reason says the file
// may already hold the new poll. Out of memory, std::bad_alloc passes on to the caller, with
// what the save made removed and the old file as it was.
bool savePoll(const Poll& poll, const std::string& path, std::string* reason = nullptr,
              std::vector<std::string>* notes = nullptr, FileSystem& files = realFileSystem());

}  // namespace hoops

#endif  // HOOPS_POLLFILE_SAVE_POLL_H_
