// A file system for tests that fails one chosen call.
#ifndef HOOPS_TESTS_POLLFILE_FAILING_FILE_SYSTEM_H_
#define HOOPS_TESTS_POLLFILE_FAILING_FILE_SYSTEM_H_

#include <cerrno>
#include <string>

#include "pollfile/file_system.h"

// The real file system, except that the call numbered `failAt` (counting from 1 every call
// that can fail, status look-ups aside) fails once with EIO, doing nothing. 0 fails none.
class FailingFileSystem final : public FileSystem {
 public:
  explicit FailingFileSystem(int failAt) : failAt_(failAt) {}

  int calls() const { return calls_; }
  // The name of the call that failed, or "" while none has.
  const std::string& failed() const { return failed_; }

  std::optional<Status> status(const std::string& path) override { return real_.status(path); }
  std::optional<std::string> linkTarget(const std::string& path) override {
    return real_.linkTarget(path);
  }
  int createTemporary(const std::string& directory, std::string& path) override {
    return fails("createTemporary") ? -1 : real_.createTemporary(directory, path);
  }
  int openForWriting(const std::string& path) override {
    return fails("openForWriting") ? -1 : real_.openForWriting(path);
  }
  bool write(int fd, const char* data, std::size_t size) override {
    return !fails("write") && real_.write(fd, data, size);
  }
  long read(int fd, char* data, std::size_t size) override {
    return fails("read") ? -1 : real_.read(fd, data, size);
  }
  bool copyOwnership(int fd, const Status& status) override {
    return !fails("copyOwnership") && real_.copyOwnership(fd, status);
  }
  bool setNewFileMode(int fd) override {
    return !fails("setNewFileMode") && real_.setNewFileMode(fd);
  }
  bool sync(int fd) override { return !fails("sync") && real_.sync(fd); }
  bool close(int fd) override {
    // A failed close still releases the descriptor, as the system's does.
    bool closed = real_.close(fd);
    return !fails("close") && closed;
  }
  bool rename(const std::string& from, const std::string& to) override {
    return !fails("rename") && real_.rename(from, to);
  }
  bool remove(const std::string& path) override { return !fails("remove") && real_.remove(path); }
  bool syncDirectory(const std::string& directory) override {
    return !fails("syncDirectory") && real_.syncDirectory(directory);
  }

 private:
  bool fails(const char* call) {
    if (++calls_ != failAt_) return false;
    failed_ = call;
    errno = EIO;
    return true;
  }

  FileSystem& real_ = realFileSystem();
  int failAt_;
  int calls_ = 0;
  std::string failed_;
};

#endif  // HOOPS_TESTS_POLLFILE_FAILING_FILE_SYSTEM_H_
