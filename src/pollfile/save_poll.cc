// The save that replaces a file whole or not at all: a new file beside it, synced, renamed.
#include "pollfile/save_poll.h"

#include <cerrno>
#include <new>
#include <optional>
#include <ostream>
#include <string>

#include "pollfile/failure.h"
#include "pollfile/poll_writer.h"
#include "system/file_streams.h"
#include "system/signals.h"

namespace {

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

// Sends the poll to `file` through `buffer`, syncs it when asked, and closes it; the errno
// of a failure, or 0.
int writeAndClose(FileSystem& files, FileWriteBuffer& buffer, Descriptor& file, const Poll& poll,
                  bool sync) {
  buffer.attach(file.fd());
  std::ostream out(&buffer);
  if (!writePollFile(out, poll)) return buffer.error() != 0 ? buffer.error() : EIO;
  if (sync && !files.sync(file.fd())) return errno;
  return file.close() ? 0 : errno;
}

// Writes over a device, FIFO or terminal through the path as typed.
bool writeInPlace(FileSystem& files, const std::string& path, const Poll& poll,
                  std::string* reason) {
  FileWriteBuffer buffer(files);
  Descriptor file(files, files.openForWriting(path));
  if (!file.open()) return failWith(reason, errno);
  std::optional<FileSystem::Status> status = files.status(file.fd());
  if (status && status->regular) {
    return fail(reason, "it became a regular file while being saved");  // never cut in place
  }
  int error = writeAndClose(files, buffer, file, poll, /*sync=*/false);
  return error == 0 || failWith(reason, error);
}

// Writes the poll to a new file beside `target`, and renames it over `target`.
bool replaceWhole(FileSystem& files, const std::string& target,
                  const std::optional<FileSystem::Status>& existing, const Poll& poll,
                  std::string* reason) {
  // Everything that takes memory comes first, so that running out leaves nothing behind.
  FileWriteBuffer buffer(files);
  const std::string directory = directoryOf(target);
  std::string temporary;
  // A signal from outside waits until the temporary file is renamed or removed.
  SignalsHeld held;
  Descriptor file(files, files.createTemporary(directory, temporary));
  if (!file.open()) return failWith(reason, errno, "no file can be made beside it: ");
  const bool moded =
      existing ? files.copyOwnership(file.fd(), *existing) : files.setNewFileMode(file.fd());
  int error = moded ? writeAndClose(files, buffer, file, poll, /*sync=*/true) : errno;
  // The directory is opened before the rename: when it cannot be read, the rename is still
  // atomic and the save goes on without the sync of its names.
  Descriptor names(files, error == 0 ? files.openDirectory(directory) : -1);
  if (error == 0 && !files.rename(temporary, target)) error = errno;
  if (error != 0) {
    file.close();
    files.remove(temporary);
    return failWith(reason, error);
  }
  // Without this sync a power loss could still bring back the old file, so its failure is
  // reported too.
  if (names.open() && !files.sync(names.fd())) {
    return failWith(reason, errno, "saved, but not known to be on the disk: ");
  }
  return true;
}

}  // namespace

bool savePoll(const Poll& poll, const std::string& path, std::string* reason, FileSystem& files) {
  if (path.empty()) return failWith(reason, ENOENT);
  if (path.find('\0') != std::string::npos) return fail(reason, "a path cannot hold a NUL byte");
  try {
    errno = 0;
    const std::optional<FileSystem::Status> found = files.status(path);
    if (!found && errno != ENOENT) return failWith(reason, errno);
    if (found && found->directory) return failWith(reason, EISDIR);
    if (found && !found->regular) return writeInPlace(files, path, poll, reason);
    const std::optional<std::string> target = followLinks(files, path);
    if (!target) return failWith(reason, errno);
    // Only a file that may be written is replaced, as an open for writing would refuse it.
    if (found && !files.mayWrite(*target)) return failWith(reason, errno);
    return replaceWhole(files, *target, found, poll, reason);
  } catch (const std::bad_alloc&) {
    return fail(reason, "out of memory");
  }
}
