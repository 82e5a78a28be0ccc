// The save of a poll: its file written through the careful save of the system room.
#include "pollfile/save_poll.h"

#include <ostream>
#include <string>
#include <vector>

#include "pollfile/poll_writer.h"

namespace hoops {

bool savePoll(const Poll& poll, const std::string& path, std::string* reason,
              std::vector<std::string>* notes, FileSystem& files) {
  return saveFile(
      path, [&](std::ostream& out) { return writePollFile(out, poll); },
      {"the new poll", "last week's poll"}, reason, notes, files);
}

}  // namespace hoops
