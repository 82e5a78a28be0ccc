// The count of a week's ballots into the week's poll.
#ifndef HOOPS_BALLOTS_TALLY_H_
#define HOOPS_BALLOTS_TALLY_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ballots/ballot_reader.h"
#include "ballots/roster.h"
#include "ballots/team_names.h"
#include "poll/poll.h"

namespace hoops {

// A team's record from a records file, and its line there.
struct TeamRecord {
  std::string name;
  int32_t wins = 0;
  int32_t losses = 0;
  std::size_t line = 0;
};

// The teams a week's ballots may name besides last week's: the roster's (with their other
// spellings), the records', teams entering the poll this week, named on the command line, and
// any others the caller knows (a published week's teams, say).
struct KnownTeams {
  const std::vector<RosterTeam>* roster = nullptr;
  std::string rosterFile;
  const std::vector<TeamRecord>* records = nullptr;
  std::string recordsFile;
  std::vector<std::string> newTeams;
  std::vector<std::string_view> teams;  // known before the others, as last week's are
};

// The ballots counted, kept for a look at each one (Tally::keepBallots).
struct CountedBallots {
  std::size_t places = 0;
  std::vector<std::string> teams;   // every known team's name, by its index in `picks`
  std::vector<std::string> voters;  // each ballot's voter, in the order counted
  std::vector<uint32_t> picks;      // each ballot's teams from first place, `places` a ballot
};

// Counts ballots: every ballot ranks the same number of teams N as the first one counted, and a
// team in place p gets N + 1 - p points. A ballot may name only known teams: nothing new is
// taken in silence.
class Tally {
 public:
  // Knows last week's teams (`last` as loaded, each team's lastWeek its position there), then
  // those of `known`. A name that is another known team's in another spelling (foldedName),
  // a roster's team given twice and a spelling of two teams go to `problems`.
  Tally(const Poll& last, const KnownTeams& known, ProblemList& problems);

  // Counts `ballot` of `file`, or adds to `problems` what keeps it from being counted: no team
  // at all, another number of teams, an empty place, a name that cannot stand in a poll file
  // (ballots/team_name.h), a team twice, a voter who has a ballot already (voters told apart
  // as foldedVoter tells them), a name that is no known team (with the known teams near it; a
  // name refused again adds to the first problem instead of making another).
  void count(const std::string& file, const Ballot& ballot, ProblemList& problems);
  // Tells, in the problem of each name refused on more than one ballot, on how many and where
  // else. Once, after the last ballot.
  void finish(ProblemList& problems);

  // Keeps each ballot counted from now on, for takeBallots().
  void keepBallots() { keep_ = true; }
  // The ballots kept, given up by the tally.
  CountedBallots takeBallots();

  std::size_t ballots() const { return ballots_; }
  std::size_t places() const { return places_; }
  // True when a ballot named a team that is not known.
  bool refusedAName() const { return !refused_.empty(); }

  // The week's poll: the date `date`; every team with points, its votes its points, by points,
  // equal points in last week's order and new teams after them by name (byte order); last week
  // its position in last week's poll or -1; its record from the records, else last week's,
  // else 0-0 (each such team's name added to `noRecord`). False, with `problems`, when a
  // team's points pass what a poll file holds.
  bool week(const PollDate& date, Poll& poll, std::vector<std::string>& noRecord,
            ProblemList& problems) const;

  // How many first places each team got, by name.
  std::unordered_map<std::string, int64_t> firstPlaces() const;
  // The points of each team that got any, by name.
  std::unordered_map<std::string, int64_t> points() const;

 private:
  struct Entry {
    std::string name;
    int32_t lastPosition = -1;  // its position in last week's poll; -1 when it was not there
    bool hasRecord = false;
    int32_t wins = 0;
    int32_t losses = 0;
    int64_t points = 0;
    int64_t firstPlaces = 0;
    std::size_t lastBallot = 0;  // the last ballot it was on, to find it twice on one
    std::size_t lastPlace = 0;   // its place on that ballot
  };
  struct Cast {
    std::size_t file;  // in files_
    std::size_t line;
  };
  // A name no known team has, as refused: its problem, and the other ballots that gave it.
  struct Refusal {
    std::size_t problem;  // its index in the problems
    std::size_t ballots = 1;
    std::size_t lastBallot = 0;       // the last ballot that gave it, to count each ballot once
    std::vector<std::string> others;  // the first few, as FILE:LINE
  };

  std::size_t know(std::string name, int32_t lastPosition);
  // The team `name` of `file`:`line` is, a new one when it is none yet; nullopt, with a
  // problem, when it is another team's name in another spelling.
  std::optional<std::size_t> learn(std::string_view name, const std::string& file, std::size_t line,
                                   ProblemList& problems);
  void learnRoster(const std::vector<RosterTeam>& roster, const std::string& file,
                   ProblemList& problems);
  std::ptrdiff_t find(std::string_view name, const std::string& file, std::size_t line,
                      ProblemList& problems);

  TeamNames names_;
  std::vector<Entry> entries_;
  std::unordered_map<std::string, Refusal> refused_;
  std::unordered_map<std::string, Cast> voters_;
  std::vector<std::string> files_;        // the ballot files met so far
  std::vector<std::ptrdiff_t> onBallot_;  // the teams of the ballot being counted
  std::size_t seen_ = 0;                  // ballots looked at, to mark the teams of each
  std::size_t ballots_ = 0;
  std::size_t places_ = 0;  // N, once the first ballot is counted
  bool keep_ = false;
  CountedBallots kept_;
};

}  // namespace hoops

#endif  // HOOPS_BALLOTS_TALLY_H_
