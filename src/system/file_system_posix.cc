// The operating system's files behind the FileSystem interface, through POSIX calls.
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/param.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__linux__)
#include <linux/fs.h>
#elif defined(F_KINFO)
#include <sys/user.h>
#endif

#include <cerrno>
#include <string>
#include <vector>

#include "system/file_attributes.h"
#include "system/file_system.h"
#include "system/signals.h"
#include "system/temporary_name.h"

namespace hoops {

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

#if defined(__linux__)
// The type the C library's ioctl takes its request in (glibc an unsigned long, musl an int),
// read off its declaration, and the request that reads a file's flags in it.
template <typename Request>
Request requestOf(int (*)(int, Request, ...));
using IoctlRequest = decltype(requestOf(&::ioctl));
constexpr auto kGetFlags = static_cast<IoctlRequest>(FS_IOC_GETFLAGS);
#endif

// `fd`, opened without waiting for the other end of a FIFO, made to wait as usual from now on;
// -1 (and `fd` closed) when it cannot be.
int blocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

class PosixFileSystem final : public FileSystem {
 public:
  int openForReading(const std::string& path) override {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    // Opened without waiting for a FIFO's writer; read as usual, so that a pipe whose writer
    // is slow is waited for rather than read as failed.
    return fd < 0 ? fd : blocking(fd);
  }

  int openToReadAll(const std::string& path) override {
    while (true) {
      const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
      if (fd >= 0 || errno != EINTR) return fd;
    }
  }

  int openTarget(const std::string& path, bool& created) override {
    created = false;
    constexpr int kWrite = O_WRONLY | O_NOCTTY | O_CLOEXEC;
    // A name that is not there is made with nothing followed: the file is then the program's.
    int fd = ::open(path.c_str(), kWrite | O_CREAT | O_EXCL, 0666);
    if (fd >= 0) {
      created = true;
      return fd;
    }
    if (errno != EEXIST) return -1;
    // A name there that leads to no file is a link the open below makes its file for.
    struct stat before {};
    const bool missing = ::stat(path.c_str(), &before) != 0 && errno == ENOENT;
    // As `>` opens it: with O_CREAT, so that the system's protections of links, FIFOs and
    // others' files in shared sticky folders apply; without O_TRUNC, so nothing is cut.
    fd = ::open(path.c_str(), kWrite | O_CREAT | O_NONBLOCK, 0666);
    // Only a lease answers so (a FIFO without a reader says ENXIO): wait for it as `>` does,
    // for as long as the operator lets it.
    if (fd < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      const StopsLetThrough stops;
      fd = ::open(path.c_str(), kWrite | O_CREAT, 0666);
    }
    // Opened without waiting for a FIFO's reader; written as usual.
    if (fd < 0 || blocking(fd) < 0) return -1;
    struct stat made {};
    created = missing && ::fstat(fd, &made) == 0 && S_ISREG(made.st_mode) && made.st_size == 0 &&
              made.st_uid == ::geteuid();
    return fd;
  }

  int ownWriter(int fd) override {
    struct stat target {};
    if (::fstat(fd, &target) != 0) return -1;
    // The descriptors a run holds are its first few; past this many none is looked for.
    constexpr int kMostLooked = 1024;
    for (int other = 0; other < kMostLooked; ++other) {
      const int flags = other == fd ? -1 : ::fcntl(other, F_GETFL);
      if (flags == -1 || (flags & O_ACCMODE) == O_RDONLY) continue;
      struct stat info {};
      if (::fstat(other, &info) == 0 && info.st_dev == target.st_dev &&
          info.st_ino == target.st_ino) {
        return other;
      }
    }
    return -1;
  }

