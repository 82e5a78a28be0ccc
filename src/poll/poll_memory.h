// The memory that a poll keeps its teams and names in.
#ifndef HOOPS_POLL_POLL_MEMORY_H_
#define HOOPS_POLL_POLL_MEMORY_H_

#include <cstddef>
#include <memory_resource>
#include <vector>

#include "system/mapped_memory.h"

namespace hoops {

// The memory of one poll's teams and names. Blocks are carved in a row from chunks mapped
// from the system, whose size doubles up to a cap (so a large poll's chunks take huge
// pages); names (alignment 1) are carved apart from the records, so that the records lie
// packed for the ranking's walks. A freed block of up to kLargestReused bytes is handed out
// again for the next block of its size, so adding and removing teams for ever stays in
// bounded memory; a larger one waits for the poll to go. Every chunk goes back to the system
// when the memory goes, so it must outlive everything allocated from it. One thread only.
class PollMemory final : public std::pmr::memory_resource {
 public:
  static constexpr std::size_t kLargestReused = 4096 + 64;  // a name the menu takes, and more

  PollMemory() = default;
  ~PollMemory() override;
  PollMemory(const PollMemory&) = delete;
  PollMemory& operator=(const PollMemory&) = delete;

  // The bytes of all chunks held.
  std::size_t chunkBytes() const { return chunkBytes_; }

 private:
  // The unused rest of the newest chunk for one kind of block.
  struct Rest {
    char* next = nullptr;
    char* end = nullptr;
  };
  struct Chunk {
    void* start;
    std::size_t size;
  };

  void* do_allocate(std::size_t bytes, std::size_t alignment) override;
  void do_deallocate(void* block, std::size_t bytes, std::size_t alignment) override;
  bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
    return this == &other;
  }

  // Carves `bytes` aligned to `alignment` from `rest`, starting a new chunk when it is short.
  void* carve(Rest& rest, std::size_t bytes, std::size_t alignment);

  MappedMemory system_;
  std::vector<Chunk> chunks_;
  std::vector<void*> freed_ = std::vector<void*>(kLargestReused + 1);  // by size, linked
  Rest records_;
  Rest text_;
  std::size_t nextChunk_ = std::size_t{64} << 10;
  std::size_t chunkBytes_ = 0;
};

}  // namespace hoops

#endif  // HOOPS_POLL_POLL_MEMORY_H_
