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

FileInfo infoOf(const struct stat& stat) {
  FileInfo info;
  info.regular = S_ISREG(stat.st_mode);
  info.directory = S_ISDIR(stat.st_mode);
  info.mode = static_cast<uint32_t>(stat.st_mode & 07777);
  info.owner = static_cast<uint32_t>(stat.st_uid);
  info.group = static_cast<uint32_t>(stat.st_gid);
  info.device = static_cast<uint64_t>(stat.st_dev);
  info.inode = static_cast<uint64_t>(stat.st_ino);
  info.links = static_cast<uint64_t>(stat.st_nlink);
  return info;
}

#if defined(__linux__)
// The type the C library's ioctl takes its request in (glibc an unsigned long, musl an int),
// read off its declaration, and the request that reads a file's flags in it.
template <typename Request>
Request requestOf(int (*)(int, Request, ...));
using IoctlRequest = decltype(requestOf(&::ioctl));
constexpr auto kGetFlags = static_cast<IoctlRequest>(FS_IOC_GETFLAGS);
#endif

// Makes the open file `fd`, opened without waiting for the other end of a FIFO, wait as usual
// from now on.
Status makeBlocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) return Status::lastError();
  return Status();
}

// Done when the call's `result` is 0, else the error it left.
Status checked(int result) {
  return result == 0 ? Status() : Status::lastError();
}

class PosixFileSystem final : public FileSystem {
 public:
  Status openForReading(const std::string& path, Descriptor& file) override {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return Status::lastError();
    file = Descriptor(*this, fd);
    // Opened without waiting for a FIFO's writer; read as usual, so that a pipe whose writer
    // is slow is waited for rather than read as failed.
    const Status blocking = makeBlocking(file.fd());
    if (!blocking.ok()) file.close();
    return blocking;
  }

  Status openToReadAll(const std::string& path, Descriptor& file) override {
    while (true) {
      const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
      if (fd >= 0) {
        file = Descriptor(*this, fd);
        return Status();
      }
      if (errno != EINTR) return Status::lastError();
    }
  }

  Status openTarget(const std::string& path, Descriptor& file, bool& created) override {
    created = false;
    constexpr int kWrite = O_WRONLY | O_NOCTTY | O_CLOEXEC;
    // A name that is not there is made with nothing followed: the file is then the program's.
    int fd = ::open(path.c_str(), kWrite | O_CREAT | O_EXCL, 0666);
    if (fd >= 0) {
      file = Descriptor(*this, fd);
      created = true;
      return Status();
    }
    if (errno != EEXIST) return Status::lastError();
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
    if (fd < 0) return Status::lastError();
    file = Descriptor(*this, fd);
    // Opened without waiting for a FIFO's reader; written as usual.
    if (const Status blocking = makeBlocking(fd); !blocking.ok()) {
      file.close();
      return blocking;
    }
    struct stat made {};
    created = missing && ::fstat(fd, &made) == 0 && S_ISREG(made.st_mode) && made.st_size == 0 &&
              made.st_uid == ::geteuid();
    return Status();
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

  Status nameOf(int fd, std::string& name) override {
#if defined(__linux__)
    std::string found(4097, '\0');
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(link.c_str(), found.data(), found.size());
    if (length < 0) return Status::lastError();
    if (static_cast<std::size_t>(length) >= found.size()) return Status::system(ENAMETOOLONG);
    found.resize(static_cast<std::size_t>(length));
    // What is not a path ("pipe:[12]") is no file in a folder.
    if (found.empty() || found.front() != '/') return Status::system(ENOENT);
    name = std::move(found);
    return Status();
#elif defined(F_GETPATH)
    char found[MAXPATHLEN];
    if (::fcntl(fd, F_GETPATH, found) == -1) return Status::lastError();
    name = found;
    return Status();
#elif defined(F_KINFO)
    struct kinfo_file info {};
    info.kf_structsize = KINFO_FILE_SIZE;
    if (::fcntl(fd, F_KINFO, &info) == -1) return Status::lastError();
    if (info.kf_path[0] != '/') return Status::system(ENOENT);
    name = info.kf_path;
    return Status();
#else
    (void)fd;
    (void)name;
    return Status::system(ENOTSUP);
#endif
  }

  Status status(int fd, FileInfo& info) override {
    struct stat found {};
    if (::fstat(fd, &found) != 0) return Status::lastError();
    info = infoOf(found);
    return Status();
  }

  Status statusOfPath(const std::string& path, FileInfo& info) override {
    struct stat found {};
    if (::stat(path.c_str(), &found) != 0) return Status::lastError();
    info = infoOf(found);
    return Status();
  }

  Status openFolder(const std::string& path, Descriptor& folder, Status& syncable) override {
    syncable = Status();
    int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
      if (errno != EACCES || kSearchOnly == -1) return Status::lastError();
      // A folder the process may write in but not read: names can be made, not synced.
      syncable = Status::lastError();
      fd = ::open(path.c_str(), kSearchOnly | O_DIRECTORY | O_CLOEXEC);
      if (fd < 0) return syncable;
    }
    folder = Descriptor(*this, fd);
    return Status();
  }

