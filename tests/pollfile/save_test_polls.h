// Polls and folders for the save tests.
#ifndef HOOPS_TESTS_POLLFILE_SAVE_TEST_POLLS_H_
#define HOOPS_TESTS_POLLFILE_SAVE_TEST_POLLS_H_

#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>

#include "make_team.h"
#include "poll/poll.h"
#include "pollfile/poll_writer.h"

namespace hoops {

// A poll whose file takes several writes of the file layer.
inline Poll largePoll() {
  Poll poll;
  setDate(poll.date, "April 4 2010");
  for (int i = 1; i <= 6000; ++i) {
    Team team;
    team.name = "Team number " + std::to_string(i) + " of a long conference";
    team.votes = 10000 - i;
    poll.appendTeam(team);
  }
  return poll;
}

// The file text of `poll`.
inline std::string fileText(const Poll& poll) {
  std::ostringstream out;
  writePollFile(out, poll);
  return out.str();
}

}  // namespace hoops

#endif  // HOOPS_TESTS_POLLFILE_SAVE_TEST_POLLS_H_
