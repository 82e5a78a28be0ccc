// Opening what the user names: a path or "-", never a folder.
#include "system/user_file.h"

#include <cerrno>
#include <optional>

#include "system/standard_streams.h"

namespace hoops {

UserFile::UserFile(FileSystem& files, const std::string& path)
    : owned_(files, path == "-" ? -1 : files.openToReadAll(path)),
      fd_(path == "-" ? kStandardInput : owned_.fd()) {
  if (fd_ < 0) {
    error_ = errno != 0 ? errno : EIO;
    return;
  }
  const std::optional<FileSystem::Status> status = files.status(fd_);
  if (!status) {
    error_ = errno != 0 ? errno : EIO;
  } else if (status->directory) {
    error_ = EISDIR;
  }
}

}  // namespace hoops
