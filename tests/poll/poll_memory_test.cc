// The poll's own memory: alignment as asked, reuse of freed blocks, bounded memory.
#include "poll/poll_memory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "poll/poll.h"

namespace {

TEST(PollMemoryTest, BlocksAreAlignedAsAskedAndReusedBySize) {
  struct Case {
    std::size_t bytes;
    std::size_t alignment;
  };
  const Case cases[] = {{1, 1}, {35, 1}, {72, 8}, {100, 4}, {64, 64}, {4160, 16}, {5000, 8}};
  PollMemory memory;
  EXPECT_NE(memory.allocate(3, 1), nullptr);  // the next text block starts at an odd address
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.bytes) + " bytes aligned to " + std::to_string(c.alignment));
    void* first = memory.allocate(c.bytes, c.alignment);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(first) % c.alignment, 0u);
    memory.deallocate(first, c.bytes, c.alignment);
    void* second = memory.allocate(c.bytes, c.alignment);
    if (c.bytes <= PollMemory::kLargestReused) {
      EXPECT_EQ(second, first);
    }
  }
}

TEST(PollMemoryTest, RemovingAndAddingForLongStaysInBoundedMemory) {
  Poll poll;
  Team team;
  for (int i = 0; i < 300; ++i) {
    team.name = "School " + std::to_string(i) + " with a name long enough for its own block";
    poll.appendTeam(team);
  }
  const auto& memory = static_cast<const PollMemory&>(*poll.teams.get_allocator().resource());
  const std::size_t start = memory.chunkBytes();
  for (int cycle = 0; cycle < 200'000; ++cycle) {
    poll.removeTeamAt(1 + static_cast<std::size_t>(cycle) % poll.teamCount());
    team.name =
        "School " + std::to_string(cycle) + std::string(static_cast<std::size_t>(cycle % 97), 'x');
    poll.appendTeam(team);
  }
  EXPECT_LE(memory.chunkBytes(), start + (std::size_t{1} << 20));
}

}  // namespace
