// Extended attributes through the calls Linux and macOS have for them. An access control list
// is the attribute system.posix_acl_access on Linux; macOS keeps it apart, behind acl_get_fd.
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "system/file_attributes.h"
#include "system/status.h"

#if defined(__FreeBSD__)
#include <sys/acl.h>
#include <sys/extattr.h>
#endif

#if defined(__linux__) || defined(__APPLE__)
#include <sys/xattr.h>
#endif
#if defined(__APPLE__)
#include <sys/acl.h>
#endif

namespace hoops {

#if defined(__linux__) || defined(__APPLE__)
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

#if defined(__linux__)
constexpr const char* kAccessList = "system.posix_acl_access";

// Linux's access control list as its attribute holds it: a version, then entries of a tag, the
// rights (read 4, write 2, run 1) and an id, each little-endian.
struct AclEntry {
  uint16_t tag;
  uint16_t rights;
  uint32_t id;
};
enum : uint16_t {
  kUserObj = 0x01,
  kUser = 0x02,
  kGroupObj = 0x04,
  kGroup = 0x08,
  kMask = 0x10,
  kOther = 0x20
};
constexpr uint32_t kAclVersion = 2;

uint32_t littleEndian(const std::vector<char>& bytes, size_t at, size_t size) {
  uint32_t value = 0;
  for (size_t i = size; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

void appendLittleEndian(std::string& bytes, uint32_t value, size_t size) {
  for (size_t i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xff);
}

// The entries of `to`'s list, or those its permission bits stand for where it has none.
bool readAccessList(int to, std::vector<AclEntry>& entries) {
  std::vector<char> bytes;
  if (!readGrowing(
          bytes, [&](char* data, size_t size) { return getValue(to, kAccessList, data, size); })) {
    if (errno != ENODATA && errno != ENOTSUP) return false;
    struct stat info {};
    if (::fstat(to, &info) != 0) return false;
    const auto bits = [&](int shift) { return static_cast<uint16_t>((info.st_mode >> shift) & 7); };
    entries = {
        {kUserObj, bits(6), kNobody}, {kGroupObj, bits(3), kNobody}, {kOther, bits(0), kNobody}};
    return true;
  }
  if (bytes.size() < 4 || (bytes.size() - 4) % 8 != 0 || littleEndian(bytes, 0, 4) != kAclVersion) {
    errno = EINVAL;
    return false;
  }
  for (size_t at = 4; at < bytes.size(); at += 8) {
    entries.push_back({static_cast<uint16_t>(littleEndian(bytes, at, 2)),
                       static_cast<uint16_t>(littleEndian(bytes, at + 2, 2)),
                       littleEndian(bytes, at + 4, 4)});
  }
  return true;
}
#endif

}  // namespace

Status copyAttributes(int from, int to, std::vector<std::string>& notKept) {
  std::vector<char> names;
  if (!readGrowing(names, [&](char* data, size_t size) { return listNames(from, data, size); })) {
    // A file system without attributes has none to copy.
    return errno == ENOTSUP ? Status() : Status::lastError();
  }
  std::vector<char> value;
  bool accessList = false;
  for (size_t at = 0; at < names.size();) {
    const std::string name(&names[at]);
    at += name.size() + 1;
#if defined(__linux__)
    accessList = accessList || name == kAccessList;
#endif
    const bool read = readGrowing(
        value, [&](char* data, size_t size) { return getValue(from, name.c_str(), data, size); });
    if (read && setValue(to, name.c_str(), value.data(), value.size()) == 0) continue;
    if (!read && errno == kGone) continue;  // taken away since the list was read
    if (isUsers(name)) return Status::lastError();
    notKept.push_back(name);
  }
#if defined(__linux__)
  // A list the new file took from its folder's default is not the old file's.
  if (!accessList && ::fremovexattr(to, kAccessList) != 0 && errno != ENODATA && errno != ENOTSUP) {
    return Status::lastError();
  }
#else
  (void)accessList;
#endif
  return copyAccessList(from, to) ? Status() : Status::lastError();
}

Status keepRightsOf(int to, uint32_t owner, uint32_t group) {
#if defined(__linux__)
  std::vector<AclEntry> entries;
  if (!readAccessList(to, entries)) return Status::lastError();
  uint16_t mask = 7, ownerRights = 0, groupRights = 0;
  for (const AclEntry& entry : entries) {
    if (entry.tag == kMask) mask = entry.rights;
    if (entry.tag == kUserObj) ownerRights = entry.rights;
  }
  // Every entry the mask limits is written as what it gives now, so that the wider mask below
  // gives nobody more than before.
  std::vector<AclEntry> kept;
  for (AclEntry entry : entries) {
    if (entry.tag == kMask) continue;
    if (entry.tag == kUser || entry.tag == kGroup || entry.tag == kGroupObj) entry.rights &= mask;
    if (entry.tag == kGroupObj) {
      groupRights = entry.rights;
      if (group != kNobody) entry.rights = 0;  // now the saver's group: it gets nothing
    }
    kept.push_back(entry);
  }
  const auto grant = [&](uint16_t tag, uint32_t id, uint16_t rights) {
    if (rights == 0) return;  // nothing to keep
    for (AclEntry& entry : kept) {
      if (entry.tag == tag && entry.id == id) return void(entry.rights |= rights);
    }
    kept.push_back({tag, rights, id});
  };
  if (owner != kNobody) grant(kUser, owner, ownerRights);
  if (group != kNobody) grant(kGroup, group, groupRights);
  uint16_t newMask = 0;
  for (const AclEntry& entry : kept) {
    if (entry.tag == kUser || entry.tag == kGroup || entry.tag == kGroupObj)
      newMask |= entry.rights;
  }
  kept.push_back({kMask, newMask, kNobody});
  std::sort(kept.begin(), kept.end(), [](const AclEntry& a, const AclEntry& b) {
    return a.tag != b.tag ? a.tag < b.tag : a.id < b.id;
  });
  std::string bytes;
  appendLittleEndian(bytes, kAclVersion, 4);
  for (const AclEntry& entry : kept) {
    appendLittleEndian(bytes, entry.tag, 2);
    appendLittleEndian(bytes, entry.rights, 2);
    appendLittleEndian(bytes, entry.id, 4);
  }
  if (setValue(to, kAccessList, bytes.data(), bytes.size()) == 0) return Status();
  return errno == ENOTSUP ? Status(Status::Code::kNoAccessLists) : Status::lastError();
#else
  (void)to, (void)owner, (void)group;
  return Status(Status::Code::kNoAccessLists);  // only Linux's lists are written here
#endif
}

#elif defined(__FreeBSD__)

// FreeBSD keeps attributes in namespaces, listed as names each after its length, and its
// access control lists (POSIX.1e or NFSv4) apart, behind acl_get_fd_np. Read, not built here:
// no FreeBSD system was at hand to compile it.
Status copyAttributes(int from, int to, std::vector<std::string>& notKept) {
  for (const int space : {EXTATTR_NAMESPACE_USER, EXTATTR_NAMESPACE_SYSTEM}) {
    const ssize_t size = ::extattr_list_fd(from, space, nullptr, 0);
    if (size < 0) {
      if (errno == EOPNOTSUPP || errno == EPERM) continue;  // none here, or not ours to see
      return Status::lastError();
    }
    std::vector<char> names(static_cast<size_t>(size));
    const ssize_t got = ::extattr_list_fd(from, space, names.data(), names.size());
    if (got < 0) return Status::lastError();
    for (size_t at = 0; at < static_cast<size_t>(got);) {
      const auto length = static_cast<unsigned char>(names[at]);
      const std::string name(&names[at + 1], length);
      at += 1 + length;
      const ssize_t bytes = ::extattr_get_fd(from, space, name.c_str(), nullptr, 0);
      std::vector<char> value(bytes > 0 ? static_cast<size_t>(bytes) : 0);
      const bool read = bytes >= 0 && ::extattr_get_fd(from, space, name.c_str(), value.data(),
                                                       value.size()) >= 0;
      if (read && ::extattr_set_fd(to, space, name.c_str(), value.data(), value.size()) >= 0) {
        continue;
      }
      if (space == EXTATTR_NAMESPACE_USER) return Status::lastError();
      notKept.push_back("system." + name);
    }
  }
  for (const acl_type_t type : {ACL_TYPE_NFS4, ACL_TYPE_ACCESS}) {
    acl_t list = ::acl_get_fd_np(from, type);
    if (list == nullptr) continue;  // not this kind of list on this file system
    const bool copied = ::acl_set_fd_np(to, list, type) == 0;
    ::acl_free(list);
    if (!copied) return Status::lastError();
  }
  return Status();
}

Status keepRightsOf(int, uint32_t, uint32_t) {
  return Status(Status::Code::kNoAccessLists);  // only Linux's lists are written here
}

#else

Status copyAttributes(int, int, std::vector<std::string>&) {
  return Status();  // no extended attributes known on this system
}

Status keepRightsOf(int, uint32_t, uint32_t) {
  return Status(Status::Code::kNoAccessLists);  // no access lists known on this system
}

#endif

namespace {

// The name in a user's or group's entry that `look` (getpwuid_r or getgrgid_r) finds, growing
// its buffer while it is too small; the number where there is none.
template <typename Entry, typename Look, typename Name>
std::string nameBy(uint32_t id, Look look, Name name) {
  std::vector<char> buffer(1024);
  while (buffer.size() <= (1u << 20)) {
    Entry entry{};
    Entry* found = nullptr;
    const int error = look(id, &entry, buffer.data(), buffer.size(), &found);
    if (error != ERANGE) return error == 0 && found != nullptr ? name(*found) : std::to_string(id);
    buffer.resize(buffer.size() * 2);
  }
  return std::to_string(id);
}

}  // namespace

std::string userName(uint32_t id) {
  return nameBy<passwd>(id, getpwuid_r, [](const passwd& user) { return user.pw_name; });
}

std::string groupName(uint32_t id) {
  return nameBy<group>(id, getgrgid_r, [](const group& entry) { return entry.gr_name; });
}

}  // namespace hoops