  std::optional<std::string> nameOf(int fd) override {
#if defined(__linux__)
    std::string name(4097, '\0');
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(link.c_str(), name.data(), name.size());
    if (length < 0) return std::nullopt;
    if (static_cast<std::size_t>(length) >= name.size()) return errno = ENAMETOOLONG, std::nullopt;
    name.resize(static_cast<std::size_t>(length));
    // What is not a path ("pipe:[12]") is no file in a folder.
    if (name.empty() || name.front() != '/') return errno = ENOENT, std::nullopt;
    return name;
#elif defined(F_GETPATH)
    char name[MAXPATHLEN];
    if (::fcntl(fd, F_GETPATH, name) == -1) return std::nullopt;
    return std::string(name);
#elif defined(F_KINFO)
    struct kinfo_file info {};
    info.kf_structsize = KINFO_FILE_SIZE;
    if (::fcntl(fd, F_KINFO, &info) == -1) return std::nullopt;
    if (info.kf_path[0] != '/') return errno = ENOENT, std::nullopt;
    return std::string(info.kf_path);
#else
    (void)fd;
    errno = ENOTSUP;
    return std::nullopt;
#endif
  }

  std::optional<Status> status(int fd) override {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return std::nullopt;
    return statusOf(info);
  }

  std::optional<Status> statusOfPath(const std::string& path) override {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return statusOf(info);
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

  bool forbidsRemovalIn(const std::string& path) override {
    int syncError = 0;
    const int folder = openFolder(path, syncError);
    if (folder < 0) return false;
    const bool forbids = forbidsRemoval(folder);
    ::close(folder);
    return forbids;
  }

  std::optional<Status> statusAt(int folder, const std::string& name) override {
    struct stat info {};
    if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
    return statusOf(info);
  }

  bool forbidsRemoval(int folder) override {
#if defined(__linux__)
    int flags = 0;  // a folder opened only to search in says nothing: then nothing is known
    return ::ioctl(folder, kGetFlags, &flags) == 0 &&
           (flags & (FS_APPEND_FL | FS_IMMUTABLE_FL)) != 0;
#elif defined(SF_APPEND)
    struct stat info {};
    return ::fstat(folder, &info) == 0 &&
           (info.st_flags & (SF_APPEND | UF_APPEND | SF_IMMUTABLE | UF_IMMUTABLE)) != 0;
#else
    (void)folder;
    return false;
#endif
  }

  int createTemporary(int folder, std::string& name) override {
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string candidate = temporaryName();
      const int fd = ::openat(folder, candidate.c_str(),
                              O_RDWR | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0600);
      if (fd >= 0) {
        name = std::move(candidate);
        return fd;
      }
      if (errno != EEXIST) return -1;
    }
    return -1;
  }

  bool copyMetadata(int from, int to, Kept& kept) override {
    struct stat old {};
    if (::fstat(from, &old) != 0) return false;
    // Only a privileged process may give a file away; a member of the file's group may still
    // give it that group.
    if (::fchown(to, old.st_uid, old.st_gid) != 0) {
      if (errno != EPERM) return false;
      if (::fchown(to, static_cast<uid_t>(-1), old.st_gid) != 0 && errno != EPERM) return false;
    }
    // The mode first: an access control list given after it sets its group bits.
    struct stat made {};
    if (::fchmod(to, old.st_mode & 07777) != 0 || ::fstat(to, &made) != 0 ||
        !copyAttributes(from, to, kept.attributesLeftOut)) {
      return false;
    }
    if (made.st_uid == old.st_uid && made.st_gid == old.st_gid) return true;
    if (!keepRightsOf(to, old.st_uid != made.st_uid ? old.st_uid : kNobody,
                      old.st_gid != made.st_gid ? old.st_gid : kNobody)) {
      return false;
    }
    if (old.st_uid != made.st_uid) {
      kept.ownerBefore = userName(old.st_uid);
      kept.ownerNow = userName(made.st_uid);
    }
    if (old.st_gid != made.st_gid) {
      kept.groupBefore = groupName(old.st_gid);
      kept.groupNow = groupName(made.st_gid);
    }
    return true;
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

  bool rewind(int fd) override {
    return ::lseek(fd, 0, SEEK_SET) == 0;
  }

  bool sync(int fd) override {
#if defined(F_FULLFSYNC)
    // macOS: fsync reaches the drive's cache only; this reaches the medium.
    if (::fcntl(fd, F_FULLFSYNC) == 0) return true;
#endif
    return ::fsync(fd) == 0;
  }

  bool syncFolder(int folder) override {
    // Some file systems keep nothing of a folder to sync and say so; that is not a failure.
    return sync(folder) || errno == EINVAL || errno == ENOTSUP;
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

}  // namespace hoops
