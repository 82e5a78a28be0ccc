// The record of one team in the poll.
#ifndef HOOPS_POLL_TEAM_H_
#define HOOPS_POLL_TEAM_H_

#include <cstdint>
#include <memory_resource>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace hoops {

// The largest count a team's numbers can hold, and the largest the operator can type.
inline constexpr int32_t kMaxCount = 2147483647;

// The count `text` spells in decimal digits alone, 0 to kMaxCount; nullopt otherwise.
inline std::optional<int32_t> countOf(std::string_view text) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > kMaxCount) return std::nullopt;
  return static_cast<int32_t>(value);
}

// One school in the weekly poll: a plain value record, copied whole. A team made inside a
// poll keeps its name in the poll's own memory (the allocator the list gives it); a copy
// made elsewhere lives on the global heap and shares nothing with its source.
struct Team {
  using allocator_type = std::pmr::polymorphic_allocator<>;

  Team() = default;
  explicit Team(const allocator_type& memory) : name(memory) {}
  Team(const Team& other, const allocator_type& memory)
      : votes(other.votes),
        lastWeek(other.lastWeek),
        wins(other.wins),
        losses(other.losses),
        name(other.name, memory) {}
  Team(Team&& other, const allocator_type& memory)
      : votes(other.votes),
        lastWeek(other.lastWeek),
        wins(other.wins),
        losses(other.losses),
        name(std::move(other.name), memory) {}
  Team(const Team&) = default;
  Team(Team&&) = default;
  Team& operator=(const Team&) = default;
  Team& operator=(Team&&) = default;
  ~Team() = default;

  // The ranking's key comes first, beside the list's links, so that sorting a large poll
  // reads little more than one cache line per team.
  int32_t votes = 0;
  int32_t lastWeek = -1;  // rank in last week's poll; -1 when it was unranked
  int32_t wins = 0;
  int32_t losses = 0;
  std::pmr::string name;
};

// Teams are ordered by votes alone; teams with equal votes are equivalent.
inline bool operator<(const Team& a, const Team& b) {
  return a.votes < b.votes;
}

}  // namespace hoops

#endif  // HOOPS_POLL_TEAM_H_
