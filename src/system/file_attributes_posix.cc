// Extended attributes through the calls Linux and macOS have for them. An access control list
// is the attribute system.posix_acl_access on Linux; macOS keeps it apart, behind acl_get_fd.
#include <cerrno>
#include <string>
#include <vector>

#include "system/file_attributes.h"

#if defined(__linux__) || defined(__APPLE__)
#include <sys/xattr.h>
#if defined(__APPLE__)
#include <sys/acl.h>
#endif

namespace {

#if defined(__APPLE__)
ssize_t listNames(int fd, char* names, size_t size) {
  return ::flistxattr(fd, names, size, 0);
}
ssize_t getValue(int fd, const char* name, void* value, size_t size) {
  return ::fgetxattr(fd, name, value, size, 0, 0);
}
int setValue(int fd, const char* name, const void* value, size_t size) {
  return ::fsetxattr(fd, name, value, size, 0, 0);
}
// Every attribute on macOS is the user's; its access control list is copied apart.
bool isUsers(const std::string&) {
  return true;
}
bool copyAccessList(int from, int to) {
  acl_t list = ::acl_get_fd_np(from, ACL_TYPE_EXTENDED);
  if (list == nullptr) return errno == ENOENT;  // none to copy
  const bool copied = ::acl_set_fd_np(to, list, ACL_TYPE_EXTENDED) == 0;
  ::acl_free(list);
  return copied;
}
#else
ssize_t listNames(int fd, char* names, size_t size) {
  return ::flistxattr(fd, names, size);
}
ssize_t getValue(int fd, const char* name, void* value, size_t size) {
  return ::fgetxattr(fd, name, value, size);
}
int setValue(int fd, const char* name, const void* value, size_t size) {
  return ::fsetxattr(fd, name, value, size, 0);
}
// The user's own attributes and the access control list must go with the file; security
// labels and the like belong to the system.
bool isUsers(const std::string& name) {
  return name.rfind("user.", 0) == 0 || name.rfind("system.posix_acl_", 0) == 0;
}
bool copyAccessList(int, int) {
  return true;  // an attribute like the others here
}
#endif

#if defined(__APPLE__)
constexpr int kGone = ENOATTR;
#else
constexpr int kGone = ENODATA;
#endif

// Reads into `text` what `read(data, size)` gives, growing it while it is too small.
template <typename Read>
bool readGrowing(std::vector<char>& text, Read read) {
  while (true) {
    const ssize_t size = read(nullptr, 0);
    if (size < 0) return false;
    text.resize(static_cast<size_t>(size));
    const ssize_t got = read(text.data(), text.size());
    if (got >= 0) {
      text.resize(static_cast<size_t>(got));
      return true;
    }
    if (errno != ERANGE) return false;  // it grew in between: ask again
  }
}

}  // namespace

bool copyAttributes(int from, int to, std::vector<std::string>& notKept) {
  std::vector<char> names;
  if (!readGrowing(names, [&](char* data, size_t size) { return listNames(from, data, size); })) {
    return errno == ENOTSUP;  // a file system without attributes has none to copy
  }
  std::vector<char> value;
  for (size_t at = 0; at < names.size();) {
    const std::string name(&names[at]);
    at += name.size() + 1;
    const bool read = readGrowing(
        value, [&](char* data, size_t size) { return getValue(from, name.c_str(), data, size); });
    if (read && setValue(to, name.c_str(), value.data(), value.size()) == 0) continue;
    if (!read && errno == kGone) continue;  // taken away since the list was read
    if (isUsers(name)) return false;
    notKept.push_back(name);
  }
  return copyAccessList(from, to);
}

#else

bool copyAttributes(int, int, std::vector<std::string>&) {
  return true;  // no extended attributes known on this system
}

#endif
