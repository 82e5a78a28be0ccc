// Times the phases of a week's work on one poll file inside one process: reading it into a
// poll, ranking, writing the file text (to /dev/null), and letting the poll go. Each figure is the
// median of the repetitions, in milliseconds, so a change to one phase can be measured alone.
//   phases FILE [repetitions]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/program.h"
#include "poll/poll.h"
#include "poll/rank.h"
#include "pollfile/poll_reader.h"
#include "pollfile/poll_writer.h"

// The program's own names, in this file that drives them.
using namespace hoops;  // NOLINT(google-build-using-namespace)

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: phases FILE [repetitions]\n");
    return 2;
  }
  const int repetitions = argc > 2 ? std::atoi(argv[2]) : 7;
  std::vector<double> read, rank, write, release;
  std::size_t teams = 0;
  for (int i = 0; i < repetitions; ++i) {
    std::ifstream file(argv[1]);
    std::optional<Poll> poll(std::in_place);
    auto start = Clock::now();
    FindingTally tally;
    readPollFile(file, *poll, tally);
    read.push_back(millisecondsSince(start));
    start = Clock::now();
    rankTeams(*poll);
    rank.push_back(millisecondsSince(start));
    std::ofstream out("/dev/null");  // the writing, without the disk's part in it
    start = Clock::now();
    writePollFile(out, *poll);
    write.push_back(millisecondsSince(start));
    teams = poll->teamCount();
    start = Clock::now();
    poll.reset();
    release.push_back(millisecondsSince(start));
  }
  std::printf("%zu teams ranked, in ms: read %.1f  rank %.1f  write %.1f  release %.1f\n", teams,
              median(read), median(rank), median(write), median(release));

  // A thousand rounds of adding a team, editing the last one and removing the first,
  // against the same run without them: what is left is the time of 3000 edits. Each edit
  // ranks the whole poll again, so this is for polls of a real size.
  if (teams > 10'000) return 0;
  const std::string load = std::string("\n1\n") + argv[1] + "\n";
  std::string edits;
  for (int i = 0; i < 1000; ++i) {
    edits += "3\nAdded School " + std::to_string(i) + "\n10\n5\n" + std::to_string(i + 1) + "\n";
    edits += "4\n" + std::to_string(teams) + "\n11\n5\n" + std::to_string(i + 2) + "\n";
    edits += "5\n1\n";
  }
  std::vector<double> plain, edited;
  for (int i = 0; i < repetitions; ++i) {
    for (const std::string& script : {load, load + edits}) {
      std::istringstream in(script + "9\n\n");
      std::ostringstream out;
      auto start = Clock::now();
      runProgram(in, out, out);
      (script == load ? plain : edited).push_back(millisecondsSince(start));
    }
  }
  std::printf("menu edits on that poll: %.1f us each (add, edit, remove)\n",
              (median(edited) - median(plain)) * 1000 / 3000);
}
