// The save that replaces a file whole or not at all: a new file beside it, synced, renamed.
#include "pollfile/save_poll.h"

#include <cerrno>
#include <new>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "pollfile/poll_writer.h"
#include "system/file_streams.h"
#include "system/signals.h"

namespace {

// The directory that holds `path`'s last name.
std::string directoryOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The file that a write to `path` lands on: symbolic links are followed, so that a link keeps
// being a link and the file it names is replaced. Nullopt, with errno ELOOP, for a loop or a
// chain longer than the system follows.
std::optional<std::string> followLinks(FileSystem& files, std::string path) {
  constexpr int kMostLinks = 40;  // the system's own limit
  for (int i = 0; i <= kMostLinks; ++i) {
    std::optional<std::string> target = files.linkTarget(path);
    if (!target) return path;
    path = !target->empty() && target->front() == '/' ? *target : directoryOf(path) + "/" + *target;
  }
  errno = ELOOP;
  return std::nullopt;
}

// A save that has failed: records why, and returns false.
class Failure {
 public:
  explicit Failure(std::string* reason) : reason_(reason) {}
  bool because(const std::string& why) const {
    if (reason_ != nullptr) *reason_ = why;
    return false;
  }
  // Why, from the errno of the call that failed (captured before anything else runs).
  bool becauseOf(int error, const std::string& before = "") const {
    return because(before + errorText(error != 0 ? error : EIO));
  }

 private:
  std::string* reason_;
};

// Sends the poll to the open file `fd` through `buffer`; the errno of a failure, or 0.
int writeTo(FileWriteBuffer& buffer, int fd, const Poll& poll) {
  buffer.attach(fd);
  std::ostream out(&buffer);
  if (writePollFile(out, poll)) return 0;
  return buffer.error() != 0 ? buffer.error() : EIO;
}

// Writes over a device, FIFO or terminal through the path as typed.
bool writeInPlace(FileSystem& files, const std::string& path, const Poll& poll,
                  const Failure& failure) {
  FileWriteBuffer buffer(files);
  int fd = files.openForWriting(path);
  if (fd < 0) return failure.becauseOf(errno);
  std::optional<FileSystem::Status> status = files.status(fd);
  if (status && status->regular) {
    // It became a regular file since it was looked at: never written over in place.
    files.close(fd);
    return failure.because("the file changed while it was being saved");
  }
  int error = writeTo(buffer, fd, poll);
  if (!files.close(fd) && error == 0) error = errno;
  return error == 0 || failure.becauseOf(error);
}

// A new file beside the target that is removed unless it has taken the target's place.
class TemporaryFile {
 public:
  explicit TemporaryFile(FileSystem& files) : files_(files) {}
  ~TemporaryFile() {
    if (fd_ >= 0) files_.close(fd_);
    if (!path_.empty()) files_.remove(path_);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool create(const std::string& directory) {
    fd_ = files_.createTemporary(directory, path_);
    return fd_ >= 0;
  }
  int fd() const { return fd_; }
  // Closes the file; false when the close reports an error.
  bool close() { return files_.close(std::exchange(fd_, -1)); }
  // Renames the file over `target`; from then on it is the target's and stays.
  bool renameOver(const std::string& target) {
    if (!files_.rename(path_, target)) return false;
    path_.clear();
    return true;
  }

 private:
  FileSystem& files_;
  int fd_ = -1;
  std::string path_;
};

// A directory opened to sync its names, closed when it goes.
class OpenDirectory {
 public:
  OpenDirectory(FileSystem& files, const std::string& path)
      : files_(files), fd_(files.openDirectory(path)) {}
  ~OpenDirectory() {
    if (fd_ >= 0) files_.close(fd_);
  }
  OpenDirectory(const OpenDirectory&) = delete;
  OpenDirectory& operator=(const OpenDirectory&) = delete;

  int fd() const { return fd_; }

 private:
  FileSystem& files_;
  int fd_;
};

// Writes the poll to a new file beside `target` and renames it over `target`.
bool replaceWhole(FileSystem& files, const std::string& target,
                  const std::optional<FileSystem::Status>& existing, const Poll& poll,
                  const Failure& failure) {
  // Everything that takes memory comes first, so that running out leaves nothing behind.
  FileWriteBuffer buffer(files);
  const std::string directory = directoryOf(target);
  // The file is always renamed or removed before a signal from outside ends the run.
  SignalsHeld held;
  TemporaryFile temporary(files);
  if (!temporary.create(directory)) {
    return failure.becauseOf(errno, "no file can be made beside it: ");
  }
  const int fd = temporary.fd();
  if (!(existing ? files.copyOwnership(fd, *existing) : files.setNewFileMode(fd))) {
    return failure.becauseOf(errno);
  }
  if (int error = writeTo(buffer, fd, poll); error != 0) return failure.becauseOf(error);
  if (!files.sync(fd) || !temporary.close()) return failure.becauseOf(errno);
  // The directory is opened before the rename: when it cannot be read, the rename is still
  // atomic and the save goes on without the sync of its names.
  OpenDirectory names(files, directory);
  if (!temporary.renameOver(target)) return failure.becauseOf(errno);
  // The new content is in place; without this sync a power loss could still bring back the
  // old name, so its failure is reported too.
  if (names.fd() >= 0 && !files.sync(names.fd())) {
    return failure.becauseOf(errno, "saved, but not known to be on the disk: ");
  }
  return true;
}

}  // namespace

bool savePoll(const Poll& poll, const std::string& path, std::string* reason, FileSystem& files) {
  const Failure failure(reason);
  if (path.empty()) return failure.becauseOf(ENOENT);
  if (path.find('\0') != std::string::npos) return failure.because("a path cannot hold a NUL byte");
  try {
    errno = 0;
    const std::optional<FileSystem::Status> found = files.status(path);
    if (!found && errno != ENOENT) return failure.becauseOf(errno);
    if (found && found->directory) return failure.becauseOf(EISDIR);
    if (found && !found->regular) return writeInPlace(files, path, poll, failure);
    const std::optional<std::string> target = followLinks(files, path);
    if (!target) return failure.becauseOf(errno);
    // Only a file that may be written is replaced, as an open for writing would refuse it.
    if (found && !files.mayWrite(*target)) return failure.becauseOf(errno);
    return replaceWhole(files, *target, found, poll, failure);
  } catch (const std::bad_alloc&) {
    return failure.because("out of memory");
  }
}
