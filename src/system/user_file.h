// A file the user names on the command line, opened the one way every mode opens it.
#ifndef HOOPS_SYSTEM_USER_FILE_H_
#define HOOPS_SYSTEM_USER_FILE_H_

#include <string>

#include "system/file_system.h"

namespace hoops {

// The file at `path`, opened to be read whole as `cat` reads it (a FIFO waits for its writer,
// a pipe is read to its end); "-" is standard input, which stays open when this goes. A folder
// is refused (EISDIR). Closed when it goes.
class UserFile {
 public:
  UserFile(FileSystem& files, const std::string& path);
  UserFile(const UserFile&) = delete;
  UserFile& operator=(const UserFile&) = delete;

  // The descriptor to read, or -1 when the file could not be opened.
  int fd() const { return status_.ok() ? fd_ : -1; }
  // Why it could not be opened; done when it is open.
  const Status& status() const { return status_; }

 private:
  Descriptor owned_;
  int fd_ = -1;
  Status status_;
};

}  // namespace hoops

#endif  // HOOPS_SYSTEM_USER_FILE_H_
