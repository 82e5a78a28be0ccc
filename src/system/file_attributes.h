// A file's extended attributes and access control list, copied from one open file to another.
// Used by the system room's own file calls; nothing above the room includes it.
#ifndef HOOPS_SYSTEM_FILE_ATTRIBUTES_H_
#define HOOPS_SYSTEM_FILE_ATTRIBUTES_H_

#include <string>
#include <vector>

// Gives the open file `to` the access control list and extended attributes of the open file
// `from`. False, with errno, when the list or a user attribute cannot be given; the names of
// the system's own attributes that the process may not set are added to `notKept` instead.
// Where the system has no such attributes, there is nothing to copy.
bool copyAttributes(int from, int to, std::vector<std::string>& notKept);

#endif  // HOOPS_SYSTEM_FILE_ATTRIBUTES_H_
