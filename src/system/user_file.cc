// Opening what the user names: a path or "-", never a folder.
#include "system/user_file.h"

#include <cerrno>

#include "system/standard_streams.h"

namespace hoops {

UserFile::UserFile(FileSystem& files, const std::string& path) {
  if (path == "-") {
    fd_ = kStandardInput;
  } else {
    status_ = files.openToReadAll(path, owned_);
    if (!status_.ok()) return;
    fd_ = owned_.fd();
  }
  FileInfo info;
  status_ = files.status(fd_, info);
  if (status_.ok() && info.directory) status_ = Status::system(EISDIR);
}

}  // namespace hoops
