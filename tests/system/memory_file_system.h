// A file system for tests and fuzzing that keeps its files in memory.
#ifndef HOOPS_TESTS_SYSTEM_MEMORY_FILE_SYSTEM_H_
#define HOOPS_TESTS_SYSTEM_MEMORY_FILE_SYSTEM_H_

#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>
#include <string>

#include "system/file_system.h"

// Regular files by path, in memory, in directories that all exist; no links, and every file
// may be written. Nothing touches the disk, so a save costs no sync.
class MemoryFileSystem final : public FileSystem {
 public:
  // The content of the file at `path`, or "" when there is none.
  std::string contentOf(const std::string& path) const {
    auto file = files_.find(path);
    return file == files_.end() ? "" : *file->second;
  }
  std::size_t fileCount() const { return files_.size(); }

  std::optional<Status> status(const std::string& path) override {
    if (files_.count(path) == 0) return fails(ENOENT), std::nullopt;
    return Status{true, false, 0644, 0, 0};
  }
  std::optional<Status> status(int fd) override {
    if (open_.count(fd) == 0) return fails(EBADF), std::nullopt;
    return Status{true, false, 0644, 0, 0};
  }
  std::optional<std::string> linkTarget(const std::string&) override { return std::nullopt; }
  bool mayWrite(const std::string&) override { return true; }

  int openForReading(const std::string& path) override {
    auto file = files_.find(path);
    if (file == files_.end()) return fails(ENOENT), -1;
    return openOn(file->second);
  }
  int openForWriting(const std::string& path) override { return openForReading(path); }
  int createTemporary(const std::string& directory, std::string& path) override {
    path = directory + "/.temporary-" + std::to_string(++made_);
    return openOn(files_[path] = std::make_shared<std::string>());
  }
  int openDirectory(const std::string&) override { return openOn(nullptr); }

  bool write(int fd, const char* data, std::size_t size) override {
    Open& file = open_.at(fd);
    file.content->replace(file.offset, std::min(size, file.content->size() - file.offset), data,
                          size);
    file.offset += size;
    return true;
  }
  long read(int fd, char* data, std::size_t size) override {
    Open& file = open_.at(fd);
    std::size_t count = file.content->copy(data, size, file.offset);
    file.offset += count;
    return static_cast<long>(count);
  }
  bool copyOwnership(int, const Status&) override { return true; }
  bool setNewFileMode(int) override { return true; }
  bool sync(int) override { return true; }
  bool close(int fd) override { return open_.erase(fd) == 1; }
  bool rename(const std::string& from, const std::string& to) override {
    auto file = files_.find(from);
    if (file == files_.end()) return fails(ENOENT), false;
    files_[to] = file->second;
    files_.erase(from);
    return true;
  }
  bool remove(const std::string& path) override {
    return files_.erase(path) == 1 || (fails(ENOENT), false);
  }

 private:
  struct Open {
    std::shared_ptr<std::string> content;
    std::size_t offset = 0;
  };

  // Sets errno as a failed call of the system would.
  static void fails(int error) { errno = error; }
  int openOn(std::shared_ptr<std::string> content) {
    open_[++lastFd_] = Open{std::move(content)};
    return lastFd_;
  }

  std::map<std::string, std::shared_ptr<std::string>> files_;
  std::map<int, Open> open_;
  int lastFd_ = 2;
  int made_ = 0;
};

#endif  // HOOPS_TESTS_SYSTEM_MEMORY_FILE_SYSTEM_H_
