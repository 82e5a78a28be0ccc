// The load: a poll file read into the poll, and a new week begun.
#ifndef HOOPS_POLLFILE_LOAD_POLL_H_
#define HOOPS_POLLFILE_LOAD_POLL_H_

#include <string>
#include <vector>

#include "poll/poll.h"
#include "pollfile/poll_findings.h"
#include "system/file_system.h"

namespace hoops {

enum class LoadOutcome {
  kLoaded,   // the poll holds the file's teams and date, moved on one week
  kRefused,  // the file is not in the poll file's form (findings say how); the poll is as it was
  kFailed,   // the file could not be opened or read
};

// Replaces the teams and date of `poll` with those of the regular file at `path`, the date
// moved on one week, when the file is in the poll file's form (pollfile/poll_reader.h).
// Otherwise `poll` is left untouched and `reason` (when given) says why, in a few words.
// `findings` (when given) gets what the file holds that the program would never have written:
// why it was refused, or what a load that went ahead should tell (a first line not written as
// a poll date says what the date is now). Out of memory, std::bad_alloc passes on to the
// caller, `poll` untouched.
LoadOutcome loadPollFile(Poll& poll, const std::string& path, std::string* reason = nullptr,
                         std::vector<Finding>* findings = nullptr,
                         FileSystem& files = realFileSystem());

// The same for what the open descriptor `fd` gives (standard input, a pipe or a file), read to
// its end; `fd` stays open.
LoadOutcome loadPollFrom(Poll& poll, int fd, std::string* reason = nullptr,
                         std::vector<Finding>* findings = nullptr,
                         FileSystem& files = realFileSystem());

// The same for a file named on the command line: a path, or "-" for standard input.
LoadOutcome loadNamedPoll(Poll& poll, const std::string& given, std::string* reason = nullptr,
                          std::vector<Finding>* findings = nullptr);

}  // namespace hoops

#endif  // HOOPS_POLLFILE_LOAD_POLL_H_
