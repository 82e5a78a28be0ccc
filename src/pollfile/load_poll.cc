// Loading a poll file into the poll: a new week begins, if the file is what it should be.
#include "pollfile/load_poll.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <istream>
#include <optional>
#include <string_view>
#include <utility>

#include "poll/date.h"
#include "poll/problem.h"
#include "pollfile/poll_reader.h"
#include "system/file_streams.h"
#include "system/standard_streams.h"

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

// Stores `why` in `reason` when there is one; a load that failed.
LoadOutcome failed(std::string* reason, std::string why) {
  if (reason != nullptr) *reason = std::move(why);
  return LoadOutcome::kFailed;
}

}  // namespace

LoadOutcome loadPollFile(Poll& poll, const std::string& path, std::string* reason,
                         std::vector<Finding>* findings, FileSystem& files) {
  if (path.find('\0') != std::string::npos) {
    return failed(reason, Status(Status::Code::kNulInPath).text());
  }
  Descriptor file;
  FileInfo info;
  Status status = files.openForReading(path, file);
  if (status.ok()) status = files.status(file.fd(), info);
  if (!status.ok()) return failed(reason, status.text());
  if (info.directory) return failed(reason, Status::system(EISDIR).text());
  if (!info.regular) return failed(reason, "not a regular file");
  return loadPollFrom(poll, file.fd(), reason, findings, files);
}

LoadOutcome loadPollFrom(Poll& poll, int fd, std::string* reason, std::vector<Finding>* findings,
                         FileSystem& files) {
  FileReadBuffer buffer(files, fd);
  std::istream in(&buffer);
  // The file is read whole into a poll of its own before this one changes, so a read
  // error or a refusal leaves it as it was.
  Poll loaded;
  FindingTally tally;
  if (!readPollFile(in, loaded, tally) || !buffer.status().ok()) {
    return failed(reason, buffer.failure().text());
  }
  std::vector<Finding> found = tally.findings();
  if (tally.refuses()) {
    if (reason != nullptr) {
      *reason =
          "it is not a poll file as this program writes them; the lines above say what to "
          "change (see \"From a spreadsheet\" in the README)";
    }
    if (findings != nullptr) *findings = std::move(found);
    return LoadOutcome::kRefused;
  }
  if (std::optional<Finding> date = advanceAndTell(loaded.date)) found.insert(found.begin(), *date);
  if (findings != nullptr) *findings = std::move(found);
  poll = std::move(loaded);
  return LoadOutcome::kLoaded;
}

LoadOutcome loadNamedPoll(Poll& poll, const std::string& given, std::string* reason,
                          std::vector<Finding>* findings) {
  return given == "-" ? loadPollFrom(poll, kStandardInput, reason, findings)
                      : loadPollFile(poll, given, reason, findings);
}

bool Poll::loadPoll(const std::string& path, std::string* reason, std::vector<std::string>* notes) {
  // Loaded beside this poll, which takes it only once every note is made: memory running out
  // on the way leaves this poll as it was.
  Poll loaded;
  std::vector<Finding> findings;
  const LoadOutcome outcome =
      loadPollFile(loaded, path, reason, notes != nullptr ? &findings : nullptr);
  if (notes != nullptr) {
    for (const Finding& finding : findings) {
      notes->push_back(Problem{path, finding.line, finding.text()}.text());
    }
    // A poll every one of whose teams the ranking drops is said to be empty.
    if (outcome == LoadOutcome::kLoaded && loaded.teamCount() != 0 &&
        std::none_of(loaded.teams.begin(), loaded.teams.end(),
                     [](const Team& team) { return team.votes != 0; })) {
      notes->push_back(path + ": no team is left: every team has 0 votes");
    }
  }
  if (outcome != LoadOutcome::kLoaded) return false;
  *this = std::move(loaded);
  return true;
}

}  // namespace hoops
