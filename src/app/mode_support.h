// What the command-line modes share: reading a file they were given, and running to a status.
#ifndef HOOPS_APP_MODE_SUPPORT_H_
#define HOOPS_APP_MODE_SUPPORT_H_

#include <functional>
#include <istream>
#include <new>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/stream_failure.h"
#include "ballots/ballot_reader.h"
#include "ballots/roster.h"
#include "ballots/tally.h"
#include "poll/problem.h"

#include "system/file_streams.h"
#include "system/file_system.h"
#include "system/save_file.h"
#include "system/standard_streams.h"
#include "system/user_file.h"

namespace hoops {

// Runs `read` on a stream over the file at `path` ("-": standard input), opened as `cat` opens
// it (a FIFO waits for its writer, a pipe is read to its end); true when it read the file
// whole. Otherwise `err` gets "hoops-ranking: cannot read 'PATH': why".
template <typename Read>
bool readInputFile(const std::string& path, std::ostream& err, Read read) {
  FileSystem& files = realFileSystem();
  const UserFile file(files, path);
  Status status = file.status();
  if (status.ok()) {
    FileReadBuffer buffer(files, file.fd());
    std::istream in(&buffer);
    if (read(in) && buffer.status().ok()) return true;
    status = buffer.failure();
  }
  err << "hoops-ranking: cannot read '" << path << "': " << status.text() << '\n';
  return false;
}

// Reads the roster at `path`, when there is one, into `roster`, what is wrong in it into
// `problems`; false, with `err` told, when it cannot be read.
inline bool readRosterFile(const std::optional<std::string>& path, std::vector<RosterTeam>& roster,
                           ProblemList& problems, std::ostream& err) {
  return !path || readInputFile(*path, err, [&](std::istream& in) {
    return readRoster(in, *path, roster, problems);
  });
}

// Reads the ballot files `paths` ("-": standard input) and counts each ballot into `tally`,
// what is wrong with one into `problems` (a file with no ballot in it too), what the reading
// passed over onto `err`; false, with `err` told, when a file cannot be read.
inline bool countBallotFiles(const std::vector<std::string>& paths, Tally& tally,
                             ProblemList& problems, std::ostream& err) {
  for (const std::string& path : paths) {
    std::size_t ballots = 0;
    const auto take = [&](const Ballot& ballot) {
      ++ballots;
      tally.count(path, ballot, problems);
    };
    const std::size_t before = problems.size();
    std::vector<std::string> notes;
    if (!readInputFile(path, err, [&](std::istream& in) {
          return readBallots(in, path, voterOfListFile(path), take, problems, notes);
        })) {
      return false;
    }
    tellNotes(err, notes);
    if (ballots == 0 && problems.size() == before) problems.push_back({path, 0, "no ballot in it"});
  }
  tally.finish(problems);
  return true;
}

// Writes `problems` to `err`, one a line (poll/problem.h), at most the first
// ProblemList::kKept, then how many more.
inline void tellProblems(std::ostream& err, const ProblemList& problems) {
  for (const Problem& problem : problems) err << problem << '\n';
  if (const std::size_t more = problems.notKept(); more > 0) {
    err << "hoops-ranking: and " << more << (more == 1 ? " more problem\n" : " more problems\n");
  }
}

// The file `path` names ("-": standard input) as the system knows it, or nullopt when there
// is none to be had.
inline std::optional<FileInfo> identityOf(const std::string& path) {
  FileSystem& files = realFileSystem();
  FileInfo info;
  const Status found =
      path == "-" ? files.status(kStandardInput, info) : files.statusOfPath(path, info);
  return found.ok() ? std::optional(info) : std::nullopt;
}

// False, with `err` told, when `output` is the very file of one of `inputs` (however it is
// spelled), or of standard output while `summaryOnOut` (the mode's summary line goes there):
// the save would replace what the mode reads, or write the poll and the summary into one file.
inline bool outputApart(const std::string& output, const std::vector<std::string>& inputs,
                        bool summaryOnOut, std::ostream& err) {
  const std::optional<FileInfo> target = identityOf(output);
  if (!target || !target->regular) return true;
  for (const std::string& input : inputs) {
    const std::optional<FileInfo> read = identityOf(input);
    if (read && read->sameFile(*target)) {
      err << "hoops-ranking: --output '" << output << "' is '" << input
          << "', which this run reads; write to another file\n";
      return false;
    }
  }
  FileInfo out;
  if (summaryOnOut && realFileSystem().status(kStandardOutput, out).ok() && out.sameFile(*target)) {
    err << "hoops-ranking: --output '" << output
        << "' is where standard output goes, which gets the summary; write to another file\n";
    return false;
  }
  return true;
}

// Saves what `write` writes as the file at `path` through the careful save (system/save_file.h,
// in `words`), its notes added to `notes`; false, with "hoops-ranking: cannot save 'PATH': why"
// on `err`, when it cannot be saved.
inline bool saveDocument(const std::string& path, const std::function<void(std::ostream&)>& write,
                         const SaveWords& words, std::vector<std::string>& notes,
                         std::ostream& err) {
  std::string reason;
  const auto writeAll = [&](std::ostream& file) {
    write(file);
    return static_cast<bool>(file);
  };
  if (saveFile(path, writeAll, words, &reason, &notes)) return true;
  err << "hoops-ranking: cannot save '" << path << "': " << reason << '\n';
  return false;
}

// Runs a mode's `body` (which returns its exit status) and flushes both streams after it. Out
// of memory (thrown, or kept by a stream as its failure), the mode is abandoned:
// "hoops-ranking: cannot WHAT: out of memory", status 2.
template <typename Body>
int runMode(const char* what, std::ostream& out, std::ostream& err, Body body) {
  try {
    const int status = body();
    out.flush();
    err.flush();
    if (!outOfMemoryInside(out) && !outOfMemoryInside(err)) return status;
    err << "hoops-ranking: cannot " << what << ": out of memory\n" << std::flush;
    return 2;
  } catch (const std::bad_alloc&) {
    out.flush();
    err << "hoops-ranking: cannot " << what << ": out of memory\n" << std::flush;
    return 2;
  }
}

}  // namespace hoops

#endif  // HOOPS_APP_MODE_SUPPORT_H_
