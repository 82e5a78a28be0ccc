// The poll's own memory: alignment as asked, reuse of freed blocks, bounded memory.
#include "poll/poll_memory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "poll/poll.h"

namespace hoops {

namespace {

TEST(PollMemoryTest, BlocksAreAlignedAsAskedAndReusedBySize) {
  struct Case {
    std::size_t bytes;
    std::size_t alignment;
  };
  const Case cases[] = {{1, 1}, {35, 1}, {72, 8}, {100, 4}, {64, 64}, {4160, 16}, {5000, 8}};
  PollMemory memory;
  static_cast<void>(memory.allocate(9, 1));  // the next text block starts at an odd address
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.bytes) + " bytes aligned to " + std::to_string(c.alignment));
    void* first = memory.allocate(c.bytes, c.alignment);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(first) % c.alignment, 0u);
    memory.deallocate(first, c.bytes, c.alignment);
    void* second = memory.allocate(c.bytes, c.alignment);
    EXPECT_EQ(second == first, c.bytes <= PollMemory::kLargestReused);
  }
}

// A freed block of text, at an odd address, is not handed out for a block of the same size
// that needs a stricter alignment.
TEST(PollMemoryTest, AFreedBlockIsReusedOnlyWhereItsAlignmentServes) {
  PollMemory memory;
  static_cast<void>(memory.allocate(9, 1));
  void* text = memory.allocate(16, 1);
  ASSERT_NE(reinterpret_cast<std::uintptr_t>(text) % 8, 0u);
  memory.deallocate(text, 16, 1);
  void* record = memory.allocate(16, 8);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(record) % 8, 0u);
  EXPECT_EQ(memory.allocate(16, 1), text);
}

// Blocks of many sizes and alignments, some freed and handed out again, each filled with its
// own byte: none overlaps another (the byte pattern check of LevelDB's arena test).
TEST(PollMemoryTest, BlocksNeverOverlap) {
  PollMemory memory;
  struct Block {
    unsigned char* start;
    std::size_t size;
    unsigned char fill;
  };
  std::vector<Block> blocks;
  std::mt19937 random(301);
  for (int i = 0; i < 20000; ++i) {
    const std::size_t size = i % 997 == 0 ? 6000 + random() % 100000 : 1 + random() % 300;
    const std::size_t alignment = std::size_t{1} << (random() % 5);
    auto* start = static_cast<unsigned char*>(memory.allocate(size, alignment));
    ASSERT_EQ(reinterpret_cast<std::uintptr_t>(start) % alignment, 0u);
    const auto fill = static_cast<unsigned char>(i % 256);
    std::memset(start, fill, size);
    blocks.push_back({start, size, fill});
    if (i % 3 == 0) {  // free an earlier block, so that it is handed out again
      const std::size_t victim = random() % blocks.size();
      memory.deallocate(blocks[victim].start, blocks[victim].size, 1);
      blocks.erase(blocks.begin() + static_cast<std::ptrdiff_t>(victim));
    }
  }
  for (const Block& block : blocks) {
    for (std::size_t i = 0; i < block.size; ++i) ASSERT_EQ(block.start[i], block.fill);
  }
}

// Every name, however long, is carved from the poll's own chunks.
TEST(PollMemoryTest, NamesOfAnyLengthLiveInThePollsChunks) {
  Poll poll;
  const auto& memory = static_cast<const PollMemory&>(*poll.teams.get_allocator().resource());
  Team team;
  team.name = "Short";
  poll.appendTeam(team);
  const std::size_t start = memory.chunkBytes();
  team.name = std::string(200000, 'L');
  poll.appendTeam(team);
  EXPECT_GE(memory.chunkBytes(), start + 200000);
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

}  // namespace hoops
