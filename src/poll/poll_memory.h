// The memory that a poll keeps its teams and names in.
#ifndef HOOPS_POLL_POLL_MEMORY_H_
#define HOOPS_POLL_POLL_MEMORY_H_

#include <array>
#include <cstddef>
#include <memory_resource>

#include "poll/page_populator.h"

// The memory of one poll's teams and names. Small blocks are carved from large chunks whose
// size doubles up to a cap; a freed block is kept by its size and handed out again for the
// next block of that size, so adding and removing teams for ever stays in bounded memory.
// Blocks past the pooled sizes come straight from the global heap. Every chunk is returned
// when the memory goes, so it must outlive everything allocated from it. One thread only.
class PollMemory final : public std::pmr::memory_resource {
 public:
  PollMemory() = default;
  ~PollMemory() override;
  PollMemory(const PollMemory&) = delete;
  PollMemory& operator=(const PollMemory&) = delete;

  // The bytes of all chunks held; pooled blocks never come from anywhere else.
  std::size_t chunkBytes() const { return chunkBytes_; }

  // True when every block handed out and not yet returned lies in the chunks, so that the
  // memory going frees all of them.
  bool holdsAllBlocks() const { return largeBlocks_ == 0; }

 private:
  static constexpr std::size_t kGranule = alignof(std::max_align_t) / 2;  // 8: a list node's
  static constexpr std::size_t kLargestPooled = 4096 + 64;  // a name the menu takes, and more
  static constexpr std::size_t kFirstChunk = std::size_t{64} << 10;
  static constexpr std::size_t kLargestChunk = std::size_t{64} << 20;

  struct FreeBlock {
    FreeBlock* next;
  };
  struct Chunk {
    Chunk* previous;
    std::size_t size;
  };

  void* do_allocate(std::size_t bytes, std::size_t alignment) override;
  void do_deallocate(void* block, std::size_t bytes, std::size_t alignment) override;
  bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
    return this == &other;
  }

  // The unused rest of the newest chunk for one kind of block. In a large chunk the pages
  // from `readyTo` on are made ready a window ahead of `next`.
  struct Free {
    char* next = nullptr;
    char* end = nullptr;
    char* readyTo = nullptr;
  };

  // Asks for the next window of pages past `free.next` to be made ready.
  void prepareAhead(Free& free);

  // Starts a new chunk with room for at least `bytes` and makes it the rest of `free`.
  void addChunk(std::size_t bytes, Free& free);

  std::array<FreeBlock*, kLargestPooled / kGranule + 1> freeBlocks_{};
  Chunk* chunks_ = nullptr;
  // Text (names, allocated with alignment 1) is carved from chunks of its own, so that the
  // records stay packed together and a walk over the teams reads only records.
  Free records_;
  Free text_;
  std::size_t nextChunk_ = kFirstChunk;
  std::size_t chunkBytes_ = 0;
  std::size_t largeBlocks_ = 0;  // blocks from the global heap not yet returned
  PagePopulator populator_;
};

#endif  // HOOPS_POLL_POLL_MEMORY_H_
