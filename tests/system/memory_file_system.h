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

  Status openForReading(const std::string& path, Descriptor& file) override {
    auto found = files_.find(path);
    if (found == files_.end()) return Status::system(ENOENT);
    file = openOn(found->second);
    return Status();
  }
  Status openToReadAll(const std::string& path, Descriptor& file) override {
    return openForReading(path, file);
  }
  Status openTarget(const std::string& path, Descriptor& file, bool& created) override {
    created = files_.count(path) == 0;
    if (created) files_[path] = std::make_shared<File>(File{"", ++made_});
    return openForReading(path, file);
  }
  int ownWriter(int) override { return -1; }
  Status nameOf(int fd, std::string& name) override {
    for (const auto& [path, file] : files_) {
      if (file == open_.at(fd).file) {
        name = "/" + path;
        return Status();
      }
    }
    return Status::system(ENOENT);
  }
  Status status(int fd, FileInfo& info) override {
    auto file = open_.find(fd);
    if (file == open_.end()) return Status::system(EBADF);
    info = infoOf(file->second.file.get());
    return Status();
  }

  Status openFolder(const std::string&, Descriptor& folder, Status& syncable) override {
    syncable = Status();
    folder = openOn(nullptr);
    return Status();
  }
  Status statusAt(int, const std::string& name, FileInfo& info) override {
    auto file = files_.find(name);
    if (file == files_.end()) return Status::system(ENOENT);
    info = infoOf(file->second.get());
    return Status();
  }
  bool forbidsRemoval(int) override { return false; }
  bool forbidsRemovalIn(const std::string&) override { return false; }
  Status createTemporary(int, std::string& name, Descriptor& file) override {
    name = ".temporary-" + std::to_string(++made_);
    auto made = std::make_shared<File>();
    made->inode = made_;
    files_[name] = made;
    file = openOn(made);
    return Status();
  }
  Status copyMetadata(int, int, Kept&) override { return Status(); }
  Status renameAt(int, const std::string& from, const std::string& to) override {
    auto file = files_.find(from);
    if (file == files_.end()) return Status::system(ENOENT);
    files_[to] = file->second;
    files_.erase(from);
    return Status();
  }
  Status removeAt(int, const std::string& name) override {
    return files_.erase(name) == 1 ? Status() : Status::system(ENOENT);
  }

  Status write(int fd, const char* data, std::size_t size) override {
    Open& open = open_.at(fd);
    std::string& text = open.file->text;
    text.replace(open.offset, std::min(size, text.size() - open.offset), data, size);
    open.offset += size;
    return Status();
  }
  Status read(int fd, char* data, std::size_t size, std::size_t& count) override {
    Open& open = open_.at(fd);
    count = open.file->text.copy(data, size, open.offset);
    open.offset += count;
    return Status();
  }
  Status rewind(int fd) override {
    open_.at(fd).offset = 0;
    return Status();
  }
  Status sync(int) override { return Status(); }
  Status syncFolder(int) override { return Status(); }
  Status close(int fd) override { return open_.erase(fd) == 1 ? Status() : Status::system(EBADF); }

 private:
  struct File {
    std::string text;
    uint64_t inode = 0;
  };
  struct Open {
    std::shared_ptr<File> file;
    std::size_t offset = 0;
  };

  static FileInfo infoOf(const File* file) {
    FileInfo info;
    info.regular = file != nullptr;
    info.directory = file == nullptr;
    info.mode = 0644;
    info.inode = file != nullptr ? file->inode : 0;
    return info;
  }
  Descriptor openOn(std::shared_ptr<File> file) {
    open_[++lastFd_] = Open{std::move(file)};
    return Descriptor(*this, lastFd_);
  }

  std::map<std::string, std::shared_ptr<File>> files_;
  std::map<int, Open> open_;
  int lastFd_ = 2;
  uint64_t made_ = 0;
};

}  // namespace hoops

#endif  // HOOPS_TESTS_SYSTEM_MEMORY_FILE_SYSTEM_H_
