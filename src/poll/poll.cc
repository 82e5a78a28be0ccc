// The poll's list operations by position, and taking over another poll whole.
#include "poll/poll.h"

#include <cstring>
#include <iterator>
#include <utility>

void Poll::releaseTeams() noexcept {
  if (memory_ != nullptr && memory_->holdsAllBlocks()) {
    // A team holds nothing but memory, and all of it lies in chunks that go with memory_
    // in one piece: the old list is left as it lies rather than visited team by team (a
    // million teams take tens of milliseconds to visit), and an empty one takes its place.
    std::construct_at(&teams, memory_.get());
  } else {
    teams.clear();
  }
}

Poll& Poll::operator=(Poll&& other) noexcept {
  if (this == &other) return *this;
  // A list keeps the memory it was made with, so the list is made anew around the other
  // poll's teams: the old teams go first, then the memory they lived in, in one piece.
  releaseTeams();
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
