// Loading a poll file into the poll: a new week begins.
#include "pollfile/load_poll.h"

#include <cerrno>
#include <istream>
#include <new>
#include <optional>
#include <utility>

#include "poll/date.h"
#include "pollfile/poll_reader.h"
#include "system/file_streams.h"

namespace {

// Why a load failed, given to `reason` when there is one; returns false.
bool fail(std::string* reason, const std::string& why) {
  if (reason != nullptr) *reason = why;
  return false;
}

// A file opened for reading, closed when it goes.
class OpenFile {
 public:
  OpenFile(FileSystem& files, const std::string& path)
      : files_(files), fd_(files.openForReading(path)) {}
  ~OpenFile() {
    if (fd_ >= 0) files_.close(fd_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  int fd() const { return fd_; }

 private:
  FileSystem& files_;
  int fd_;
};

}  // namespace

bool loadPollFile(Poll& poll, const std::string& path, std::string* reason, FileSystem& files) {
  if (path.find('\0') != std::string::npos) return fail(reason, "a path cannot hold a NUL byte");
  try {
    OpenFile file(files, path);
    if (file.fd() < 0) return fail(reason, errorText(errno));
    const std::optional<FileSystem::Status> status = files.status(file.fd());
    if (!status) return fail(reason, errorText(errno));
    if (status->directory) return fail(reason, errorText(EISDIR));
    if (!status->regular) return fail(reason, "not a regular file");
    FileReadBuffer buffer(files, file.fd());
    std::istream in(&buffer);
    // The file is read whole into a poll of its own before this one changes, so a read
    // error leaves it as it was.
    Poll loaded;
    if (!readPollFile(in, loaded) || buffer.error() != 0) {
      return fail(reason, errorText(buffer.error() != 0 ? buffer.error() : EIO));
    }
    advanceWeek(loaded.date);
    poll = std::move(loaded);
    return true;
  } catch (const std::bad_alloc&) {
    return fail(reason, "out of memory");
  }
}

bool Poll::loadPoll(const std::string& path, std::string* reason) {
  return loadPollFile(*this, path, reason);
}
