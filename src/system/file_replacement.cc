// A file replaced whole or not at all: the path opened once by the system, a new file made in
// the folder the system names for it, given what the old one had, filled, synced, checked to be
// replacing the file that was opened, renamed over it, and the folder synced.
#include "system/file_replacement.h"

#include <cerrno>
#include <new>
#include <tuple>
#include <utility>

namespace hoops {

namespace {

constexpr const char* kNoNewFile = "no file can be made beside it: ";

}  // namespace

FileReplacement::FileReplacement(FileSystem& files) : files_(files) {}

FileReplacement::~FileReplacement() {
  if (committed_) return;
  try {
    abandon();
  } catch (const std::bad_alloc&) {
    // Memory ran out while a failed save was being undone (a path put together, say): what
    // it made stays, as it would after a power loss, but the run goes on.
  }
}

Status FileReplacement::begin(const std::string& path) {
  if (path.empty()) return Status::system(ENOENT);
  if (path.find('\0') != std::string::npos) return Status(Status::Code::kNulInPath);
  path_ = path;
  // From here on a signal from outside waits until the new file is in place or gone; a stop
  // is let through wherever the replacement waits.
  signals_ = std::make_unique<SaveSignals>();
  // A name made there could never be removed again, nor the new file renamed.
  if (files_.forbidsRemovalIn(splitPath(path).first)) {
    return Status(Status::Code::kFolderForbidsRemoval);
  }
  if (const Status opened = files_.openTarget(path, target_, created_); !opened.ok()) {
    return opened;
  }
  if (const Status looked = files_.status(target_.fd(), info_); !looked.ok()) return looked;
  identified_ = true;
  own_ = files_.ownWriter(target_.fd());
  if (own_ >= 0) {
    kind_ = Kind::kOwn;
    target_.close();  // read from alone
  } else if (!info_.regular) {
    kind_ = Kind::kInPlace;
    content_ = std::move(target_);
  } else {
    kind_ = Kind::kReplaced;
    if (const Status prepared = prepareNewFile(); !prepared.ok()) return prepared;
  }
  signals_->letStopsThrough(true);  // the content may be slow to write
  return Status();
}

Status FileReplacement::prepareNewFile() {
  // The folder the system names for the open file; where it cannot say (a path longer than it
  // can give back), the folder the path names, as long as the name there is the file opened.
  std::string name;
  const Status named = files_.nameOf(target_.fd(), name);
  std::tie(folderPath_, name_) = splitPath(named.ok() ? name : path_);
  if (const Status opened = files_.openFolder(folderPath_, folder_, folderSync_); !opened.ok()) {
    return opened.within(kNoNewFile);
  }
  if (created_) signals_->removeOnStop(1, folder_.fd(), name_, info_.device, info_.inode);
  if (!named.ok()) {
    FileInfo there;
    if (!files_.statusAt(folder_.fd(), name_, there).ok() || !there.sameFile(info_)) {
      return named.within("the system cannot say where the file is: ");
    }
  }
  // Such a folder takes the new file but not the rename: it would be left there.
  if (files_.forbidsRemoval(folder_.fd())) return Status(Status::Code::kFolderForbidsRemoval);
  if (const Status made = files_.createTemporary(folder_.fd(), temporary_, content_); !made.ok()) {
    return made.within(kNoNewFile);
  }
  if (FileInfo made; files_.status(content_.fd(), made).ok()) {
    signals_->removeOnStop(0, folder_.fd(), temporary_, made.device, made.inode);
  }
  if (const Status copied = files_.copyMetadata(target_.fd(), content_.fd(), kept_); !copied.ok()) {
    return copied.within("what the file had cannot be kept: ");
  }
  if (!created_ && info_.links > 1) otherNames_ = info_.links - 1;
  target_.close();  // read from alone: its close has nothing to say
  return Status();
}

Status FileReplacement::commit() {
  switch (kind_) {
    case Kind::kOwn:
      break;
    case Kind::kInPlace:
      if (const Status closed = content_.close(); !closed.ok()) return closed;
      break;
    case Kind::kReplaced: {
      if (const Status synced = files_.sync(content_.fd()); !synced.ok()) return synced;
      // Putting the new file in place is never cut short.
      signals_->letStopsThrough(false);
      if (const Status closed = content_.close(); !closed.ok()) return closed;
      FileInfo now;
      if (!files_.statusAt(folder_.fd(), name_, now).ok() || !now.sameFile(info_)) {
        return Status(Status::Code::kReplacedMeanwhile);
      }
      signals_->removeOnStop(0, -1, "", 0, 0);
      signals_->removeOnStop(1, -1, "", 0, 0);
      if (const Status put = files_.renameAt(folder_.fd(), temporary_, name_); !put.ok()) {
        return put;
      }
      temporary_.clear();
      renamed_ = true;
      // Without this sync a power loss could still bring back the old file.
      if (folderSync_.ok()) {
        if (const Status synced = files_.syncFolder(folder_.fd()); !synced.ok()) return synced;
      }
      renamed_ = false;
      folder_.close();  // synced: its close has nothing to say
      break;
    }
  }
  committed_ = true;
  own_ = -1;
  signals_.reset();
  return Status();
}

bool FileReplacement::abandon() {
  if (committed_ || abandoned_) return true;
  abandoned_ = true;
  if (signals_) signals_->letStopsThrough(false);
  content_.close();
  own_ = -1;
  if (folder_.open() && !temporary_.empty()) files_.removeAt(folder_.fd(), temporary_);
  const bool clean = removeMadeName();
  target_.close();
  folder_.close();
  signals_.reset();
  return clean;
}

bool FileReplacement::removeMadeName() {
  if (!created_ || renamed_ || !identified_) return true;
  if (!folder_.open()) {
    // The folder could not be had when the replacement began (no descriptor left, say): with
    // the open file let go, it may be now.
    target_.close();
    if (folderPath_.empty()) std::tie(folderPath_, name_) = splitPath(path_);
    Status syncable;
    if (!files_.openFolder(folderPath_, folder_, syncable).ok()) return false;
  }
  // Only while the name still names the empty file the open made.
  FileInfo now;
  if (!files_.statusAt(folder_.fd(), name_, now).ok() || !now.sameFile(info_)) return true;
  return files_.removeAt(folder_.fd(), name_).ok();
}

}  // namespace hoops
