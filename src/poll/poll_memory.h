// The memory that a poll keeps its teams and names in.
#ifndef HOOPS_POLL_POLL_MEMORY_H_
#define HOOPS_POLL_POLL_MEMORY_H_

#include <cstddef>
#include <memory_resource>

#include "system/mapped_memory.h"

// The memory of one poll's teams and names: a standard pool, so that a freed team's block
// is used again by the next, over chunks mapped from the system (huge pages for a large
// poll). Everything goes back to the system at once when the memory goes, so it must
// outlive everything allocated from it. One thread only.
class PollMemory {
 public:
  PollMemory() = default;
  PollMemory(const PollMemory&) = delete;
  PollMemory& operator=(const PollMemory&) = delete;

  std::pmr::memory_resource* resource() { return &pool_; }

 private:
  // Blocks up to a name the menu takes come from pools; chunks grow to thousands of blocks,
  // so a large poll's chunks are large enough for huge pages.
  static constexpr std::pmr::pool_options kOptions{std::size_t{1} << 16, 4096 + 64};

  MappedMemory chunks_;  // declared first: it outlives the pool that carves it up
  std::pmr::unsynchronized_pool_resource pool_{kOptions, &chunks_};
};

#endif  // HOOPS_POLL_POLL_MEMORY_H_
