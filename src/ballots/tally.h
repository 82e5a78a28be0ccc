// The count of a week's ballots into the week's poll.
#ifndef HOOPS_BALLOTS_TALLY_H_
#define HOOPS_BALLOTS_TALLY_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ballots/ballot_reader.h"
#include "poll/poll.h"

// A team's record from a records file.
struct TeamRecord {
  std::string name;
  int32_t wins = 0;
  int32_t losses = 0;
};

// Counts ballots: every ballot ranks the same number of teams N as the first one counted, and a
// team in place p gets N + 1 - p points. Known teams are last week's and the records'; with no
// records, a name new this week is taken as a new team, unless it differs from a known one only
// in letter case, spaces or punctuation.
class Tally {
 public:
  // `last` is last week's poll as loaded (each team's lastWeek its position there), `records`
  // the records file's teams, when one was given.
  Tally(const Poll& last, const std::vector<TeamRecord>* records);

  // Counts `ballot` of `file`, or adds to `problems` what keeps it from being counted: no team
  // at all, another number of teams, an empty place, a name that cannot stand in a poll file
  // (ballots/team_name.h), a team twice, a voter who has a ballot already (voters told apart
  // without letter case and extra blanks), a name that is not a team.
  void count(const std::string& file, const Ballot& ballot, ProblemList& problems);

  std::size_t ballots() const { return ballots_; }
  std::size_t places() const { return places_; }
  // Names new this week on the ballots counted, in the order they were first met.
  std::vector<std::string> newTeams() const;

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
    int32_t lastWeek = -1;
    bool hasRecord = false;
    int32_t wins = 0;
    int32_t losses = 0;
    int64_t points = 0;
    int64_t firstPlaces = 0;
    std::size_t lastBallot = 0;  // the last ballot it was on, to find it twice on one
    std::size_t lastPlace = 0;   // its place on that ballot
    bool isNew = false;
  };
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>{}(text);
    }
  };
  using Index = std::unordered_map<std::string, std::size_t, Hash, std::equal_to<>>;
  struct Cast {
    std::size_t file;  // in files_
    std::size_t line;
  };

  // The entry named `name`, or, where it may be a new team, a new entry; -1 with a problem
  // otherwise.
  std::ptrdiff_t find(std::string_view name, const std::string& file, std::size_t line,
                      ProblemList& problems);
  void know(std::string name, int32_t lastWeek);

  bool withRecords_;
  std::vector<Entry> entries_;
  Index index_;
  Index folded_;  // every known name with case, spaces and punctuation folded away
  std::unordered_map<std::string, Cast, Hash, std::equal_to<>> voters_;
  std::vector<std::string> files_;        // the ballot files met so far
  std::vector<std::ptrdiff_t> onBallot_;  // the teams of the ballot being counted
  std::size_t seen_ = 0;                  // ballots looked at, to mark the teams of each
  std::size_t ballots_ = 0;
  std::size_t places_ = 0;  // N, once the first ballot is counted
};

// `name` in lower case without spaces and punctuation: what two spellings of a team share.
std::string foldedName(std::string_view name);

#endif  // HOOPS_BALLOTS_TALLY_H_
