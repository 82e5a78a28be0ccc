// A file replaced whole or not at all: the path opened once by the system, a new file made in
// the folder the system names for it, given what the old one had, filled, synced, checked to be
// replacing the file that was opened, renamed over it, and the folder synced.
#include "system/file_replacement.h"

#include <cerrno>
#include <utility>

#include "system/error_text.h"

namespace {

constexpr const char* kNoNewFile = "no file can be made beside it: ";

}  // namespace

FileReplacement::FileReplacement(FileSystem& files) : files_(files) {}

FileReplacement::~FileReplacement() {
  if (!committed_) abandon();
}

bool FileReplacement::failWith(int error, const char* context) {
  error_ = error != 0 ? error : EIO;
  context_ = context;
  return false;
}

bool FileReplacement::begin(const std::string& path) {
  if (path.empty()) return failWith(ENOENT);
  if (path.find('\0') != std::string::npos) return failWith(kNulInPath);
  // From the open on, a signal from outside waits until the new file is in place or gone.
  held_ = std::make_unique<SignalsHeld>();
  target_ = files_.openTarget(path, created_);
  if (target_ < 0) return failWith(errno);
  const std::optional<FileSystem::Status> status = files_.status(target_);
  if (!status) return failWith(errno);
  status_ = *status;
  const int own = files_.ownWriter(target_);
  if (own >= 0) {
    kind_ = Kind::kOwn;
    fd_ = own;
    files_.close(std::exchange(target_, -1));  // read from alone
    return true;
  }
  if (!status_.regular) {
    kind_ = Kind::kInPlace;
    fd_ = std::exchange(target_, -1);
    return true;
  }
  kind_ = Kind::kReplaced;
  return prepareNewFile();
}

bool FileReplacement::prepareNewFile() {
  const std::optional<std::string> name = files_.nameOf(target_);
  if (!name) return failWith(errno, "the system cannot say where the file is: ");
  auto [folder, leaf] = splitPath(*name);
  folder_ = files_.openFolder(folder, folderSyncError_);
  if (folder_ < 0) return failWith(errno, kNoNewFile);
  name_ = std::move(leaf);
  // Such a folder takes the new file but not the rename: it would be left there.
  if (files_.forbidsRemoval(folder_)) return failWith(kFolderForbidsRemoval);
  fd_ = files_.createTemporary(folder_, temporary_);
  if (fd_ < 0) return failWith(errno, kNoNewFile);
  if (!files_.copyMetadata(target_, fd_, kept_)) {
    return failWith(errno, "what the file had cannot be kept: ");
  }
  if (!created_ && status_.links > 1) otherNames_ = status_.links - 1;
  files_.close(std::exchange(target_, -1));  // read from alone: its close has nothing to say
  return true;
}

bool FileReplacement::commit() {
  switch (kind_) {
    case Kind::kOwn:
      break;
    case Kind::kInPlace:
      if (!files_.close(std::exchange(fd_, -1))) return failWith(errno);
      break;
    case Kind::kReplaced: {
      if (!files_.sync(fd_)) return failWith(errno);
      if (!files_.close(std::exchange(fd_, -1))) return failWith(errno);
      const std::optional<FileSystem::Status> now = files_.statusAt(folder_, name_);
      if (!now || !now->sameFile(status_)) return failWith(kReplacedMeanwhile);
      if (!files_.renameAt(folder_, temporary_, name_)) return failWith(errno);
      temporary_.clear();
      renamed_ = true;
      // Without this sync a power loss could still bring back the old file.
      if (folderSyncError_ == 0 && !files_.syncFolder(folder_)) return failWith(errno);
      renamed_ = false;
      files_.close(std::exchange(folder_, -1));  // synced: its close has nothing to say
      break;
    }
  }
  committed_ = true;
  fd_ = -1;
  held_.reset();
  return true;
}

void FileReplacement::abandon() {
  if (kind_ != Kind::kOwn && fd_ >= 0) files_.close(fd_);
  if (target_ >= 0) files_.close(target_);
  if (folder_ >= 0) {
    if (!temporary_.empty()) files_.removeAt(folder_, temporary_);
    // The empty file the open made goes again, if its name still names it.
    if (created_ && !renamed_) {
      const std::optional<FileSystem::Status> now = files_.statusAt(folder_, name_);
      if (now && now->sameFile(status_)) files_.removeAt(folder_, name_);
    }
    files_.close(folder_);
  }
  held_.reset();
}
