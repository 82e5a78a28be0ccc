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

// Begin on a path, write the new content to fd(), commit. Each step returns its Status, with
// the step's words as its context where they help ("no file can be made beside it: "); a
// replacement abandoned before its commit leaves the old file as it was and nothing beside it. From
// begin to commit or abandon every signal that could end the run is held, except that a stop
// (SIGINT, SIGTERM, SIGHUP) ends the run at once while the replacement waits (for a lease, while
// the content is written and synced), after removing what it made; only while the new file is put
// in place is a stop held too (system/signals.h).
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
  // there is the file opened.
  Status begin(const std::string& path);
  Kind kind() const { return kind_; }
  // Where the new content is written, from begin until commit.
  int fd() const { return kind_ == Kind::kOwn ? own_ : content_.fd(); }

  // Makes the written content the file's: synced, then, for a replaced file, renamed over the
  // old one only while its name is still the file begin opened, and the folder's names synced.
  // A failure after the rename is `committedButNotDurable()`.
  Status commit();
  bool committedButNotDurable() const { return renamed_; }
  // Gives up a replacement not committed: the new file removed, and a name begin made removed
  // if it still names that file. False when that name could not be removed (it stays, empty).
  bool abandon();

  // What an operator should know of a replacement that succeeded.
  const Status& folderSync() const { return folderSync_; }  // done, or why names were not synced
  uint64_t otherNames() const { return otherNames_; }       // other hard links keeping the old file
  const FileSystem::Kept& kept() const { return kept_; }

 private:
  Status prepareNewFile();
  bool removeMadeName();

  FileSystem& files_;
  Kind kind_ = Kind::kReplaced;
  std::string path_;   // as given
  Descriptor target_;  // the file as the path opened it
  bool created_ = false;
  FileInfo info_;
  bool identified_ = false;  // info_ holds the opened file's
  Descriptor folder_;
  std::string folderPath_;  // where folder_ was opened from
  std::string name_;        // its name in folder_
  Descriptor content_;      // what the content goes to: the new file, or the file in place
  int own_ = -1;            // or the program's own descriptor on the file
  std::string temporary_;
  bool renamed_ = false;
  bool committed_ = false;
  bool abandoned_ = false;
  Status folderSync_;
  uint64_t otherNames_ = 0;
  FileSystem::Kept kept_;
  std::unique_ptr<SaveSignals> signals_;
};

}  // namespace hoops

#endif  // HOOPS_SYSTEM_FILE_REPLACEMENT_H_
