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
    // The findings are made from the bytes as the reader takes them, in the same pass.
    PollFileChecker checker;
    CheckingBuffer checking(buffer, checker);
    std::istream in(findings != nullptr ? static_cast<std::streambuf*>(&checking) : &buffer);
    // The file is read whole into a poll of its own before this one changes, so a read
    // error leaves it as it was.
    Poll loaded;
    const bool read = readPollFile(in, loaded) && buffer.error() == 0;
    if (findings != nullptr) *findings = checker.finish();
    if (!read) return failWith(reason, buffer.error());
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
