// Loading a poll file into the poll: a new week begins.
#include "pollfile/load_poll.h"

#include <cerrno>
#include <istream>
#include <memory>
#include <new>
#include <optional>
#include <string_view>
#include <utility>

#include "poll/date.h"
#include "pollfile/failure.h"
#include "pollfile/poll_reader.h"
#include "system/file_streams.h"

namespace {

// Reads the open file `fd` through a PollFileChecker into `findings`; false on a read error.
bool checkPollFile(FileSystem& files, int fd, std::vector<Finding>& findings) {
  FileReadBuffer buffer(files, fd);
  PollFileChecker checker;
  const auto block = std::make_unique<char[]>(FileReadBuffer::kBlockSize);
  while (true) {
    const std::streamsize got =
        buffer.sgetn(block.get(), static_cast<std::streamsize>(FileReadBuffer::kBlockSize));
    if (got <= 0) break;
    checker.feed(std::string_view(block.get(), static_cast<std::size_t>(got)));
  }
  if (buffer.error() != 0) return errno = buffer.error(), false;
  findings = checker.finish();
  return true;
}

}  // namespace

bool loadPollFile(Poll& poll, const std::string& path, std::string* reason,
                  std::vector<Finding>* findings, FileSystem& files) {
  if (path.find('\0') != std::string::npos) return fail(reason, "a path cannot hold a NUL byte");
  try {
    Descriptor file(files, files.openForReading(path));
    if (!file.open()) return failWith(reason, errno);
    const std::optional<FileSystem::Status> status = files.status(file.fd());
    if (!status) return failWith(reason, errno);
    if (status->directory) return failWith(reason, EISDIR);
    if (!status->regular) return fail(reason, "not a regular file");
    FileReadBuffer buffer(files, file.fd());
    LineCountingBuffer counting(buffer);
    std::istream in(findings != nullptr ? static_cast<std::streambuf*>(&counting) : &buffer);
    // The file is read whole into a poll of its own before this one changes, so a read
    // error leaves it as it was.
    Poll loaded;
    if (!readPollFile(in, loaded) || buffer.error() != 0) {
      return failWith(reason, buffer.error());
    }
    // Only a file that does not read as a saved one is read again, line by line, to say why.
    if (findings != nullptr && !readsAsSaved(loaded, counting.lines())) {
      if (!files.rewind(file.fd())) return failWith(reason, errno);
      if (!checkPollFile(files, file.fd(), *findings)) return failWith(reason, errno);
    }
    advanceWeek(loaded.date);
    poll = std::move(loaded);
    return true;
  } catch (const std::bad_alloc&) {
    return fail(reason, "out of memory");
  }
}

bool Poll::loadPoll(const std::string& path, std::string* reason, std::vector<std::string>* notes) {
  std::vector<Finding> findings;
  const bool loaded = loadPollFile(*this, path, reason, notes != nullptr ? &findings : nullptr);
  if (notes != nullptr) {
    for (const Finding& finding : findings) {
      notes->push_back(path + ":" + std::to_string(finding.line) + ": " + finding.text());
    }
  }
  return loaded;
}
