// The file calls a save makes, behind an interface that tests can make fail.
#ifndef HOOPS_POLLFILE_FILE_SYSTEM_H_
#define HOOPS_POLLFILE_FILE_SYSTEM_H_

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>

// What the poll file code needs of the operating system's files, behind one small interface
// so that tests can make any single call fail. Every call that fails leaves errno saying why.
class FileSystem {
 public:
  // The type and ownership of an existing file.
  struct Status {
    bool regular = false;  // a plain file, not a directory, device, FIFO or socket
    mode_t mode = 0;       // permission bits
    uid_t owner = 0;
    gid_t group = 0;
  };

  virtual ~FileSystem() = default;

  // The status of the file at `path`, symbolic links followed; nullopt when there is none.
  virtual std::optional<Status> status(const std::string& path) = 0;
  // The text of the symbolic link at `path`; nullopt when `path` is not a link.
  virtual std::optional<std::string> linkTarget(const std::string& path) = 0;

  // Creates a new, empty file of this program's own in `directory` (never an existing one),
  // stores its path in `path` and returns its descriptor; -1 on failure.
  virtual int createTemporary(const std::string& directory, std::string& path) = 0;
  // Opens `path` for writing, creating it (0666 less the umask) or cutting it to length 0;
  // -1 on failure.
  virtual int openForWriting(const std::string& path) = 0;

  // Writes all `size` bytes, or fails.
  virtual bool write(int fd, const char* data, std::size_t size) = 0;
  // Reads at most `size` bytes: the count read, 0 at the end, -1 on a read error.
  virtual long read(int fd, char* data, std::size_t size) = 0;

  // Gives the file `fd` the permission bits of `status` and, where the process may, its
  // owner and group.
  virtual bool copyOwnership(int fd, const Status& status) = 0;
  // Gives the file `fd` the permission bits a newly created file gets: 0666 less the umask.
  virtual bool setNewFileMode(int fd) = 0;

  // Makes the file's content durable.
  virtual bool sync(int fd) = 0;
  virtual bool close(int fd) = 0;
  // Replaces `to` by `from` in one step.
  virtual bool rename(const std::string& from, const std::string& to) = 0;
  virtual bool remove(const std::string& path) = 0;
  // Makes the names in `directory` durable (a no-op where the file system has no such sync).
  virtual bool syncDirectory(const std::string& directory) = 0;
};

// The operating system's own files.
FileSystem& realFileSystem();

#endif  // HOOPS_POLLFILE_FILE_SYSTEM_H_
