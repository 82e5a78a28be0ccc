// A file replaced whole or not at all: the path opened once by the system, a new file made in
// the folder the system names for it, given what the old one had, filled, synced, checked to be
// replacing the file that was opened, renamed over it, and the folder synced.
#include "system/file_replacement.h"

#include <cerrno>
#include <tuple>
#include <utility>

#include "system/error_text.h"

namespace hoops {

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
  path_ = path;
  // From here on a signal from outside waits until the new file is in place or gone; a stop
  // is let through wherever the replacement waits.
  signals_ = std::make_unique<SaveSignals>();
  // A name made there could never be removed again, nor the new file renamed.
  if (files_.forbidsRemovalIn(splitPath(path).first)) return failWith(kFolderForbidsRemoval);
  target_ = files_.openTarget(path, created_);
  if (target_ < 0) return failWith(errno);
  const std::optional<FileSystem::Status> status = files_.status(target_);
  if (!status) return failWith(errno);
  status_ = *status;
  identified_ = true;
  const int own = files_.ownWriter(target_);
  if (own >= 0) {
    kind_ = Kind::kOwn;
    fd_ = own;
    files_.close(std::exchange(target_, -1));  // read from alone
  } else if (!status_.regular) {
    kind_ = Kind::kInPlace;
    fd_ = std::exchange(target_, -1);
  } else {
    kind_ = Kind::kReplaced;
    if (!prepareNewFile()) return false;
  }
  signals_->letStopsThrough(true);  // the content may be slow to write
  return true;
}

bool FileReplacement::prepareNewFile() {
  // The folder the system names for the open file; where it cannot say (a path longer than it
  // can give back), the folder the path names, as long as the name there is the file opened.
  const std::optional<std::string> name = files_.nameOf(target_);
  const int nameError = name ? 0 : errno;
  std::tie(folderPath_, name_) = splitPath(name ? *name : path_);
  folder_ = files_.openFolder(folderPath_, folderSyncError_);
  if (folder_ < 0) return failWith(errno, kNoNewFile);
  if (created_) signals_->removeOnStop(1, folder_, name_, status_.device, status_.inode);
  if (!name) {
    const std::optional<FileSystem::Status> there = files_.statusAt(folder_, name_);
    if (!there || !there->sameFile(status_)) {
      return failWith(nameError, "the system cannot say where the file is: ");
    }
  }
  // Such a folder takes the new file but not the rename: it would be left there.
  if (files_.forbidsRemoval(folder_)) return failWith(kFolderForbidsRemoval);
  fd_ = files_.createTemporary(folder_, temporary_);
  if (fd_ < 0) return failWith(errno, kNoNewFile);
  if (const std::optional<FileSystem::Status> made = files_.status(fd_)) {
    signals_->removeOnStop(0, folder_, temporary_, made->device, made->inode);
  }
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
      // Putting the new file in place is never cut short.
      signals_->letStopsThrough(false);
      if (!files_.close(std::exchange(fd_, -1))) return failWith(errno);
      const std::optional<FileSystem::Status> now = files_.statusAt(folder_, name_);
      if (!now || !now->sameFile(status_)) return failWith(kReplacedMeanwhile);
      signals_->removeOnStop(0, -1, "", 0, 0);
      signals_->removeOnStop(1, -1, "", 0, 0);
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
  signals_.reset();
  return true;
}

bool FileReplacement::abandon() {
  if (committed_ || abandoned_) return true;
  abandoned_ = true;
  if (signals_) signals_->letStopsThrough(false);
  if (kind_ != Kind::kOwn && fd_ >= 0) files_.close(fd_);
  fd_ = -1;
  if (folder_ >= 0 && !temporary_.empty()) files_.removeAt(folder_, temporary_);
  const bool clean = removeMadeName();
  if (target_ >= 0) files_.close(std::exchange(target_, -1));
  if (folder_ >= 0) files_.close(std::exchange(folder_, -1));
  signals_.reset();
  return clean;
}

bool FileReplacement::removeMadeName() {
  if (!created_ || renamed_ || !identified_) return true;
  if (folder_ < 0) {
    // The folder could not be had when the replacement began (no descriptor left, say): with
    // the open file let go, it may be now.
    if (target_ >= 0) files_.close(std::exchange(target_, -1));
    if (folderPath_.empty()) std::tie(folderPath_, name_) = splitPath(path_);
    int syncError = 0;
    folder_ = files_.openFolder(folderPath_, syncError);
    if (folder_ < 0) return false;
  }
  // Only while the name still names the empty file the open made.
  const std::optional<FileSystem::Status> now = files_.statusAt(folder_, name_);
  if (!now || !now->sameFile(status_)) return true;
  return files_.removeAt(folder_, name_);
}

}  // namespace hoops
