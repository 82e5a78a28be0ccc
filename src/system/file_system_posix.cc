// The operating system's files behind the FileSystem interface, through POSIX calls.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <vector>

#include "system/file_attributes.h"
#include "system/file_system.h"
#include "system/temporary_name.h"

namespace {

// A folder opened only to make and look up names in it, where it may not be read: Linux's
// O_PATH, or POSIX's O_SEARCH where the system has it.
#if defined(O_PATH)
constexpr int kSearchOnly = O_PATH;
#elif defined(O_SEARCH)
constexpr int kSearchOnly = O_SEARCH;
#else
constexpr int kSearchOnly = -1;
#endif

FileSystem::Status statusOf(const struct stat& info) {
  FileSystem::Status status;
  status.regular = S_ISREG(info.st_mode);
  status.directory = S_ISDIR(info.st_mode);
  status.mode = static_cast<uint32_t>(info.st_mode & 07777);
  status.owner = static_cast<uint32_t>(info.st_uid);
  status.group = static_cast<uint32_t>(info.st_gid);
  status.device = static_cast<uint64_t>(info.st_dev);
  status.inode = static_cast<uint64_t>(info.st_ino);
  status.links = static_cast<uint64_t>(info.st_nlink);
  return status;
}

// The number that `text` spells in decimal digits alone, or -1.
int descriptorNumber(std::string_view text) {
  if (text.empty() || text.size() > 9) return -1;
  int number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    number = number * 10 + (c - '0');
  }
  return number;
}

class PosixFileSystem final : public FileSystem {
 public:
  int openForReading(const std::string& path) override {
    return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  }

  int openForWriting(const std::string& path) override {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    // Opened without waiting; written as usual.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) {
      const int error = errno;
      ::close(fd);
      errno = error;
      return -1;
    }
    return fd;
  }

  int heldDescriptor(const std::string& path) override {
    const std::string_view text = path;
    if (text == "/dev/stdin") return 0;
    if (text == "/dev/stdout") return 1;
    if (text == "/dev/stderr") return 2;
    for (std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
      if (text.substr(0, folder.size()) == folder)
        return descriptorNumber(text.substr(folder.size()));
    }
    return -1;
  }

  std::optional<Status> status(int fd) override {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return std::nullopt;
    return statusOf(info);
  }

  std::optional<std::string> linkTarget(const std::string& path) override {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return std::nullopt;
    std::vector<char> text(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
    ssize_t length = ::readlink(path.c_str(), text.data(), text.size());
    if (length < 0 || static_cast<std::size_t>(length) >= text.size()) return std::nullopt;
    return std::string(text.data(), static_cast<std::size_t>(length));
  }

  int openFolder(const std::string& path, int& syncError) override {
    syncError = 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0 || errno != EACCES || kSearchOnly == -1) return fd;
    // A folder the process may write in but not read: names can be made, not synced.
    syncError = errno;
    const int searchable = ::open(path.c_str(), kSearchOnly | O_DIRECTORY | O_CLOEXEC);
    if (searchable < 0) errno = syncError;
    return searchable;
  }

  std::optional<Status> statusAt(int folder, const std::string& name) override {
    struct stat info {};
    if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
    return statusOf(info);
  }

  int createTemporary(int folder, bool replacement, std::string& name) override {
    const mode_t mode = replacement ? 0600 : 0666;
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string candidate = temporaryName();
      const int fd = ::openat(folder, candidate.c_str(),
                              O_RDWR | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, mode);
      if (fd >= 0) {
        name = std::move(candidate);
        return fd;
      }
      if (errno != EEXIST) return -1;
    }
    return -1;
  }

  bool copyMetadata(int from, int to, std::vector<std::string>& notKept) override {
    struct stat info {};
    if (::fstat(from, &info) != 0) return false;
    // Only a privileged process may give a file away; a member of the file's group may still
    // give it that group. Otherwise the new file keeps the saver's own.
    if (::fchown(to, info.st_uid, info.st_gid) != 0) {
      if (errno != EPERM) return false;
      if (::fchown(to, static_cast<uid_t>(-1), info.st_gid) != 0 && errno != EPERM) return false;
    }
    // The mode first: an access control list given after it sets its group bits.
    return ::fchmod(to, info.st_mode & 07777) == 0 && copyAttributes(from, to, notKept);
  }

  bool renameAt(int folder, const std::string& from, const std::string& to) override {
    return ::renameat(folder, from.c_str(), folder, to.c_str()) == 0;
  }

  bool removeAt(int folder, const std::string& name) override {
    return ::unlinkat(folder, name.c_str(), 0) == 0;
  }

  bool write(int fd, const char* data, std::size_t size) override {
    while (size > 0) {
      ssize_t written = ::write(fd, data, size);
      if (written < 0 && errno == EINTR) continue;
      if (written == 0) errno = EIO;
      if (written <= 0) return false;
      data += written;
      size -= static_cast<std::size_t>(written);
    }
    return true;
  }

  long read(int fd, char* data, std::size_t size) override {
    while (true) {
      ssize_t count = ::read(fd, data, size);
      if (count >= 0 || errno != EINTR) return static_cast<long>(count);
    }
  }

  bool rewind(int fd) override { return ::lseek(fd, 0, SEEK_SET) == 0; }

  bool sync(int fd) override {
#if defined(F_FULLFSYNC)
    // macOS: fsync reaches the drive's cache only; this reaches the medium.
    if (::fcntl(fd, F_FULLFSYNC) == 0) return true;
#endif
    // Some file systems keep no folder to sync and say so; that is not a failure.
    return ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
  }

  bool close(int fd) override {
    return ::close(fd) == 0 || errno == EINTR;
  }
};

}  // namespace

FileSystem& realFileSystem() {
  static PosixFileSystem files;
  return files;
}

std::pair<std::string, std::string> splitPath(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}
