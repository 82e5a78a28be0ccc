// Memory mapped from the system: aligned as asked, writable, large chunks on huge-page bounds
// where the system has them.
#include "system/mapped_memory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace hoops {

namespace {

TEST(MappedMemoryTest, BlocksAreAlignedAndWritable) {
  struct Case {
    std::size_t bytes;
    std::size_t alignment;
    std::size_t boundary;  // the address is a multiple of this
  };
  const std::size_t twoMiB = std::size_t{2} << 20;
#if defined(_WIN32)
  const std::size_t large = 65536;  // the allocation boundary; huge pages need a privilege
#else
  const std::size_t large = twoMiB;  // a huge page's
#endif
  const Case cases[] = {{1, 1, 1},         {72, 8, 8},         {4096, 64, 64},
                        {100'000, 16, 16}, {twoMiB, 8, large}, {3 * twoMiB + 5, 1, large}};
  MappedMemory memory;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.bytes) + " bytes aligned to " + std::to_string(c.alignment));
    void* block = memory.allocate(c.bytes, c.alignment);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % c.boundary, 0u);
    std::memset(block, 0x5a, c.bytes);
    memory.deallocate(block, c.bytes, c.alignment);
  }
}

}  // namespace

}  // namespace hoops
