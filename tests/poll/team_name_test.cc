// Team names: exact blocks in the memory they were made with, and no change on failure.
#include "poll/team_name.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <memory_resource>
#include <new>
#include <sstream>
#include <string>

namespace {

// Counts the bytes handed out and returned, so a test sees where a name's text lives.
class CountingMemory final : public std::pmr::memory_resource {
 public:
  std::size_t held = 0;
  int blocks = 0;

 private:
  void* do_allocate(std::size_t bytes, std::size_t alignment) override {
    held += bytes;
    ++blocks;
    return std::pmr::new_delete_resource()->allocate(bytes, alignment);
  }
  void do_deallocate(void* block, std::size_t bytes, std::size_t alignment) override {
    held -= bytes;
    --blocks;
    std::pmr::new_delete_resource()->deallocate(block, bytes, alignment);
  }
  bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
    return this == &other;
  }
};

TEST(TeamNameTest, AssignKeepsTheTextInItsOwnMemory) {
  struct Case {
    const char* label;
    std::string first;
    std::string second;  // assigned after `first`
    std::size_t heldAfter;
  };
  const Case cases[] = {
      {"empty holds nothing", "", "", 0},
      {"a name takes its length and four bytes for it", "", "Kansas", 10},
      {"an empty name gives its block back", "Kansas", "", 0},
      {"the same length keeps the block", "Kansas", "Kansai", 10},
      {"another length takes a new block", "Kansas", "Kansas State", 16},
      {"a long name", "A", std::string(5000, 'x'), 5004},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    CountingMemory memory;
    {
      TeamName name(&memory);
      name = c.first;
      EXPECT_EQ(name, c.first);
      name = c.second;
      EXPECT_EQ(name, c.second);
      EXPECT_EQ(name.size(), c.second.size());
      EXPECT_EQ(name.empty(), c.second.empty());
      EXPECT_EQ(memory.held, c.heldAfter);
      EXPECT_LE(memory.blocks, 1);
    }
    EXPECT_EQ(memory.held, 0u);
  }
}

TEST(TeamNameTest, CopiesAndMovesFollowTheirMemory) {
  CountingMemory poll;
  CountingMemory other;
  TeamName name(&poll);
  name = "Northern Alabama Lakes University";

  TeamName copy(name);  // a plain copy shares nothing and lives on the global heap
  EXPECT_EQ(copy, name.view());
  EXPECT_EQ(copy.get_allocator().resource(), std::pmr::get_default_resource());

  TeamName elsewhere(std::move(copy), &other);  // other memory: the text is copied there
  EXPECT_EQ(elsewhere, name.view());
  EXPECT_EQ(other.blocks, 1);

  TeamName taken(std::move(name), &poll);  // same memory: the block itself moves
  EXPECT_TRUE(name.empty());               // NOLINT(bugprone-use-after-move): the moved-from state
  EXPECT_EQ(taken, "Northern Alabama Lakes University");
  EXPECT_EQ(poll.blocks, 1);

  taken = elsewhere;  // assignment keeps the target's memory
  EXPECT_EQ(taken.get_allocator().resource(), &poll);
  const TeamName& itself = taken;
  taken = itself;
  EXPECT_EQ(taken, "Northern Alabama Lakes University");
  taken = taken.view().substr(9, 5);  // text from the name's own block
  EXPECT_EQ(taken, "Alaba");
}

TEST(TeamNameTest, FailingMemoryLeavesTheNameAsItWas) {
  TeamName name(std::pmr::null_memory_resource());
  name = "";
  EXPECT_THROW(name = "Kansas", std::bad_alloc);
  EXPECT_TRUE(name.empty());

  CountingMemory memory;
  TeamName held(&memory);
  held = "Kansas";
  TeamName failing(std::pmr::null_memory_resource());
  EXPECT_THROW(failing = held, std::bad_alloc);
  EXPECT_EQ(held, "Kansas");
}

TEST(TeamNameTest, PrintsWithTheStreamsWidth) {
  TeamName name;
  name = "Duke";
  std::ostringstream out;
  out << '[' << std::setw(8) << std::left << name << ']';
  EXPECT_EQ(out.str(), "[Duke    ]");
}

}  // namespace
