// Checking poll files from the command line, with the load's own reader and findings.
#include "app/check_files.h"

#include <algorithm>
#include <new>

#include "app/stream_failure.h"
#include "poll/poll.h"
#include "poll/problem.h"
#include "poll/rank.h"
#include "pollfile/load_poll.h"

namespace hoops {

namespace {

// Checks one file ("-": standard input, named as grep and diff name it); the status it gives,
// as for the whole run.
int checkPollFile(const std::string& given, std::ostream& out, std::ostream& err) {
  Poll poll;
  std::string reason;
  std::vector<Finding> findings;
  const std::string path = given == "-" ? "(standard input)" : given;
  const LoadOutcome outcome = loadNamedPoll(poll, given, &reason, &findings);
  if (outcome == LoadOutcome::kFailed) {
    out.flush();
    err << "hoops-ranking: cannot open '" << path << "': " << reason << '\n' << std::flush;
    return 2;
  }
  for (const Finding& finding : findings) {
    out << Problem{path, finding.line, finding.text()} << '\n';
  }
  if (outcome == LoadOutcome::kRefused) {
    out << path << ": not loaded: change what the lines above say\n";
    return 1;
  }
  rankTeams(poll);
  const std::size_t teams = poll.teamCount();
  out << path << ": a load gives " << teams << (teams == 1 ? " team\n" : " teams\n");
  return findings.empty() ? 0 : 1;
}

}  // namespace

int checkPollFiles(const std::vector<std::string>& paths, std::ostream& out, std::ostream& err) {
  int status = 0;
  for (const std::string& path : paths) {
    // Out of memory, thrown or kept by the stream that cut the file's lines short, the file is
    // abandoned and the next one checked.
    try {
      status = std::max(status, checkPollFile(path, out, err));
      if (!outOfMemoryInside(out)) continue;
    } catch (const std::bad_alloc&) {
    }
    out.flush();
    err << "hoops-ranking: cannot check '" << path << "': out of memory\n" << std::flush;
    status = 2;
  }
  out.flush();
  return status;
}

}  // namespace hoops
