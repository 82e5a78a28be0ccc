// The save that replaces a file whole or not at all: the target looked at once, a new file in
// its folder, synced, checked and renamed over it.
#include "pollfile/save_poll.h"

#include <cerrno>
#include <cstdint>
#include <new>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "pollfile/failure.h"
#include "pollfile/poll_writer.h"
#include "system/error_text.h"
#include "system/file_streams.h"
#include "system/signals.h"

namespace {

constexpr const char* kNoNewFile = "no file can be made beside it: ";

// The name that a write to `path` lands on: symbolic links are followed, so that a link keeps
// being a link and the file it names is replaced. Nullopt, with errno ELOOP, for a loop or a
// chain longer than the system follows.
std::optional<std::string> followLinks(FileSystem& files, std::string path) {
  constexpr int kMostLinks = 40;  // the system's own limit
  for (int i = 0; i <= kMostLinks; ++i) {
    std::optional<std::string> target = files.linkTarget(path);
    if (!target) return path;
    path = !target->empty() && target->front() == '/' ? *target
                                                      : splitPath(path).first + "/" + *target;
  }
  errno = ELOOP;
  return std::nullopt;
}

// Sends the poll to `fd` through `buffer`; the errno of a failure, or 0.
int writeAll(FileWriteBuffer& buffer, int fd, const Poll& poll) {
  buffer.attach(fd);
  std::ostream out(&buffer);
  if (writePollFile(out, poll)) return 0;
  return buffer.error() != 0 ? buffer.error() : EIO;
}

// The new file beside the target; removed when it goes, unless it was renamed into place.
class NewFile {
 public:
  NewFile(FileSystem& files, int folder) : files_(files), folder_(folder) {}
  ~NewFile() {
    close();
    if (!name_.empty()) files_.removeAt(folder_, name_);
  }
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  bool create(bool replacement) {
    fd_ = files_.createTemporary(folder_, replacement, name_);
    return fd_ >= 0;
  }
  int fd() const { return fd_; }
  bool close() { return fd_ < 0 || files_.close(std::exchange(fd_, -1)); }
  // Puts the file in the place of `name`; from then on it stays.
  bool placeAs(const std::string& name) {
    if (!files_.renameAt(folder_, name_, name)) return false;
    name_.clear();
    return true;
  }

