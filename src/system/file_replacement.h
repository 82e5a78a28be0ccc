// The one way the program writes a file it was given a path to: a regular file is replaced
// whole or not at all, a device, FIFO or terminal is written in place, and a file the program
// already writes to (its standard output in a file, say) is written through that descriptor.
#ifndef HOOPS_SYSTEM_FILE_REPLACEMENT_H_
#define HOOPS_SYSTEM_FILE_REPLACEMENT_H_

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "system/file_system.h"
#include "system/signals.h"

namespace hoops {

// Begin on a path, write the new content to fd(), commit. Every failure leaves `error()` (an
// errno value or one of system/error_text.h) and `context()` (words to put before its text, or
// ""); a replacement abandoned before its commit leaves the old file as it was and nothing
// beside it. From begin to commit or abandon every signal that could end the run is held,
// except that a stop (SIGINT, SIGTERM, SIGHUP) ends the run at once while the replacement
// waits (for a lease, while the content is written and synced), after removing what it made;
// only while the new file is put in place is a stop held too (system/signals.h).
class FileReplacement {
 public:
  // What begin found at the path.
  enum class Kind {
    kReplaced,  // a regular file (or none yet): a new file beside it takes its place
    kInPlace,   // a device, FIFO or terminal: written to as it is
    kOwn,       // a file the program already holds open for writing: written after what it holds
  };

  explicit FileReplacement(FileSystem& files = realFileSystem());
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Opens `path` once, as the shell's `>` resolves it, and readies what the content goes to: a
  // new file beside a regular one, with everything the old one has besides its content. A name
  // that did not exist is made (empty) by that open, and removed again if the replacement is
  // abandoned; a folder that would never let it go again is refused before it is made. Where
  // the system cannot name the open file, its folder is the one the path names, if the name
  // there is the file opened. False on a failure.
  bool begin(const std::string& path);
  Kind kind() const { return kind_; }
  // Where the new content is written, from begin until commit.
  int fd() const { return fd_; }

  // Makes the written content the file's: synced, then, for a replaced file, renamed over the
  // old one only while its name is still the file begin opened, and the folder's names synced.
  // False on a failure; a failure after the rename is `committedButNotDurable()`.
  bool commit();
  bool committedButNotDurable() const { return renamed_; }
  // Gives up a replacement not committed: the new file removed, and a name begin made removed
  // if it still names that file. False when that name could not be removed (it stays, empty).
  bool abandon();

  int error() const { return error_; }
  const std::string& context() const { return context_; }
  // What an operator should know of a replacement that succeeded.
  int folderSyncError() const { return folderSyncError_; }  // 0, or why names were not synced
  uint64_t otherNames() const { return otherNames_; }       // other hard links keeping the old file
  const FileSystem::Kept& kept() const { return kept_; }

 private:
  bool failWith(int error, const char* context = "");
  bool prepareNewFile();
  bool removeMadeName();

  FileSystem& files_;
  Kind kind_ = Kind::kReplaced;
  std::string path_;  // as given
  int target_ = -1;   // the file as the path opened it
  bool created_ = false;
  FileSystem::Status status_;
  bool identified_ = false;  // status_ holds the opened file's
  int folder_ = -1;
  std::string folderPath_;  // where folder_ was opened from
  std::string name_;        // its name in folder_
  int fd_ = -1;             // what the content goes to
  std::string temporary_;
  bool renamed_ = false;
  bool committed_ = false;
  bool abandoned_ = false;
  int error_ = 0;
  std::string context_;
  int folderSyncError_ = 0;
  uint64_t otherNames_ = 0;
  FileSystem::Kept kept_;
  std::unique_ptr<SaveSignals> signals_;
};

}  // namespace hoops

#endif  // HOOPS_SYSTEM_FILE_REPLACEMENT_H_
