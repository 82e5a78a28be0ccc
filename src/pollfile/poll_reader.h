#ifndef HOOPS_POLLFILE_POLL_READER_H_
#define HOOPS_POLLFILE_POLL_READER_H_

#include <istream>
#include <list>

#include "poll/poll.h"
#include "poll/team.h"

// What a poll file holds: its first line, as stored (not yet advanced), and its rows.
struct PollFileContent {
  char date[Poll::kDateCapacity + 1] = {};
  std::list<Team> teams;  // one team per row, in file order, lastWeek = the row's position
};

// Reads a whole poll file from `in` into `content`. The first line gives the date (at most
// 17 characters; a carriage return before its line feed is dropped; a longer line keeps 17
// characters and no row is read). Each row is found by its digit runs, the tab after its
// name and the blanks between them; a row cut off inside its name is not kept, and a digit
// run above 2147483647 gives 2147483647. Returns false when `in` reports a read error.
bool readPollFile(std::istream& in, PollFileContent& content);

#endif  // HOOPS_POLLFILE_POLL_READER_H_
