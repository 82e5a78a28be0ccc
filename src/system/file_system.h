// The door to the operating system's files: the calls a load and a save make, behind an
// interface that tests can make fail.
#ifndef HOOPS_SYSTEM_FILE_SYSTEM_H_
#define HOOPS_SYSTEM_FILE_SYSTEM_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "system/status.h"

namespace hoops {

class FileSystem;

// What the program knows of an existing file.
struct FileInfo {
  bool regular = false;  // a plain file, not a directory, device, FIFO or socket
  bool directory = false;
  uint32_t mode = 0;  // permission bits
  uint32_t owner = 0;
  uint32_t group = 0;
  uint64_t device = 0;  // with inode, which file this is
  uint64_t inode = 0;
  uint64_t links = 1;  // how many names the file has

  bool sameFile(const FileInfo& other) const {
    return device == other.device && inode == other.inode;
  }
};

// An open descriptor of a FileSystem, which it owns: closed when it goes, handed on by moving.
// An empty one holds none.
class Descriptor {
 public:
  Descriptor() = default;
  Descriptor(FileSystem& files, int fd) : files_(&files), fd_(fd) {}
  ~Descriptor() { close(); }
  Descriptor(Descriptor&& other) noexcept
      : files_(other.files_), fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    if (this != &other) {
      close();
      files_ = other.files_;
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }

  // The number the system knows it by, for the calls of its FileSystem; -1 when empty.
  int fd() const { return fd_; }
  bool open() const { return fd_ >= 0; }
  // Closes the descriptor now (the system releases it even when the close fails); done when it
  // was empty.
  Status close();
  // Hands the descriptor over without closing it, leaving this empty: for a file system that
  // wraps another and closes through it.
  int release() { return std::exchange(fd_, -1); }

 private:
  FileSystem* files_ = nullptr;
  int fd_ = -1;
};

// What the program needs of the system's files, behind one small interface so that tests can
// make any single call fail or keep the files in memory. A path is handed to the system as it
// is and looked at once; what follows is done through the descriptors it gave, each owned by a
// Descriptor, and names are made and replaced relative to an open folder, so that another user
// who changes the folders between two calls cannot move the work elsewhere. Every call that
// can fail returns its Status, built where it failed.
class FileSystem {
 public:
  // What a copy of a file's metadata could not give as it was.
  struct Kept {
    std::vector<std::string> attributesLeftOut;  // the system's own, not the process's to set
    std::string ownerBefore, ownerNow;  // names (or numbers) when the owner could not be kept
    std::string groupBefore, groupNow;  // the same for the group
  };

  virtual ~FileSystem() = default;

  // Opens `path` into `file` for reading without waiting for a writer (a FIFO); reads then
  // wait for data as usual.
  virtual Status openForReading(const std::string& path, Descriptor& file) = 0;
  // Opens `path` into `file` for reading as `cat` does: a FIFO waits for its writer.
  virtual Status openToReadAll(const std::string& path, Descriptor& file) = 0;
  // Opens `path` into `file` for writing as the shell's `>` resolves it: links followed and
  // every check and protection of the system applied (permissions, links and files of others in
  // shared sticky folders). An existing file is neither cut nor moved; a missing one is made
  // empty, with the permissions a new file gets there, and `created` is set (also where a link
  // that named no file yet led to it). A FIFO without a reader is not waited for (writes to it
  // then wait as usual); a lease held by another program is, and a stop signal ends that wait
  // (system/signals.h).
  virtual Status openTarget(const std::string& path, Descriptor& file, bool& created) = 0;
  // A descriptor the program holds open for writing (its standard streams, those it inherited)
  // on the very file that `fd` is open on, or -1 when there is none. Not the caller's to close.
  virtual int ownWriter(int fd) = 0;
  // The whole path under which the system knows the open file `fd` now, into `name`.
  virtual Status nameOf(int fd, std::string& name) = 0;
  // What the system knows of the open file `fd`, into `info`.
  virtual Status status(int fd, FileInfo& info) = 0;
  // What the system knows of the file `path` names, links followed, without disturbing a
  // FIFO's other end. Where the system has no FIFOs, the file opened for reading serves.
  virtual Status statusOfPath(const std::string& path, FileInfo& info) {
    Descriptor file;
    const Status opened = openForReading(path, file);
    return opened.ok() ? status(file.fd(), info) : opened;
  }

  // Opens the folder `path` into `folder`, in which names are then made, looked at and
  // replaced. `syncable` says whether its names can be synced through it, or why not.
  virtual Status openFolder(const std::string& path, Descriptor& folder, Status& syncable) = 0;
  // True when the open folder `folder` lets no name in it be removed or replaced (append-only
  // or immutable), as far as the system tells.
  virtual bool forbidsRemoval(int folder) = 0;
  // True when the folder at `path` lets no name in it be removed, as forbidsRemoval says; false
  // when it cannot be opened.
  virtual bool forbidsRemovalIn(const std::string& path) = 0;
  // What the system knows of `name` in `folder`, a symbolic link not followed, into `info`.
  virtual Status statusAt(int folder, const std::string& name, FileInfo& info) = 0;
  // Creates a new, empty file in `folder` under a name of the program's own (never an existing
  // one), for its owner's eyes alone, and stores the name in `name` and the open file in `file`.
  virtual Status createTemporary(int folder, std::string& name, Descriptor& file) = 0;
  // Gives the file `to` what the file `from` has besides its content, where this system keeps
  // it apart from the file's name: owner and group, permission bits, access control list (or
  // none, when `from` has none) and user attributes. Where the process may not give `from`'s
  // owner or group, the new owner or group is the process's and the old one keeps every right
  // it had through a named entry in the access control list, said in `kept`; a failure
  // (kNoAccessLists) where the file system keeps no such list. The system's own attributes
  // (security labels and the like) that the process may not set are left out, and their names
  // added to `kept.attributesLeftOut`.
  virtual Status copyMetadata(int from, int to, Kept& kept) = 0;
  // Puts the file `from` in `folder` in the place of `to` in one step. Where the system keeps
  // a file's access control list and attributes with its name, they stay with the name.
  virtual Status renameAt(int folder, const std::string& from, const std::string& to) = 0;
  virtual Status removeAt(int folder, const std::string& name) = 0;

  // Writes all `size` bytes, or fails.
  virtual Status write(int fd, const char* data, std::size_t size) = 0;
  // Reads at most `size` bytes; `count` is how many (0 at the end).
  virtual Status read(int fd, char* data, std::size_t size, std::size_t& count) = 0;
  // Moves the place the next read of the open file `fd` starts at back to its start.
  virtual Status rewind(int fd) = 0;
  // Makes the file's content durable; any error fails.
  virtual Status sync(int fd) = 0;
  // Makes the names in the open folder `folder` durable; done where the file system keeps
  // nothing of a folder to sync.
  virtual Status syncFolder(int folder) = 0;
  // Releases the descriptor, even when it reports a failure. Only a Descriptor closes what it
  // owns; this is for a file system that wraps another.
  virtual Status close(int fd) = 0;
};

inline Status Descriptor::close() {
  if (fd_ < 0) return Status();
  return files_->close(std::exchange(fd_, -1));
}

// The operating system's own files.
FileSystem& realFileSystem();

// Splits `path` into the folder that holds its last name ("." for a bare name, the root for a
// name in it) and that name.
std::pair<std::string, std::string> splitPath(const std::string& path);

}  // namespace hoops

#endif  // HOOPS_SYSTEM_FILE_SYSTEM_H_
