// Pages made ready ahead of use: resident afterwards, their bytes unchanged.
#include "poll/page_populator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <thread>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
TEST(PagePopulatorTest, MakesPagesResidentWithoutChangingThem) {
  const std::size_t size = std::size_t{8} << 20;
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  void* mapped = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(mapped, MAP_FAILED);
  char* memory = static_cast<char*>(mapped);
  if (madvise(memory, page, MADV_POPULATE_WRITE) != 0) {
    munmap(mapped, size);
    GTEST_SKIP() << "this kernel cannot make pages ready in advance";
  }
  memory[0] = 'x';  // a byte written before: it must survive

  PagePopulator populator;
  populator.populate(memory + size / 2, size / 2);  // replaced if not yet taken up
  populator.populate(memory, size);
  // The second thread works on its own time: wait for it, up to a few seconds.
  std::vector<unsigned char> resident(size / page);
  std::size_t ready = 0;
  for (int wait = 0; wait < 300 && ready < resident.size(); ++wait) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(mincore(memory, size, resident.data()), 0);
    ready = 0;
    for (unsigned char flags : resident) ready += flags & 1;
  }
  EXPECT_EQ(ready, resident.size());
  populator.stop();
  EXPECT_EQ(memory[0], 'x');
  EXPECT_EQ(memory[size - 1], 0);

  populator.populate(memory, page);  // usable again after a stop
  populator.stop();
  munmap(mapped, size);
}
#endif

TEST(PagePopulatorTest, StoppingWithNothingAskedIsHarmless) {
  PagePopulator populator;
  populator.stop();
  populator.stop();
}

}  // namespace
