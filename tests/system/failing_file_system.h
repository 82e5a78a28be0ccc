// A file system for tests that fails one chosen call and records the calls made.
#ifndef HOOPS_TESTS_SYSTEM_FAILING_FILE_SYSTEM_H_
#define HOOPS_TESTS_SYSTEM_FAILING_FILE_SYSTEM_H_

#include <cerrno>
#include <functional>
#include <string>
#include <vector>

#include "system/file_system.h"

namespace hoops {

// Another file system (the real one by default), except that the call numbered `failAt`
// (counting from 1 every call that can fail, look-ups aside) fails once with EIO, doing
// nothing. 0 fails none. `onCall`, when set, runs before each counted call with its name, and
// `log()` holds the counted calls' names in order.
class FailingFileSystem final : public FileSystem {
 public:
  explicit FailingFileSystem(int failAt, FileSystem& under = realFileSystem())
      : under_(under), failAt_(failAt) {}

  int calls() const { return static_cast<int>(log_.size()); }
  const std::vector<std::string>& log() const { return log_; }
  // The name of the call that failed, or "" while none has.
  const std::string& failed() const { return failed_; }
  std::function<void(const std::string&)> onCall;

  // Look-ups: never failed here.
  int ownWriter(int fd) override { return under_.ownWriter(fd); }
  std::optional<Status> status(int fd) override { return under_.status(fd); }
  std::optional<Status> statusOfPath(const std::string& path) override {
    return under_.statusOfPath(path);
  }
  std::optional<Status> statusAt(int folder, const std::string& name) override {
    return under_.statusAt(folder, name);
  }
  bool forbidsRemoval(int folder) override { return under_.forbidsRemoval(folder); }
  bool forbidsRemovalIn(const std::string& path) override { return under_.forbidsRemovalIn(path); }

  int openForReading(const std::string& path) override {
    return fails("openForReading") ? -1 : under_.openForReading(path);
  }
  int openToReadAll(const std::string& path) override {
    return fails("openForReading") ? -1 : under_.openToReadAll(path);
  }
  int openTarget(const std::string& path, bool& created) override {
    return fails("openTarget") ? -1 : under_.openTarget(path, created);
  }
  std::optional<std::string> nameOf(int fd) override {
    if (fails("nameOf")) return std::nullopt;
    return under_.nameOf(fd);
  }
  int openFolder(const std::string& path, int& syncError) override {
    return fails("openFolder") ? -1 : under_.openFolder(path, syncError);
  }
  int createTemporary(int folder, std::string& name) override {
    return fails("createTemporary") ? -1 : under_.createTemporary(folder, name);
  }
  bool copyMetadata(int from, int to, Kept& kept) override {
    return !fails("copyMetadata") && under_.copyMetadata(from, to, kept);
  }
  bool renameAt(int folder, const std::string& from, const std::string& to) override {
    return !fails("renameAt") && under_.renameAt(folder, from, to);
  }
  bool removeAt(int folder, const std::string& name) override {
    return !fails("removeAt") && under_.removeAt(folder, name);
  }
  bool write(int fd, const char* data, std::size_t size) override {
    return !fails("write") && under_.write(fd, data, size);
  }
  long read(int fd, char* data, std::size_t size) override {
    return fails("read") ? -1 : under_.read(fd, data, size);
  }
  bool rewind(int fd) override { return !fails("rewind") && under_.rewind(fd); }
  bool sync(int fd) override { return !fails("sync") && under_.sync(fd); }
  bool syncFolder(int folder) override { return !fails("syncFolder") && under_.syncFolder(folder); }
  bool close(int fd) override {
    // A failed close still releases the descriptor, as the system's does.
    bool closed = under_.close(fd);
    return !fails("close") && closed;
  }

 private:
  bool fails(const char* call) {
    if (onCall) onCall(call);
    log_.emplace_back(call);
    if (calls() != failAt_) return false;
    failed_ = call;
    errno = EIO;
    return true;
  }

  FileSystem& under_;
  int failAt_;
  std::vector<std::string> log_;
  std::string failed_;
};

}  // namespace hoops

#endif  // HOOPS_TESTS_SYSTEM_FAILING_FILE_SYSTEM_H_
