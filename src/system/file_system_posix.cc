// The operating system's files behind the FileSystem interface, through POSIX calls.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "system/file_system.h"

namespace {

FileSystem::Status statusOf(const struct stat& info) {
  return {S_ISREG(info.st_mode), S_ISDIR(info.st_mode), static_cast<uint32_t>(info.st_mode & 07777),
          static_cast<uint32_t>(info.st_uid), static_cast<uint32_t>(info.st_gid)};
}

class PosixFileSystem final : public FileSystem {
 public:
  std::optional<Status> status(const std::string& path) override {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return statusOf(info);
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

  bool mayWrite(const std::string& path) override {
    // The effective user decides, as it does for an open.
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
  }

  int openForReading(const std::string& path) override {
    return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  }

  int openForWriting(const std::string& path) override {
    return ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  }

  int createTemporary(const std::string& directory, std::string& path) override {
    std::string pattern = directory + "/.hoops-ranking-XXXXXX";
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) return -1;
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    path = pattern;
    return fd;
  }

  int openDirectory(const std::string& directory) override {
    return ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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

  bool copyOwnership(int fd, const Status& status) override {
    // Only a privileged process may give a file away; a member of the file's group may still
    // give it that group. Otherwise the new file keeps the saver's own.
    const auto owner = static_cast<uid_t>(status.owner);
    const auto group = static_cast<gid_t>(status.group);
    if (::fchown(fd, owner, group) != 0) {
      if (errno != EPERM) return false;
      if (::fchown(fd, static_cast<uid_t>(-1), group) != 0 && errno != EPERM) return false;
    }
    return ::fchmod(fd, static_cast<mode_t>(status.mode)) == 0;
  }

  bool setNewFileMode(int fd) override {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return ::fchmod(fd, 0666 & ~mask) == 0;
  }

  bool sync(int fd) override {
    // Some file systems keep no directory to sync and say so; that is not a failure.
    return ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
  }

  bool close(int fd) override { return ::close(fd) == 0 || errno == EINTR; }

  bool rename(const std::string& from, const std::string& to) override {
    return ::rename(from.c_str(), to.c_str()) == 0;
  }

  bool remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }
};

}  // namespace

FileSystem& realFileSystem() {
  static PosixFileSystem files;
  return files;
}

std::string directoryOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

void useBinaryStandardStreams() {}  // POSIX streams never translate
