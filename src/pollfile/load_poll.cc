// Loading a poll file into the poll: a new week begins, if the file is what it should be.
#include "pollfile/load_poll.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <istream>
#include <new>
#include <optional>
#include <string_view>
#include <utility>

#include "poll/date.h"
#include "pollfile/failure.h"
#include "pollfile/poll_reader.h"
#include "system/file_streams.h"

namespace hoops {

namespace {

// `text` with each control character as '?', fit for a line on a terminal.
std::string visible(std::string_view text) {
  std::string shown(text);
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return shown;
}

// Moves the date on a week, and says what became of a first line that is not a poll date as the
// program writes dates.
std::optional<Finding> advanceAndTell(PollDate& date) {
  const std::string before = date;
  advanceWeek(date);
  if (isPollDate(before)) return std::nullopt;
  // Built a piece at a time: GCC 12 warns falsely of overlaps in a chain of + on strings.
  std::string what = "'";
  what += visible(before);
  what += "' is not a poll date as this program writes dates; ";
  if (before != date) {
    what += "the poll's date is now ";
    what += visible(date);
  } else {
    what += "the poll keeps it as its date and does not move it on a week";
  }
  return Finding{1, 0, std::move(what), false};
}

LoadOutcome failed(std::string* reason, int error) {
  failWith(reason, error);
  return LoadOutcome::kFailed;
}

}  // namespace

LoadOutcome loadPollFile(Poll& poll, const std::string& path, std::string* reason,
                         std::vector<Finding>* findings, FileSystem& files) {
  if (path.find('\0') != std::string::npos) return failed(reason, kNulInPath);
  try {
    Descriptor file(files, files.openForReading(path));
    if (!file.open()) return failed(reason, errno);
    const std::optional<FileSystem::Status> status = files.status(file.fd());
    if (!status) return failed(reason, errno);
    if (status->directory) return failed(reason, EISDIR);
    if (!status->regular) {
      fail(reason, "not a regular file");
      return LoadOutcome::kFailed;
    }
    return loadPollFrom(poll, file.fd(), reason, findings, files);
  } catch (const std::bad_alloc&) {
    fail(reason, "out of memory");
    return LoadOutcome::kFailed;
  }
}

LoadOutcome loadPollFrom(Poll& poll, int fd, std::string* reason, std::vector<Finding>* findings,
                         FileSystem& files) {
  try {
    FileReadBuffer buffer(files, fd);
    std::istream in(&buffer);
    // The file is read whole into a poll of its own before this one changes, so a read
    // error or a refusal leaves it as it was.
    Poll loaded;
    FindingTally tally;
    if (!readPollFile(in, loaded, tally) || buffer.error() != 0) {
      return failed(reason, buffer.error());
    }
    std::vector<Finding> found = tally.findings();
    if (tally.refuses()) {
      fail(reason,
           "it is not a poll file as this program writes them; the lines above say what to "
           "change (see \"From a spreadsheet\" in the README)");
      if (findings != nullptr) *findings = std::move(found);
      return LoadOutcome::kRefused;
    }
    if (std::optional<Finding> date = advanceAndTell(loaded.date))
      found.insert(found.begin(), *date);
    if (findings != nullptr) *findings = std::move(found);
    poll = std::move(loaded);
    return LoadOutcome::kLoaded;
  } catch (const std::bad_alloc&) {
    fail(reason, "out of memory");
    return LoadOutcome::kFailed;
  }
}

bool Poll::loadPoll(const std::string& path, std::string* reason, std::vector<std::string>* notes) {
  std::vector<Finding> findings;
  const LoadOutcome outcome =
      loadPollFile(*this, path, reason, notes != nullptr ? &findings : nullptr);
  if (notes != nullptr) {
    for (const Finding& finding : findings) {
      notes->push_back(path + ":" + std::to_string(finding.line) + ": " + finding.text());
    }
    // A poll every one of whose teams the ranking drops is said to be empty.
    if (outcome == LoadOutcome::kLoaded && teamCount() != 0 &&
        std::none_of(teams.begin(), teams.end(),
                     [](const Team& team) { return team.votes != 0; })) {
      notes->push_back(path + ": no team is left: every team has 0 votes");
    }
  }
  return outcome == LoadOutcome::kLoaded;
}

}  // namespace hoops
