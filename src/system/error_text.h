// How the program says what went wrong in a call into the system.
#ifndef HOOPS_SYSTEM_ERROR_TEXT_H_
#define HOOPS_SYSTEM_ERROR_TEXT_H_

#include <string>

// An error number of the program's own, beside errno's: the system refused a name it does not
// allow (on Windows, a name with characters such as '?' or '*').
inline constexpr int kNameNotAllowed = 0x10000;

// The words for the error number `error`: the system's own for an errno value (e.g. "No such
// file or directory"), the program's for kNameNotAllowed.
std::string errorText(int error);

#endif  // HOOPS_SYSTEM_ERROR_TEXT_H_
