// A file system for tests that fails one chosen call.
#ifndef HOOPS_TESTS_SYSTEM_FAILING_FILE_SYSTEM_H_
#define HOOPS_TESTS_SYSTEM_FAILING_FILE_SYSTEM_H_

#include <cerrno>
#include <string>

#include "system/file_system.h"

// Another file system (the real one by default), except that the call numbered `failAt`
// (counting from 1 every call that can fail, look-ups aside) fails once with EIO, doing
// nothing. 0 fails none.
class FailingFileSystem final : public FileSystem {
 public:
  explicit FailingFileSystem(int failAt, FileSystem& under = realFileSystem())
      : under_(under), failAt_(failAt) {}

  int calls() const { return calls_; }
  // The name of the call that failed, or "" while none has.
  const std::string& failed() const { return failed_; }

  std::optional<Status> status(const std::string& path) override { return under_.status(path); }
  std::optional<Status> status(int fd) override { return under_.status(fd); }
  std::optional<std::string> linkTarget(const std::string& path) override {
    return under_.linkTarget(path);
  }
  bool mayWrite(const std::string& path) override { return under_.mayWrite(path); }
  int openForReading(const std::string& path) override {
    return fails("openForReading") ? -1 : under_.openForReading(path);
  }
  int openForWriting(const std::string& path) override {
    return fails("openForWriting") ? -1 : under_.openForWriting(path);
  }
  int createTemporary(const std::string& directory, std::string& path) override {
    return fails("createTemporary") ? -1 : under_.createTemporary(directory, path);
  }
  int openDirectory(const std::string& directory) override {
    return fails("openDirectory") ? -1 : under_.openDirectory(directory);
  }
  bool write(int fd, const char* data, std::size_t size) override {
    return !fails("write") && under_.write(fd, data, size);
  }
  long read(int fd, char* data, std::size_t size) override {
    return fails("read") ? -1 : under_.read(fd, data, size);
  }
  bool copyOwnership(int fd, const Status& status) override {
    return !fails("copyOwnership") && under_.copyOwnership(fd, status);
  }
  bool setNewFileMode(int fd) override {
    return !fails("setNewFileMode") && under_.setNewFileMode(fd);
  }
  bool sync(int fd) override { return !fails("sync") && under_.sync(fd); }
  bool close(int fd) override {
    // A failed close still releases the descriptor, as the system's does.
    bool closed = under_.close(fd);
    return !fails("close") && closed;
  }
  bool rename(const std::string& from, const std::string& to) override {
    return !fails("rename") && under_.rename(from, to);
  }
  bool remove(const std::string& path) override { return !fails("remove") && under_.remove(path); }

 private:
  bool fails(const char* call) {
    if (++calls_ != failAt_) return false;
    failed_ = call;
    errno = EIO;
    return true;
  }

  FileSystem& under_;
  int failAt_;
  int calls_ = 0;
  std::string failed_;
};

#endif  // HOOPS_TESTS_SYSTEM_FAILING_FILE_SYSTEM_H_
