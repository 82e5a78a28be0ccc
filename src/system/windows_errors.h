// Windows only: UTF-8 paths as the system's UTF-16, and its errors as the program's Status.
#ifndef HOOPS_SYSTEM_WINDOWS_ERRORS_H_
#define HOOPS_SYSTEM_WINDOWS_ERRORS_H_

#include <optional>
#include <string>

#include "system/status.h"

namespace hoops {

// `path` as UTF-16; nullopt when it is not valid UTF-8.
std::optional<std::wstring> widePath(const std::string& path);

// UTF-16 text (a path from the system, say) as UTF-8; what is not valid UTF-16 becomes U+FFFD.
std::string narrowText(const std::wstring& text);

// The last failed Windows call's error as a Status: the nearest system error number, or
// kNameNotAllowed for a name Windows does not allow.
Status lastWindowsError();

}  // namespace hoops

#endif  // HOOPS_SYSTEM_WINDOWS_ERRORS_H_
