// Loading a poll file into the poll: a new week begins.
#include "pollfile/load_poll.h"

#include <cerrno>
#include <istream>
#include <new>
#include <optional>
#include <utility>

#include "poll/date.h"
#include "pollfile/failure.h"
#include "pollfile/poll_reader.h"
#include "system/file_streams.h"

bool loadPollFile(Poll& poll, const std::string& path, std::string* reason, FileSystem& files) {
  if (path.find('\0') != std::string::npos) return fail(reason, "a path cannot hold a NUL byte");
  try {
    Descriptor file(files, files.openForReading(path));
    if (!file.open()) return failWith(reason, errno);
    const std::optional<FileSystem::Status> status = files.status(file.fd());
    if (!status) return failWith(reason, errno);
    if (status->directory) return failWith(reason, EISDIR);
    if (!status->regular) return fail(reason, "not a regular file");
    FileReadBuffer buffer(files, file.fd());
    std::istream in(&buffer);
    // The file is read whole into a poll of its own before this one changes, so a read
    // error leaves it as it was.
    Poll loaded;
    if (!readPollFile(in, loaded) || buffer.error() != 0) {
      return failWith(reason, buffer.error());
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
