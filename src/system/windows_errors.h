// Windows only: UTF-8 paths as the system's UTF-16, and its errors as errno values.
#ifndef HOOPS_SYSTEM_WINDOWS_ERRORS_H_
#define HOOPS_SYSTEM_WINDOWS_ERRORS_H_

#include <optional>
#include <string>

namespace hoops {

// `path` as UTF-16; nullopt, with errno EINVAL, when it is not valid UTF-8.
std::optional<std::wstring> widePath(const std::string& path);

// UTF-16 text (a path from the system, say) as UTF-8; what is not valid UTF-16 becomes U+FFFD.
std::string narrowText(const std::wstring& text);

// Sets errno to the nearest value for the last failed Windows call (kNameNotAllowed for a name
// Windows does not allow).
void setErrnoFromLastError();

}  // namespace hoops

#endif  // HOOPS_SYSTEM_WINDOWS_ERRORS_H_
