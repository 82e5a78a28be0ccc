// What the command-line modes share: reading a file they were given, and running to a status.
#ifndef HOOPS_APP_MODE_SUPPORT_H_
#define HOOPS_APP_MODE_SUPPORT_H_

#include <cerrno>
#include <istream>
#include <new>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ballots/ballot_reader.h"
#include "ballots/tally.h"

#include "system/error_text.h"
#include "system/file_streams.h"
#include "system/file_system.h"
#include "system/standard_streams.h"

// Runs `read` on a stream over the file at `path` ("-": standard input); true when it read the
// file whole. Otherwise `err` gets "hoops-ranking: cannot read 'PATH': why".
template <typename Read>
bool readInputFile(const std::string& path, std::ostream& err, Read read) {
  FileSystem& files = realFileSystem();
  const bool standardInput = path == "-";
  Descriptor file(files, standardInput ? -1 : files.openForReading(path));
  const int fd = standardInput ? kStandardInput : file.fd();
  int error = fd < 0 ? errno : 0;
  if (error == 0) {
    const std::optional<FileSystem::Status> status = files.status(fd);
    if (status && status->directory) error = EISDIR;
  }
  if (error == 0) {
    FileReadBuffer buffer(files, fd);
    std::istream in(&buffer);
    if (read(in) && buffer.error() == 0) return true;
    error = buffer.error();
  }
  err << "hoops-ranking: cannot read '" << path << "': " << errorText(error != 0 ? error : EIO)
      << '\n';
  return false;
}

// Reads the ballot files `paths` ("-": standard input) and counts each ballot into `tally`,
// what is wrong with one into `problems`; false, with `err` told, when a file cannot be read.
inline bool countBallotFiles(const std::vector<std::string>& paths, Tally& tally,
                             std::vector<BallotProblem>& problems, std::ostream& err) {
  for (const std::string& path : paths) {
    const auto take = [&](const Ballot& ballot) { tally.count(path, ballot, problems); };
    if (!readInputFile(path, err, [&](std::istream& in) {
          return readBallots(in, path, voterOfListFile(path), take, problems);
        })) {
      return false;
    }
  }
  return true;
}

// Runs a mode's `body` (which returns its exit status) and flushes both streams after it. Out
// of memory, the mode is abandoned: "hoops-ranking: cannot WHAT: out of memory", status 2.
template <typename Body>
int runMode(const char* what, std::ostream& out, std::ostream& err, Body body) {
  try {
    const int status = body();
    out.flush();
    err.flush();
    return status;
  } catch (const std::bad_alloc&) {
    out.flush();
    err << "hoops-ranking: cannot " << what << ": out of memory\n" << std::flush;
    return 2;
  }
}

#endif  // HOOPS_APP_MODE_SUPPORT_H_
