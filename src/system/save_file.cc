// The careful save of any document: written beside the file, synced, put in its place, and
// what the operator is told of it.
#include "system/save_file.h"

#include <cerrno>
#include <initializer_list>
#include <new>
#include <string_view>

#include "system/file_replacement.h"
#include "system/file_streams.h"

namespace hoops {

namespace {

// Adds to `notes` what the operator should know of a save of `path` that succeeded. Best
// effort: without memory for them the notes are left out.
void tellWhatWasNotKept(const std::string& path, const FileReplacement& file,
                        const SaveWords& words, std::vector<std::string>& notes) {
  try {
    // Each note is "'PATH' is saved" and what follows it, put together a piece at a time.
    const auto note = [&](std::initializer_list<std::string_view> pieces) {
      std::string line = "'";
      line += path;
      line += "' is saved";
      for (const std::string_view piece : pieces) line += piece;
      notes.push_back(std::move(line));
    };
    if (!file.folderSync().ok()) {
      note({", but its folder could not be synced: ", file.folderSync().text()});
    }
    if (const uint64_t others = file.otherNames(); others > 0) {
      note({" as a new file; the ", std::to_string(others),
            others == 1 ? " other name of the old file keeps" : " other names of the old file keep",
            " ", words.before});
    }
    const FileSystem::Kept& kept = file.kept();
    if (!kept.ownerNow.empty()) {
      note({" and now owned by ", kept.ownerNow, "; ", kept.ownerBefore,
            " keeps the rights it had through the file's access list"});
    }
    if (!kept.groupNow.empty()) {
      note({" with the group ", kept.groupNow, "; the group ", kept.groupBefore,
            " keeps the rights it had through the file's access list"});
    }
    for (const std::string& attribute : kept.attributesLeftOut) {
      note({", without the system's attribute ", attribute});
    }
  } catch (const std::bad_alloc&) {
  }
}

}  // namespace

bool saveFile(const std::string& path, const std::function<bool(std::ostream&)>& write,
              const SaveWords& words, std::string* reason, std::vector<std::string>* notes,
              FileSystem& files) {
  FileReplacement file(files);
  Status status = file.begin(path);
  if (status.ok()) {
    FileWriteBuffer buffer(files, file.fd());
    std::ostream out(&buffer);
    if (!write(out) || !out.flush()) {
      status = buffer.failure();
    } else if (status = file.commit(); status.ok()) {
      if (notes != nullptr) tellWhatWasNotKept(path, file, words, *notes);
      return true;
    }
  }
  std::string why = status.text();
  if (file.committedButNotDurable()) {
    why = "the file may already hold ";
    why += words.now;
    why +=
        ", but its folder could not be synced, so a power loss could bring back the old "
        "one; save again: ";
    why += status.reason();
  }
  // What the save made goes before the failure is told, so that what it left can be.
  const bool clean = file.abandon();
  if (reason != nullptr) {
    *reason = std::move(why);
    if (!clean) *reason += "; the empty file the save made could not be removed";
  }
  return false;
}

}  // namespace hoops
