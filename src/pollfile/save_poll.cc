// The save: the poll written through the one replacement of the system room, and what the
// operator is told of it.
#include "pollfile/save_poll.h"

#include <cerrno>
#include <functional>
#include <initializer_list>
#include <new>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "pollfile/failure.h"
#include "pollfile/poll_writer.h"
#include "system/error_text.h"
#include "system/file_replacement.h"
#include "system/file_streams.h"

namespace {

// Adds to `notes` what the operator should know of a save of `path` that succeeded. Best
// effort: without memory for them the notes are left out.
void tellWhatWasNotKept(const std::string& path, const FileReplacement& file,
                        std::vector<std::string>& notes) {
  try {
    // Each note is "'PATH' is saved" and what follows it, put together a piece at a time.
    const auto note = [&](std::initializer_list<std::string_view> pieces) {
      std::string line = "'";
      line += path;
      line += "' is saved";
      for (const std::string_view piece : pieces) line += piece;
      notes.push_back(std::move(line));
    };
    if (file.folderSyncError() != 0) {
      note({", but its folder could not be synced: ", errorText(file.folderSyncError())});
    }
    if (const uint64_t others = file.otherNames(); others > 0) {
      note({" as a new file; the ", std::to_string(others),
            others == 1 ? " other name of the old file keeps" : " other names of the old file keep",
            " last week's poll"});
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
              std::string* reason, std::vector<std::string>* notes, FileSystem& files) {
  try {
    FileReplacement file(files);
    int error = 0;
    std::string context;
    if (file.begin(path)) {
      FileWriteBuffer buffer(files);
      buffer.attach(file.fd());
      std::ostream out(&buffer);
      if (!write(out) || !out.flush()) {
        error = buffer.error();
      } else if (file.commit()) {
        if (notes != nullptr) tellWhatWasNotKept(path, file, *notes);
        return true;
      }
    }
    if (error == 0) {
      error = file.error();
      context = file.committedButNotDurable()
                    ? "the file may already hold the new poll, but its folder could not be "
                      "synced, so a power loss could bring back the old one; save again: "
                    : file.context();
    }
    // What the save made goes before the failure is told, so that what it left can be.
    const bool clean = file.abandon();
    failWith(reason, error, context);
    if (!clean && reason != nullptr)
      *reason += "; the empty file the save made could not be removed";
    return false;
  } catch (const std::bad_alloc&) {
    return fail(reason, "out of memory");
  }
}

bool savePoll(const Poll& poll, const std::string& path, std::string* reason,
              std::vector<std::string>* notes, FileSystem& files) {
  return saveFile(
      path, [&](std::ostream& out) { return writePollFile(out, poll); }, reason, notes, files);
}
