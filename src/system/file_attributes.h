// A file's extended attributes, access control list and owners' names, from one open file to
// another. Used by the system room's own file calls; nothing above the room includes it.
#ifndef HOOPS_SYSTEM_FILE_ATTRIBUTES_H_
#define HOOPS_SYSTEM_FILE_ATTRIBUTES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "system/status.h"

namespace hoops {

// An owner or group id that stands for none.
inline constexpr uint32_t kNobody = 0xffffffffu;

// Gives the open file `to` the access control list (or none, where `from` has none) and the
// extended attributes of the open file `from`. A failure when the list or a user attribute
// cannot be given; the names of the system's own attributes that the process may not set are
// added to `notKept` instead. Where the system has no such attributes, there is nothing to copy.
Status copyAttributes(int from, int to, std::vector<std::string>& notKept);

// Gives the user `owner` the rights of the owner of the open file `to`, and the group `group`
// those of its group (which then keeps none itself), through named entries in its access
// control list; kNobody for either leaves it out. Nobody else gains a right. A failure,
// kNoAccessLists, where the file system keeps no such lists.
Status keepRightsOf(int to, uint32_t owner, uint32_t group);

// The name of the user or group `id`, or its number where it has none.
std::string userName(uint32_t id);
std::string groupName(uint32_t id);

}  // namespace hoops

#endif  // HOOPS_SYSTEM_FILE_ATTRIBUTES_H_
