// The poll's list operations by position, and taking over another poll whole.
#include "poll/poll.h"

#include <cstring>
#include <iterator>
#include <utility>

namespace hoops {

void Poll::abandonTeams() noexcept {
  // A team holds nothing but memory, all of it in memory_, which goes in one piece: a new
  // empty list takes the old one's place rather than visiting a million teams to free them
  // one by one.
  if (memory_ != nullptr) std::construct_at(&teams, memory_.get());
}

Poll& Poll::operator=(Poll&& other) noexcept {
  if (this == &other) return *this;
  // A list keeps the memory it was made with, so the list is made anew around the other
  // poll's teams; the old teams' memory goes with the old memory_.
  abandonTeams();
  std::destroy_at(&teams);
  std::construct_at(&teams, std::move(other.teams));
  memory_ = std::move(other.memory_);
  std::memcpy(date, other.date, sizeof date);
  return *this;
}

Team& Poll::teamAt(std::size_t position) {
  return *std::next(teams.begin(), static_cast<std::ptrdiff_t>(position - 1));
}

void Poll::removeTeamAt(std::size_t position) {
  teams.erase(std::next(teams.begin(), static_cast<std::ptrdiff_t>(position - 1)));
}

}  // namespace hoops
