// The poll's own memory: chunks, reuse of freed blocks by size, the huge-page hint.
#include "poll/poll_memory.h"

#include <algorithm>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

// The first write to each fresh 4 KiB page costs the kernel a page fault, and loading a
// large poll writes to every page of its chunks once: that first touch, not the parsing,
// dominates its time. A chunk marked for transparent huge pages takes one fault per 2 MiB.
// Where the system has no such hint this does nothing.
void adviseHugePages([[maybe_unused]] void* start, [[maybe_unused]] std::size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  madvise(start, size, MADV_HUGEPAGE);
#endif
}

// How far ahead of use the pages of a large chunk are made ready: far enough that they
// are ready when reached, near enough that a load ending mid-chunk holds few unused ones.
constexpr std::size_t kReadyWindow = 2 * kHugePage;

constexpr std::size_t roundUp(std::size_t value, std::size_t step) {
  return (value + step - 1) / step * step;
}

}  // namespace

PollMemory::~PollMemory() {
  populator_.stop();  // before the chunks it may be working on go
  while (chunks_ != nullptr) {
    Chunk* chunk = chunks_;
    chunks_ = chunk->previous;
    if (chunk->size >= kHugePage) {
      ::operator delete (chunk, std::align_val_t{kHugePage});
    } else {
      ::operator delete(chunk);
    }
  }
}

void PollMemory::addChunk(std::size_t bytes, Free& free) {
  std::size_t size = nextChunk_;
  while (size < bytes + sizeof(Chunk)) size *= 2;
  void* start;
  if (size >= kHugePage) {
    size = roundUp(size, kHugePage);
    start = ::operator new (size, std::align_val_t{kHugePage});
    adviseHugePages(start, size);
  } else {
    start = ::operator new(size);
  }
  chunks_ = new (start) Chunk{chunks_, size};
  chunkBytes_ += size;
  free.next = static_cast<char*>(start) + roundUp(sizeof(Chunk), kGranule);
  free.end = static_cast<char*>(start) + size;
  // Pages of small chunks are left to their first use; a large chunk's first window too,
  // as it is used at once.
  free.readyTo = size >= kHugePage ? static_cast<char*>(start) : free.end;
  if (nextChunk_ < kLargestChunk) nextChunk_ *= 2;
}

void* PollMemory::do_allocate(std::size_t bytes, std::size_t alignment) {
  if (bytes > kLargestPooled || alignment > kGranule) {
    void* block = ::operator new (bytes, std::align_val_t{alignment});
    ++largeBlocks_;
    return block;
  }
  const std::size_t size = roundUp(bytes == 0 ? 1 : bytes, kGranule);
  FreeBlock*& reused = freeBlocks_[size / kGranule];
  if (reused != nullptr) {
    FreeBlock* block = reused;
    reused = block->next;
    return block;
  }
  Free& free = alignment == 1 ? text_ : records_;
  if (static_cast<std::size_t>(free.end - free.next) < size) addChunk(size, free);
  void* block = free.next;
  free.next += size;
  if (free.next > free.readyTo) prepareAhead(free);
  return block;
}

void PollMemory::prepareAhead(Free& free) {
  char* start = free.readyTo + kReadyWindow;
  free.readyTo = start < free.end ? start : free.end;
  if (start < free.end) {
    populator_.populate(start, std::min(kReadyWindow, static_cast<std::size_t>(free.end - start)));
  }
}

void PollMemory::do_deallocate(void* block, std::size_t bytes, std::size_t alignment) {
  if (bytes > kLargestPooled || alignment > kGranule) {
    ::operator delete (block, std::align_val_t{alignment});
    --largeBlocks_;
    return;
  }
  const std::size_t size = roundUp(bytes == 0 ? 1 : bytes, kGranule);
  FreeBlock*& reused = freeBlocks_[size / kGranule];
  reused = new (block) FreeBlock{reused};
}
