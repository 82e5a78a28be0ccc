// The poll's own memory: growth, reuse of freed blocks, and a long session in bounded memory.
#include "poll/poll_memory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "poll/poll.h"

namespace {

TEST(PollMemoryTest, ReusesFreedBlocksOfTheSameSize) {
  struct Case {
    std::size_t bytes;
    std::size_t alignment;
  };
  const Case cases[] = {{1, 1},    {8, 8},    {72, 8},   {100, 4},
                        {4096, 1}, {4160, 8}, {5000, 8}, {64, 16}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.bytes) + " bytes aligned to " + std::to_string(c.alignment));
    PollMemory memory;
    void* first = memory.allocate(c.bytes, c.alignment);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(first) % c.alignment, 0u);
    memory.deallocate(first, c.bytes, c.alignment);
    void* second = memory.allocate(c.bytes, c.alignment);
    if (c.bytes <= 4160 && c.alignment <= 8) {
      EXPECT_EQ(second, first);
    }
    memory.deallocate(second, c.bytes, c.alignment);
  }
}

TEST(PollMemoryTest, KeepsTextApartFromRecords) {
  PollMemory memory;
  std::vector<char*> records;
  for (int i = 0; i < 1000; ++i) {
    records.push_back(static_cast<char*>(memory.allocate(56, 8)));
    EXPECT_NE(memory.allocate(40, 1), nullptr);  // a name's text, between two records
  }
  // Each record follows the one before, except where a new chunk begins.
  int packed = 0;
  for (std::size_t i = 1; i < records.size(); ++i) packed += records[i] == records[i - 1] + 56;
  EXPECT_GE(packed, 990);
}

TEST(PollMemoryTest, KnowsWhetherItsChunksHoldEveryBlock) {
  PollMemory memory;
  EXPECT_TRUE(memory.holdsAllBlocks());
  void* small = memory.allocate(4160, 8);
  EXPECT_TRUE(memory.holdsAllBlocks());
  void* large = memory.allocate(5000, 1);
  void* aligned = memory.allocate(64, 64);
  EXPECT_FALSE(memory.holdsAllBlocks());
  memory.deallocate(large, 5000, 1);
  EXPECT_FALSE(memory.holdsAllBlocks());
  memory.deallocate(aligned, 64, 64);
  EXPECT_TRUE(memory.holdsAllBlocks());
  memory.deallocate(small, 4160, 8);
}

TEST(PollMemoryTest, ChunksGrowGeometrically) {
  PollMemory memory;
  std::vector<void*> blocks;
  std::vector<std::size_t> chunkBytes;
  for (int i = 0; i < 400'000; ++i) {
    blocks.push_back(memory.allocate(72, 8));
    if (chunkBytes.empty() || chunkBytes.back() != memory.chunkBytes()) {
      chunkBytes.push_back(memory.chunkBytes());
    }
  }
  // 400,000 blocks of 72 bytes (27.5 MiB) take a dozen chunks, not thousands.
  EXPECT_LE(chunkBytes.size(), 12u);
  EXPECT_LE(memory.chunkBytes(), std::size_t{64} << 20);
  for (void* block : blocks) memory.deallocate(block, 72, 8);
}

TEST(PollMemoryTest, RemovingAndAddingForLongStaysInBoundedMemory) {
  Poll poll;
  Team team;
  for (int i = 0; i < 300; ++i) {
    team.name = "School " + std::to_string(i) + " with a name long enough for its own block";
    poll.appendTeam(team);
  }
  const PollMemory& memory = *poll.memory();
  const std::size_t start = memory.chunkBytes();
  for (int cycle = 0; cycle < 200'000; ++cycle) {
    poll.removeTeamAt(1 + static_cast<std::size_t>(cycle) % poll.teamCount());
    team.name =
        "School " + std::to_string(cycle) + std::string(static_cast<std::size_t>(cycle % 97), 'x');
    poll.appendTeam(team);
  }
  EXPECT_LE(memory.chunkBytes(), start + (std::size_t{2} << 20));
}

}  // namespace
