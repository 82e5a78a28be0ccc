// Which team names a poll file can carry.
#ifndef HOOPS_POLLFILE_POLL_NAME_H_
#define HOOPS_POLLFILE_POLL_NAME_H_

#include <string_view>

namespace hoops {

// True when a poll file can carry `name` as a team's name and give it back: it holds no tab,
// line feed or NUL byte and is not made of blanks alone. Leading blanks are still lost on reading.
bool isStorableName(std::string_view name);

}  // namespace hoops

#endif  // HOOPS_POLLFILE_POLL_NAME_H_
