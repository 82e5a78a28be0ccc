// The file calls a load and a save make, behind an interface that tests can make fail.
#ifndef HOOPS_SYSTEM_FILE_SYSTEM_H_
#define HOOPS_SYSTEM_FILE_SYSTEM_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

// The descriptors of the standard streams.
inline constexpr int kStandardInput = 0;
inline constexpr int kStandardOutput = 1;

// What the program needs of the operating system's files, behind one small interface so that
// tests can make any single call fail or keep the files in memory. Paths are passed to the
// system as they are. Every call that fails leaves errno saying why.
class FileSystem {
 public:
  // The type and ownership of an existing file.
  struct Status {
    bool regular = false;  // a plain file, not a directory, device, FIFO or socket
    bool directory = false;
    uint32_t mode = 0;  // permission bits
    uint32_t owner = 0;
    uint32_t group = 0;
  };

  virtual ~FileSystem() = default;

  // The status of the file at `path`, symbolic links followed; nullopt when there is none
  // or it cannot be looked at (errno says which).
  virtual std::optional<Status> status(const std::string& path) = 0;
  // The status of the open file `fd`.
  virtual std::optional<Status> status(int fd) = 0;
  // The text of the symbolic link at `path`; nullopt when `path` is not a link.
  virtual std::optional<std::string> linkTarget(const std::string& path) = 0;
  // True when the process may write to the existing file at `path`.
  virtual bool mayWrite(const std::string& path) = 0;

  // Opens `path` for reading without waiting for a writer (a FIFO); -1 on failure.
  virtual int openForReading(const std::string& path) = 0;
  // Opens the existing `path` for writing, neither creating nor cutting it; -1 on failure.
  virtual int openForWriting(const std::string& path) = 0;
  // Creates a new, empty file of this program's own in `directory` (never an existing one),
  // stores its path in `path` and returns its descriptor; -1 on failure.
  virtual int createTemporary(const std::string& directory, std::string& path) = 0;
  // Opens `directory` so that its names can be synced; -1 on failure.
  virtual int openDirectory(const std::string& directory) = 0;

  // Writes all `size` bytes, or fails.
  virtual bool write(int fd, const char* data, std::size_t size) = 0;
  // Reads at most `size` bytes: the count read, 0 at the end, -1 on a read error.
  virtual long read(int fd, char* data, std::size_t size) = 0;

  // Gives the file `fd` the permission bits of `status` and, where the process may, its
  // owner and group, or else its group alone.
  virtual bool copyOwnership(int fd, const Status& status) = 0;
  // Gives the file `fd` the permission bits a newly created file gets: 0666 less the umask.
  virtual bool setNewFileMode(int fd) = 0;

  // Makes the file's content, or a directory's names, durable (a directory sync is a no-op
  // where the file system has none).
  virtual bool sync(int fd) = 0;
  // Releases the descriptor, even when it reports a failure.
  virtual bool close(int fd) = 0;
  // Replaces `to` by `from` in one step.
  virtual bool rename(const std::string& from, const std::string& to) = 0;
  virtual bool remove(const std::string& path) = 0;
};

// An open descriptor of a FileSystem, closed when it goes; -1 holds none.
class Descriptor {
 public:
  Descriptor(FileSystem& files, int fd) : files_(files), fd_(fd) {}
  ~Descriptor() { close(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int fd() const { return fd_; }
  bool open() const { return fd_ >= 0; }
  // Closes the descriptor now; false when the close reports an error.
  bool close() { return fd_ < 0 || files_.close(std::exchange(fd_, -1)); }

 private:
  FileSystem& files_;
  int fd_;
};

// The operating system's own files.
FileSystem& realFileSystem();

// The directory that holds `path`'s last name: "." for a bare name, the root for a name in it.
std::string directoryOf(const std::string& path);

// Makes standard output, and standard input unless it is a console, pass every byte as it is
// (no line-end translation), where the system would otherwise translate them.
void useBinaryStandardStreams();

// The system's words for the error number `error`, e.g. "No such file or directory".
inline std::string errorText(int error) {
  return std::strerror(error);
}

#endif  // HOOPS_SYSTEM_FILE_SYSTEM_H_
