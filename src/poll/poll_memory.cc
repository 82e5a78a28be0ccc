// The poll's own memory: blocks carved in a row, freed blocks reused by size.
#include "poll/poll_memory.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace hoops {

namespace {

constexpr std::size_t kLargestChunk = std::size_t{64} << 20;

// The size a block is carved and kept at: room for the link of the freed blocks' list.
std::size_t blockSize(std::size_t bytes) {
  return bytes < sizeof(void*) ? sizeof(void*) : bytes;
}

// A freed block holds the next freed block of its size; copied as bytes, since a block
// needs no more alignment than it was asked for.
void* nextOf(void* block) {
  void* next;
  std::memcpy(&next, block, sizeof next);
  return next;
}
void setNext(void* block, void* next) {
  std::memcpy(block, &next, sizeof next);
}

}  // namespace

PollMemory::~PollMemory() {
  for (const Chunk& chunk : chunks_) system_.deallocate(chunk.start, chunk.size);
}

void* PollMemory::carve(Rest& rest, std::size_t bytes, std::size_t alignment) {
  void* at = rest.next;
  auto room = static_cast<std::size_t>(rest.end - rest.next);
  if (rest.next == nullptr || std::align(alignment, bytes, at, room) == nullptr) {
    std::size_t size = nextChunk_;
    while (size < bytes + alignment) size *= 2;
    chunks_.reserve(chunks_.size() + 1);  // so that a chunk is never lost to a failed push
    at = system_.allocate(size, alignof(std::max_align_t));
    chunks_.push_back({at, size});
    chunkBytes_ += size;
    if (nextChunk_ < kLargestChunk) nextChunk_ *= 2;
    room = size;
    rest.end = static_cast<char*>(at) + size;
    std::align(alignment, bytes, at, room);
  }
  rest.next = static_cast<char*>(at) + bytes;
  return at;
}

void* PollMemory::do_allocate(std::size_t bytes, std::size_t alignment) {
  const std::size_t size = blockSize(bytes);
  if (size <= kLargestReused) {
    void*& freed = freed_[size];
    if (freed != nullptr && reinterpret_cast<std::uintptr_t>(freed) % alignment == 0) {
      void* block = freed;
      freed = nextOf(block);
      return block;
    }
  }
  return carve(alignment == 1 ? text_ : records_, size, alignment);
}

void PollMemory::do_deallocate(void* block, std::size_t bytes, std::size_t) {
  const std::size_t size = blockSize(bytes);
  if (size > kLargestReused) return;  // kept until the memory goes
  setNext(block, freed_[size]);
  freed_[size] = block;
}

}  // namespace hoops
