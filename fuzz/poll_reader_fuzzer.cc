// Any bytes as the content of a poll file: the reader returns, and every team it gives has
// fields that a poll file can hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <string_view>

#include "pollfile/poll_reader.h"

// The program's own names, in this file that drives them.
using namespace hoops;  // NOLINT(google-build-using-namespace)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  Poll poll;
  FindingTally tally;
  if (!readPollFile(in, poll, tally)) std::abort();  // a string stream has no read errors
  if (strnlen(poll.date, sizeof poll.date) > kMaxPollDateLength) std::abort();
  for (const Team& team : poll.teams) {
    if (team.lastWeek < 0 || team.wins < 0 || team.losses < 0 || team.votes < 0) {
      std::abort();
    }
    if (team.name.find('\t') != std::string_view::npos) std::abort();
  }
  return 0;
}
