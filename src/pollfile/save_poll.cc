// The poll file writer, and the save that replaces a file whole or not at all.
#include "pollfile/save_poll.h"

#include <charconv>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "pollfile/block_writer.h"
#include "pollfile/file_streams.h"

namespace {

constexpr std::size_t kMostDigits = 20;  // of any long long, with its sign

// "00" to "99", for writing two digits at a time.
constexpr char kTwoDigits[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes `value` in decimal at `at`, which has room for kMostDigits characters; returns
// the end of the digits. The one or two digits most wins and losses have take no division.
char* putNumber(char* at, int32_t value) {
  if (value >= 0 && value < 10) {
    *at = static_cast<char>('0' + value);
    return at + 1;
  }
  if (value >= 10 && value < 100) {
    std::memcpy(at, kTwoDigits + std::ptrdiff_t{2} * value, 2);
    return at + 2;
  }
  return std::to_chars(at, at + kMostDigits, value).ptr;
}

// The decimal digits of a row's position, counted up one row at a time rather than
// converted afresh for each row.
class PositionDigits {
 public:
  PositionDigits() { *first_ = '1'; }

  std::string_view text() const { return {first_, static_cast<std::size_t>(end_ - first_)}; }

  void increment() {
    char* digit = end_ - 1;
    while (digit >= first_ && *digit == '9') *digit-- = '0';
    if (digit >= first_) {
      ++*digit;
    } else {
      *--first_ = '1';  // 9...9 became 10...0; twenty digits outnumber any poll's rows
    }
  }

 private:
  char digits_[kMostDigits] = {};
  char* end_ = digits_ + kMostDigits;
  char* first_ = end_ - 1;
};

// Writes one row: position, name, wins-losses, votes and last week's rank or "-".
void putRow(BlockWriter& writer, std::string_view position, const Team& team) {
  char* at = writer.room(kMostDigits + 1);
  std::memcpy(at, position.data(), position.size());
  at += position.size();
  *at++ = '\t';
  writer.commit(at);
  writer.put(team.name);
  at = writer.room(4 * kMostDigits + 5);
  *at++ = '\t';
  at = putNumber(at, team.wins);
  *at++ = '-';
  at = putNumber(at, team.losses);
  *at++ = '\t';
  at = putNumber(at, team.votes);
  *at++ = '\t';
  if (team.lastWeek == -1) {
    *at++ = '-';
  } else {
    at = putNumber(at, team.lastWeek);
  }
  *at++ = '\n';
  writer.commit(at);
}

}  // namespace

bool writePollFile(std::ostream& out, const Poll& poll) {
  BlockWriter writer(out);
  writer.put(std::string_view(poll.date, strnlen(poll.date, sizeof poll.date)));
  writer.put("\n");
  PositionDigits position;
  for (const Team& team : poll.teams) {
    putRow(writer, position.text(), team);
    position.increment();
  }
  return writer.finish();
}

namespace {

std::string directoryOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The file that a write to `path` lands on: symbolic links are followed, so that a link keeps
// being a link and the file it points to is replaced.
std::string followLinks(FileSystem& files, std::string path) {
  constexpr int kMostLinks = 40;  // the system's own limit; past it the write fails anyway
  for (int i = 0; i < kMostLinks; ++i) {
    std::optional<std::string> target = files.linkTarget(path);
    if (!target) break;
    path = !target->empty() && target->front() == '/' ? *target : directoryOf(path) + "/" + *target;
  }
  return path;
}

bool writeTo(FileSystem& files, int fd, const Poll& poll) {
  FileWriteBuffer buffer(files, fd);
  std::ostream out(&buffer);
  return writePollFile(out, poll);
}

// Writes over the file itself: for devices, FIFOs and where no file can be made beside it.
bool writeInPlace(FileSystem& files, const std::string& path, const Poll& poll) {
  int fd = files.openForWriting(path);
  if (fd < 0) return false;
  bool written = writeTo(files, fd, poll);
  return files.close(fd) && written;
}

// Holds back the signals that end a run from the keyboard or the system while a save
// replaces its file, so that the temporary file is always renamed or removed first; a held
// signal takes effect when the save is over.
class SignalsHeld {
 public:
  SignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&held, signal);
    sigprocmask(SIG_BLOCK, &held, &previous_);
  }
  ~SignalsHeld() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t previous_;
};

enum class Replaced { kYes, kNo, kNoTemporary };

// Writes the poll to a new file beside `target` and renames it over `target`.
Replaced replaceWhole(FileSystem& files, const std::string& target,
                      const std::optional<FileSystem::Status>& existing, const Poll& poll) {
  const std::string directory = directoryOf(target);
  SignalsHeld held;
  std::string temporary;
  int fd = files.createTemporary(directory, temporary);
  if (fd < 0) return Replaced::kNoTemporary;
  bool ready = (existing ? files.copyOwnership(fd, *existing) : files.setNewFileMode(fd)) &&
               writeTo(files, fd, poll) && files.sync(fd);
  ready = files.close(fd) && ready;
  if (!ready || !files.rename(temporary, target)) {
    files.remove(temporary);
    return Replaced::kNo;
  }
  // The new content is in place; without this sync a power loss could still bring back the
  // old name, so its failure is reported too.
  return files.syncDirectory(directory) ? Replaced::kYes : Replaced::kNo;
}

}  // namespace

bool savePoll(const Poll& poll, const std::string& path, FileSystem& files) {
  if (path.empty()) return false;
  const std::string target = followLinks(files, path);
  const std::optional<FileSystem::Status> existing = files.status(target);
  if (existing && !existing->regular) return writeInPlace(files, target, poll);
  switch (replaceWhole(files, target, existing, poll)) {
    case Replaced::kYes:
      return true;
    case Replaced::kNo:
      return false;
    case Replaced::kNoTemporary:
      // No file can be made beside it (a read-only directory): an existing file that may
      // still be written is written over, as the operator asked.
      return existing && writeInPlace(files, target, poll);
  }
  return false;
}
