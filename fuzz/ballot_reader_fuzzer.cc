// Any bytes as a ballot file: the reader and the count return, a week counted without a problem
// loads back as just its teams (no ballot forges a row), and every record the CSV reader reads
// cleanly comes back the same when written again with RFC 4180's quotes and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "ballots/ballot_reader.h"
#include "ballots/tally.h"
#include "csv/csv_reader.h"
#include "pollfile/poll_reader.h"
#include "pollfile/poll_writer.h"

// The program's own names, in this file that drives them.
using namespace hoops;  // NOLINT(google-build-using-namespace)

namespace {

// `fields` as one CSV record, every field in quotes.
std::string written(const std::vector<std::string_view>& fields) {
  std::string record;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) record += ',';
    record += '"';
    for (const char c : fields[i]) record += c == '"' ? std::string("\"\"") : std::string(1, c);
    record += '"';
  }
  return record + "\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  {
    // Every name the ballots give is made known first (as --new would), so that the count
    // gets as far as the week.
    std::istringstream first(text);
    ProblemList problems;
    std::vector<std::string> notes;
    KnownTeams known;
    std::set<std::string> names;
    readBallots(
        first, "fuzz.csv", "fuzz",
        [&](const Ballot& ballot) { names.insert(ballot.teams.begin(), ballot.teams.end()); },
        problems, notes);
    known.newTeams.assign(names.begin(), names.end());
    std::istringstream in(text);
    Poll last;
    problems = ProblemList();
    Tally tally(last, known, problems);
    const bool read = readBallots(
        in, "fuzz.csv", "fuzz",
        [&](const Ballot& ballot) { tally.count("fuzz.csv", ballot, problems); }, problems, notes);
    tally.finish(problems);
    if (!read) std::abort();  // a string stream has no read errors
    Poll week;
    std::vector<std::string> noRecord;
    if (problems.empty() && tally.week(last.date, week, noRecord, problems)) {
      std::ostringstream file;
      writePollFile(file, week);
      std::istringstream back(file.str());
      Poll loaded;
      FindingTally findings;
      if (!readPollFile(back, loaded, findings) || findings.refuses() ||
          loaded.teamCount() != week.teamCount()) {
        std::abort();
      }
    }
  }
  std::istringstream in(text);
  CsvReader reader(in);
  std::vector<std::string_view> fields;
  while (reader.next(fields)) {
    if (reader.problem() != CsvReader::Problem::kNone) continue;
    // Written again, every field in quotes: what is in quotes is read as it stands.
    std::istringstream again(written(fields));
    CsvReader second(again);
    std::vector<std::string_view> back;
    if (!second.next(back) || back != fields) std::abort();
  }
  return 0;
}
