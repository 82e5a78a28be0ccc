// The week files of a season, read and ordered.
#ifndef HOOPS_POLLFILE_READ_SEASON_H_
#define HOOPS_POLLFILE_READ_SEASON_H_

#include <string>
#include <vector>

#include "poll/problem.h"
#include "poll/week.h"
#include "pollfile/load_poll.h"
#include "system/file_system.h"

namespace hoops {

// Reads the poll files `paths` ("-": standard input) as a load reads them, without moving their
// dates on, and orders them by date, oldest first: kLoaded when every one is read. Otherwise
// each reason is in `problems`: kFailed when a file cannot be opened or read, else kRefused
// when one is refused as a load refuses it, its first line is not a poll date, or two files
// have one date.
LoadOutcome readSeason(const std::vector<std::string>& paths, std::vector<Week>& weeks,
                       std::vector<Problem>& problems, FileSystem& files = realFileSystem());

}  // namespace hoops

#endif  // HOOPS_POLLFILE_READ_SEASON_H_
