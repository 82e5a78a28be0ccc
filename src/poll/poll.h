// The poll: the week's teams in rank order and the poll date.
#ifndef HOOPS_POLL_POLL_H_
#define HOOPS_POLL_POLL_H_

#include <cstddef>
#include <list>
#include <memory>
#include <memory_resource>
#include <string>
#include <vector>

#include "poll/date.h"
#include "poll/poll_memory.h"
#include "poll/team.h"

namespace hoops {

// The week's poll: its teams in rank order and its date. A team's 1-based position in
// `teams` is its rank. Positions passed to teamAt and removeTeamAt must lie in
// 1..teamCount(). The teams and their names live in memory that the poll owns.
struct Poll {
 private:
  // Declared first, so that it outlives the teams kept in it.
  std::unique_ptr<PollMemory> memory_ = std::make_unique<PollMemory>();

 public:
  // An empty poll with an empty date.
  Poll() = default;
  // A moved-from poll may only be destroyed.
  Poll(Poll&&) noexcept = default;
  // Takes over the other poll's teams, their memory and its date; the old teams and their
  // memory are released.
  Poll& operator=(Poll&& other) noexcept;
  Poll(const Poll&) = delete;
  Poll& operator=(const Poll&) = delete;
  ~Poll() { abandonTeams(); }

  std::size_t teamCount() const { return teams.size(); }

  // Puts a copy of `team` at the end; the caller's team stays unshared.
  void appendTeam(const Team& team) { teams.push_back(team); }

  // The team at `position`, modifiable in place.
  Team& teamAt(std::size_t position);

  // Removes the team at `position`; later teams move up one place.
  void removeTeamAt(std::size_t position);

  // Replaces teams and date with those of the poll file at `path`, moved on one week.
  // Returns false, leaving the poll untouched, when the file cannot be opened or read;
  // `reason` (when given) then says why. `notes` (when given) gets a line "path:line: what" for
  // each kind of thing in the file that its writer would never have written. Out of memory,
  // std::bad_alloc passes on, the poll untouched. Defined by the poll file library.
  bool loadPoll(const std::string& path, std::string* reason = nullptr,
                std::vector<std::string>* notes = nullptr);

  std::pmr::list<Team> teams{memory_.get()};
  PollDate date = {};

 private:
  // Leaves `teams` empty without visiting its teams, whose memory goes with memory_.
  void abandonTeams() noexcept;
};

}  // namespace hoops

#endif  // HOOPS_POLL_POLL_H_
