// The week files of a season, read and ordered.
#ifndef HOOPS_POLLFILE_READ_SEASON_H_
#define HOOPS_POLLFILE_READ_SEASON_H_

#include <string>
#include <vector>

#include "poll/problem.h"
#include "poll/week.h"
#include "system/file_system.h"

namespace hoops {

// Reads the poll files `paths` ("-": standard input) as a load reads them, without moving their
// dates on, and orders them by date, oldest first. False, with each in `problems`,
// when a file cannot be read or is refused as a load refuses it, when its first line is not a
// poll date, or when two files have one date.
bool readSeason(const std::vector<std::string>& paths, std::vector<Week>& weeks,
                std::vector<Problem>& problems, FileSystem& files = realFileSystem());

}  // namespace hoops

#endif  // HOOPS_POLLFILE_READ_SEASON_H_
