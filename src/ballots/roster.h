// The league's teams, kept by the poll keeper: every team a ballot may name, and its spellings.
#ifndef HOOPS_BALLOTS_ROSTER_H_
#define HOOPS_BALLOTS_ROSTER_H_

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

#include "ballots/problem_list.h"

namespace hoops {

// A team of the roster: its name, as the week's poll writes it, and the other spellings voters
// use for it.
struct RosterTeam {
  std::string name;
  std::vector<std::string> aliases;
  std::size_t line = 0;
};

// Reads a roster from `in`: one team a line, its name first, then any other spellings of it,
// separated by tabs or by commas (the first separator in the file decides); blank lines are
// skipped. A name or spelling no poll line can hold (ballots/team_name.h) goes to `problems`,
// named by `file`. Returns false on a read error.
bool readRoster(std::istream& in, const std::string& file, std::vector<RosterTeam>& roster,
                ProblemList& problems);

}  // namespace hoops

#endif  // HOOPS_BALLOTS_ROSTER_H_