  bool forbidsRemovalIn(const std::string& path) override {
    Descriptor folder;
    Status syncable;
    return openFolder(path, folder, syncable).ok() && forbidsRemoval(folder.fd());
  }

  Status statusAt(int folder, const std::string& name, FileInfo& info) override {
    struct stat found {};
    if (::fstatat(folder, name.c_str(), &found, AT_SYMLINK_NOFOLLOW) != 0) {
      return Status::lastError();
    }
    info = infoOf(found);
    return Status();
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

  Status createTemporary(int folder, std::string& name, Descriptor& file) override {
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string candidate = temporaryName();
      const int fd = ::openat(folder, candidate.c_str(),
                              O_RDWR | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0600);
      if (fd >= 0) {
        file = Descriptor(*this, fd);
        name = std::move(candidate);
        return Status();
      }
      if (errno != EEXIST) return Status::lastError();
    }
    return Status::system(EEXIST);
  }

  Status copyMetadata(int from, int to, Kept& kept) override {
    struct stat old {};
    if (::fstat(from, &old) != 0) return Status::lastError();
    // Only a privileged process may give a file away; a member of the file's group may still
    // give it that group.
    if (::fchown(to, old.st_uid, old.st_gid) != 0) {
      if (errno != EPERM) return Status::lastError();
      if (::fchown(to, static_cast<uid_t>(-1), old.st_gid) != 0 && errno != EPERM) {
        return Status::lastError();
      }
    }
    // The mode first: an access control list given after it sets its group bits.
    struct stat made {};
    if (::fchmod(to, old.st_mode & 07777) != 0 || ::fstat(to, &made) != 0) {
      return Status::lastError();
    }
    if (const Status copied = copyAttributes(from, to, kept.attributesLeftOut); !copied.ok()) {
      return copied;
    }
    if (made.st_uid == old.st_uid && made.st_gid == old.st_gid) return Status();
    if (const Status rights = keepRightsOf(to, old.st_uid != made.st_uid ? old.st_uid : kNobody,
                                           old.st_gid != made.st_gid ? old.st_gid : kNobody);
        !rights.ok()) {
      return rights;
    }
    if (old.st_uid != made.st_uid) {
      kept.ownerBefore = userName(old.st_uid);
      kept.ownerNow = userName(made.st_uid);
    }
    if (old.st_gid != made.st_gid) {
      kept.groupBefore = groupName(old.st_gid);
      kept.groupNow = groupName(made.st_gid);
    }
    return Status();
  }

  Status renameAt(int folder, const std::string& from, const std::string& to) override {
    return checked(::renameat(folder, from.c_str(), folder, to.c_str()));
  }

  Status removeAt(int folder, const std::string& name) override {
    return checked(::unlinkat(folder, name.c_str(), 0));
  }

  Status write(int fd, const char* data, std::size_t size) override {
    while (size > 0) {
      ssize_t written = ::write(fd, data, size);
      if (written < 0 && errno == EINTR) continue;
      if (written == 0) return Status::system(EIO);
      if (written < 0) return Status::lastError();
      data += written;
      size -= static_cast<std::size_t>(written);
    }
    return Status();
  }

  Status read(int fd, char* data, std::size_t size, std::size_t& count) override {
    count = 0;
    while (true) {
      const ssize_t got = ::read(fd, data, size);
      if (got >= 0) {
        count = static_cast<std::size_t>(got);
        return Status();
      }
      if (errno != EINTR) return Status::lastError();
    }
  }

  Status rewind(int fd) override {
    return ::lseek(fd, 0, SEEK_SET) == 0 ? Status() : Status::lastError();
  }

  Status sync(int fd) override {
#if defined(F_FULLFSYNC)
    // macOS: fsync reaches the drive's cache only; this reaches the medium.
    if (::fcntl(fd, F_FULLFSYNC) == 0) return Status();
#endif
    return checked(::fsync(fd));
  }

  Status syncFolder(int folder) override {
    // Some file systems keep nothing of a folder to sync and say so; that is not a failure.
    const Status synced = sync(folder);
    return synced.is(EINVAL) || synced.is(ENOTSUP) ? Status() : synced;
  }

  Status close(int fd) override {
    return ::close(fd) == 0 || errno == EINTR ? Status() : Status::lastError();
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
