// The load: a poll file read into the poll, and a new week begun.
#ifndef HOOPS_POLLFILE_LOAD_POLL_H_
#define HOOPS_POLLFILE_LOAD_POLL_H_

#include <string>
#include <vector>

#include "poll/poll.h"
#include "pollfile/poll_findings.h"
#include "system/file_system.h"

// Replaces the teams and date of `poll` with those of the regular file at `path`, the date
// moved on one week. Returns false, leaving `poll` untouched, when the path names no regular
// file that can be opened and read to its end, holds a NUL byte, or the poll does not fit in
// memory; `reason` (when given) then says why, in a few words. `findings` (when given) gets
// what in a file that loaded its writer would never have written (see readsAsSaved).
bool loadPollFile(Poll& poll, const std::string& path, std::string* reason = nullptr,
                  std::vector<Finding>* findings = nullptr, FileSystem& files = realFileSystem());

#endif  // HOOPS_POLLFILE_LOAD_POLL_H_
