// A file system for tests that fails one chosen call and records the calls made.
#ifndef HOOPS_TESTS_SYSTEM_FAILING_FILE_SYSTEM_H_
#define HOOPS_TESTS_SYSTEM_FAILING_FILE_SYSTEM_H_

#include <cerrno>
#include <functional>
#include <new>
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
  // When set, the chosen call throws std::bad_alloc instead, as memory running out inside it
  // would; a close (which destructors make) still only fails.
  bool outOfMemory = false;

  // Look-ups: never failed here.
  int ownWriter(int fd) override { return under_.ownWriter(fd); }
  Status status(int fd, FileInfo& info) override { return under_.status(fd, info); }
  Status statusOfPath(const std::string& path, FileInfo& info) override {
    return under_.statusOfPath(path, info);
  }
  Status statusAt(int folder, const std::string& name, FileInfo& info) override {
    return under_.statusAt(folder, name, info);
  }
  bool forbidsRemoval(int folder) override { return under_.forbidsRemoval(folder); }
  bool forbidsRemovalIn(const std::string& path) override { return under_.forbidsRemovalIn(path); }

  // What is opened here is closed here, through the file system underneath.
  Status openForReading(const std::string& path, Descriptor& file) override {
    return fails("openForReading") ? kFailure : adopt(under_.openForReading(path, file), file);
  }
  Status openToReadAll(const std::string& path, Descriptor& file) override {
    return fails("openForReading") ? kFailure : adopt(under_.openToReadAll(path, file), file);
  }
  Status openTarget(const std::string& path, Descriptor& file, bool& created) override {
    return fails("openTarget") ? kFailure : adopt(under_.openTarget(path, file, created), file);
  }
  Status nameOf(int fd, std::string& name) override {
    return fails("nameOf") ? kFailure : under_.nameOf(fd, name);
  }
  Status openFolder(const std::string& path, Descriptor& folder, Status& syncable) override {
    return fails("openFolder") ? kFailure
                               : adopt(under_.openFolder(path, folder, syncable), folder);
  }
  Status createTemporary(int folder, std::string& name, Descriptor& file) override {
    return fails("createTemporary") ? kFailure
                                    : adopt(under_.createTemporary(folder, name, file), file);
  }
  Status copyMetadata(int from, int to, Kept& kept) override {
    return fails("copyMetadata") ? kFailure : under_.copyMetadata(from, to, kept);
  }
  Status renameAt(int folder, const std::string& from, const std::string& to) override {
    return fails("renameAt") ? kFailure : under_.renameAt(folder, from, to);
  }
  Status removeAt(int folder, const std::string& name) override {
    return fails("removeAt") ? kFailure : under_.removeAt(folder, name);
  }
  Status write(int fd, const char* data, std::size_t size) override {
    return fails("write") ? kFailure : under_.write(fd, data, size);
  }
  Status read(int fd, char* data, std::size_t size, std::size_t& count) override {
    return fails("read") ? kFailure : under_.read(fd, data, size, count);
  }
  Status rewind(int fd) override { return fails("rewind") ? kFailure : under_.rewind(fd); }
  Status sync(int fd) override { return fails("sync") ? kFailure : under_.sync(fd); }
  Status syncFolder(int folder) override {
    return fails("syncFolder") ? kFailure : under_.syncFolder(folder);
  }
  Status close(int fd) override {
    // A failed close still releases the descriptor, as the system's does.
    const Status closed = under_.close(fd);
    return failsWithoutThrowing("close") ? kFailure : closed;
  }

 private:
  static inline const Status kFailure = Status::system(EIO);

  bool fails(const char* call) {
    if (!failsWithoutThrowing(call)) return false;
    if (outOfMemory) throw std::bad_alloc();
    return true;
  }

  bool failsWithoutThrowing(const char* call) {
    if (onCall) onCall(call);
    log_.emplace_back(call);
    if (calls() != failAt_) return false;
    failed_ = call;
    return true;
  }

  // `opened`, with the descriptor the file system underneath put in `file` owned here instead,
  // so that its close is counted.
  Status adopt(const Status& opened, Descriptor& file) {
    if (opened.ok()) file = Descriptor(*this, file.release());
    return opened;
  }

  FileSystem& under_;
  int failAt_;
  std::vector<std::string> log_;
  std::string failed_;
};

}  // namespace hoops

#endif  // HOOPS_TESTS_SYSTEM_FAILING_FILE_SYSTEM_H_
