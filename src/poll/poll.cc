// The poll's list operations by position, and taking over another poll whole.
#include "poll/poll.h"

#include <cstring>
#include <iterator>
#include <utility>

Poll& Poll::operator=(Poll&& other) noexcept {
  if (this == &other) return *this;
  // A list keeps the memory it was made with, so the list is made anew around the other
  // poll's teams: the old teams go first, then the memory they lived in, in one piece.
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
