// How the program says what went wrong in a call into the system.
#ifndef HOOPS_SYSTEM_ERROR_TEXT_H_
#define HOOPS_SYSTEM_ERROR_TEXT_H_

#include <string>

namespace hoops {

// Error numbers of the program's own, beside errno's.
// The system refused a name it does not allow (on Windows, a name with characters such as '?').
inline constexpr int kNameNotAllowed = 0x10000;
// A path that holds a NUL byte, which no system call can be given.
inline constexpr int kNulInPath = 0x10001;
// The name of a file being replaced came to name another file meanwhile.
inline constexpr int kReplacedMeanwhile = 0x10002;
// A folder that lets no name in it be removed or replaced (append-only or immutable).
inline constexpr int kFolderForbidsRemoval = 0x10003;
// A file whose owner or group would lose it, where the file system keeps no access lists.
inline constexpr int kNoAccessLists = 0x10004;

// The words for the error number `error`: the system's own for an errno value (e.g. "No such
// file or directory"), the program's for its own numbers above.
std::string errorText(int error);

}  // namespace hoops

#endif  // HOOPS_SYSTEM_ERROR_TEXT_H_
