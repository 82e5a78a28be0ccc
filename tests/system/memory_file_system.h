// A file system for tests and fuzzing that keeps its files in memory.
#ifndef HOOPS_TESTS_SYSTEM_MEMORY_FILE_SYSTEM_H_
#define HOOPS_TESTS_SYSTEM_MEMORY_FILE_SYSTEM_H_

#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "system/file_system.h"

namespace hoops {

// Regular files by name, in memory, in one folder; no links, and every file may be written.
// Nothing touches the disk, so a save costs no sync.
class MemoryFileSystem final : public FileSystem {
 public:
  // The content of the file at `path`, or "" when there is none.
  std::string contentOf(const std::string& path) const {
    auto file = files_.find(path);
    return file == files_.end() ? "" : file->second->text;
  }
  std::size_t fileCount() const { return files_.size(); }

  int openForReading(const std::string& path) override {
    auto file = files_.find(path);
    if (file == files_.end()) return fails(ENOENT), -1;
    return openOn(file->second);
  }
  int openToReadAll(const std::string& path) override { return openForReading(path); }
  int openTarget(const std::string& path, bool& created) override {
    created = files_.count(path) == 0;
    if (created) files_[path] = std::make_shared<File>(File{"", ++made_});
    return openForReading(path);
  }
  int ownWriter(int) override { return -1; }
  std::optional<std::string> nameOf(int fd) override {
    for (const auto& [name, file] : files_) {
      if (file == open_.at(fd).file) return "/" + name;
    }
    return fails(ENOENT), std::nullopt;
  }
  std::optional<Status> status(int fd) override {
    auto file = open_.find(fd);
    if (file == open_.end()) return fails(EBADF), std::nullopt;
    return statusOf(file->second.file.get());
  }

  int openFolder(const std::string&, int& syncError) override {
    syncError = 0;
    return openOn(nullptr);
  }
  std::optional<Status> statusAt(int, const std::string& name) override {
    auto file = files_.find(name);
    if (file == files_.end()) return fails(ENOENT), std::nullopt;
    return statusOf(file->second.get());
  }
  bool forbidsRemoval(int) override { return false; }
  bool forbidsRemovalIn(const std::string&) override { return false; }
  int createTemporary(int, std::string& name) override {
    name = ".temporary-" + std::to_string(++made_);
    auto file = std::make_shared<File>();
    file->inode = made_;
    files_[name] = file;
    return openOn(file);
  }
  bool copyMetadata(int, int, Kept&) override { return true; }
  bool renameAt(int, const std::string& from, const std::string& to) override {
    auto file = files_.find(from);
    if (file == files_.end()) return fails(ENOENT), false;
    files_[to] = file->second;
    files_.erase(from);
    return true;
  }
  bool removeAt(int, const std::string& name) override {
    return files_.erase(name) == 1 || (fails(ENOENT), false);
  }

  bool write(int fd, const char* data, std::size_t size) override {
    Open& open = open_.at(fd);
    std::string& text = open.file->text;
    text.replace(open.offset, std::min(size, text.size() - open.offset), data, size);
    open.offset += size;
    return true;
  }
  long read(int fd, char* data, std::size_t size) override {
    Open& open = open_.at(fd);
    std::size_t count = open.file->text.copy(data, size, open.offset);
    open.offset += count;
    return static_cast<long>(count);
  }
  bool rewind(int fd) override {
    open_.at(fd).offset = 0;
    return true;
  }
  bool sync(int) override { return true; }
  bool syncFolder(int) override { return true; }
  bool close(int fd) override { return open_.erase(fd) == 1; }

 private:
  struct File {
    std::string text;
    uint64_t inode = 0;
  };
  struct Open {
    std::shared_ptr<File> file;
    std::size_t offset = 0;
  };

  static Status statusOf(const File* file) {
    Status status;
    status.regular = file != nullptr;
    status.directory = file == nullptr;
    status.mode = 0644;
    status.inode = file != nullptr ? file->inode : 0;
    return status;
  }
  // Sets errno as a failed call of the system would.
  static void fails(int error) { errno = error; }
  int openOn(std::shared_ptr<File> file) {
    open_[++lastFd_] = Open{std::move(file)};
    return lastFd_;
  }

  std::map<std::string, std::shared_ptr<File>> files_;
  std::map<int, Open> open_;
  int lastFd_ = 2;
  uint64_t made_ = 0;
};

}  // namespace hoops

#endif  // HOOPS_TESTS_SYSTEM_MEMORY_FILE_SYSTEM_H_