 private:
  FileSystem& files_;
  int folder_;
  int fd_ = -1;
  std::string name_;
};

// Writes through a descriptor the program already holds, after what went there before; the
// descriptor stays open.
bool writeThrough(FileSystem& files, int fd, const Poll& poll, std::string* reason) {
  FileWriteBuffer buffer(files);
  if (!files.status(fd)) return failWith(reason, errno);
  const int error = writeAll(buffer, fd, poll);
  return error == 0 || failWith(reason, error);
}

// Writes over a device, FIFO or terminal through the descriptor that opened it.
bool writeInPlace(FileSystem& files, Descriptor& file, const Poll& poll, std::string* reason) {
  FileWriteBuffer buffer(files);
  int error = writeAll(buffer, file.fd(), poll);
  if (!file.close() && error == 0) error = errno;
  return error == 0 || failWith(reason, error);
}

// True when `name` in `folder` is still the file looked at (`existing`), or still none.
bool stillThere(FileSystem& files, int folder, const std::string& name,
                const std::optional<FileSystem::Status>& existing) {
  errno = 0;
  const std::optional<FileSystem::Status> now = files.statusAt(folder, name);
  return existing ? now && now->sameFile(*existing) : !now && errno == ENOENT;
}

// Gives the new file what the old file `target` (when open) had, then the poll, synced and
// closed; false, with `reason`, on a failure.
bool fill(FileSystem& files, FileWriteBuffer& buffer, NewFile& file, Descriptor& target,
          const Poll& poll, std::vector<std::string>& notKept, std::string* reason) {
  if (target.open() && !files.copyMetadata(target.fd(), file.fd(), notKept)) {
    return failWith(reason, errno, "what the file had cannot be kept: ");
  }
  target.close();  // read from alone, so its close has nothing to report
  int error = writeAll(buffer, file.fd(), poll);
  if (error == 0 && !files.sync(file.fd())) error = errno;
  if (!file.close() && error == 0) error = errno;
  return error == 0 || failWith(reason, error);
}

// Adds to `notes` what the operator should know of a save of `path` that succeeded. Best
// effort: without memory for them the notes are left out.
void tellWhatWasNotKept(const std::string& path, int syncError,
                        const std::optional<FileSystem::Status>& existing,
                        const std::vector<std::string>& notKept, std::vector<std::string>& notes) {
  try {
    const std::string saved = "'" + path + "' is saved";
    if (syncError != 0) {
      notes.push_back(saved + ", but its folder could not be synced: ");
      notes.back() += errorText(syncError);
    }
    if (existing && existing->links > 1) {
      const uint64_t others = existing->links - 1;
      notes.push_back(saved + " as a new file; the ");
      notes.back() += std::to_string(others);
      notes.back() +=
          others == 1 ? " other name of the old file keeps" : " other names of the old file keep";
      notes.back() += " last week's poll";
    }
    for (const std::string& attribute : notKept) {
      notes.push_back(saved + ", without the system's attribute ");
      notes.back() += attribute;
    }
  } catch (const std::bad_alloc&) {
  }
}

// Writes the poll to a new file in the folder of the final name of `path`, and renames it over
// that name. `target` is the file there, as opened, with its status `existing`; none and nullopt
// when there is none yet.
bool replaceWhole(FileSystem& files, const std::string& path, Descriptor& target,
                  const std::optional<FileSystem::Status>& existing, const Poll& poll,
                  std::string* reason, std::vector<std::string>* notes) {
  FileWriteBuffer buffer(files);
  const std::optional<std::string> final = followLinks(files, path);
  if (!final) return failWith(reason, errno);
  const auto [folderPath, name] = splitPath(*final);
  if (name.empty()) return failWith(reason, EISDIR);
  int syncError = 0;
  Descriptor folder(files, files.openFolder(folderPath, syncError));
  if (!folder.open()) return failWith(reason, errno, kNoNewFile);
  const std::string replaced = "it was replaced while being saved";
  if (!stillThere(files, folder.fd(), name, existing)) return fail(reason, replaced);
  std::vector<std::string> notKept;
  // A signal from outside waits until the new file is renamed or removed.
  SignalsHeld held;
  NewFile file(files, folder.fd());
  if (!file.create(existing.has_value())) return failWith(reason, errno, kNoNewFile);
  if (!fill(files, buffer, file, target, poll, notKept, reason)) return false;
  if (!stillThere(files, folder.fd(), name, existing)) return fail(reason, replaced);
  if (!file.placeAs(name)) return failWith(reason, errno);
  // Without this sync a power loss could still bring back the old file.
  if (syncError == 0 && !files.sync(folder.fd())) {
    return failWith(reason, errno,
                    "the file may already hold the new poll, but its folder could not be synced, "
                    "so a power loss could bring back the old one; save again: ");
  }
  if (notes != nullptr) tellWhatWasNotKept(path, syncError, existing, notKept, *notes);
  return true;
}

}  // namespace

bool savePoll(const Poll& poll, const std::string& path, std::string* reason,
              std::vector<std::string>* notes, FileSystem& files) {
  if (path.empty()) return failWith(reason, ENOENT);
  if (path.find('\0') != std::string::npos) return fail(reason, "a path cannot hold a NUL byte");
  try {
    const int held = files.heldDescriptor(path);
    if (held >= 0) return writeThrough(files, held, poll, reason);
    Descriptor target(files, files.openForWriting(path));
    if (!target.open()) {
      if (errno != ENOENT) return failWith(reason, errno);
      return replaceWhole(files, path, target, std::nullopt, poll, reason, notes);
    }
    const std::optional<FileSystem::Status> existing = files.status(target.fd());
    if (!existing) return failWith(reason, errno);
    if (!existing->regular) return writeInPlace(files, target, poll, reason);
    return replaceWhole(files, path, target, existing, poll, reason, notes);
  } catch (const std::bad_alloc&) {
    return fail(reason, "out of memory");
  }
}
