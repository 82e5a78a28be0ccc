// The operating system's files behind the FileSystem interface.
#include "pollfile/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace {

class RealFileSystem final : public FileSystem {
 public:
  std::optional<Status> status(const std::string& path) override {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return Status{S_ISREG(info.st_mode), static_cast<mode_t>(info.st_mode & 07777), info.st_uid,
                  info.st_gid};
  }

  std::optional<std::string> linkTarget(const std::string& path) override {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return std::nullopt;
    std::vector<char> text(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
    ssize_t length = ::readlink(path.c_str(), text.data(), text.size());
    if (length < 0 || static_cast<std::size_t>(length) >= text.size()) return std::nullopt;
    return std::string(text.data(), static_cast<std::size_t>(length));
  }

  int createTemporary(const std::string& directory, std::string& path) override {
    std::string pattern = directory + "/.hoops-ranking-XXXXXX";
    int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd >= 0) path = pattern;
    return fd;
  }

  int openForWriting(const std::string& path) override {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  }

  bool write(int fd, const char* data, std::size_t size) override {
    while (size > 0) {
      ssize_t written = ::write(fd, data, size);
      if (written < 0 && errno == EINTR) continue;
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
    // Only a privileged process may give a file away; others keep their own owner.
    if (::fchown(fd, status.owner, status.group) != 0 && errno != EPERM) return false;
    return ::fchmod(fd, status.mode) == 0;
  }

  bool setNewFileMode(int fd) override {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return ::fchmod(fd, 0666 & ~mask) == 0;
  }

  bool sync(int fd) override { return ::fsync(fd) == 0; }

  bool close(int fd) override { return ::close(fd) == 0 || errno == EINTR; }

  bool rename(const std::string& from, const std::string& to) override {
    return ::rename(from.c_str(), to.c_str()) == 0;
  }

  bool remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

  bool syncDirectory(const std::string& directory) override {
    int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    // Some file systems keep no directory to sync and say so; that is not a failure.
    bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
    ::close(fd);
    return synced;
  }
};

}  // namespace

FileSystem& realFileSystem() {
  static RealFileSystem files;
  return files;
}
