// Mapping and unmapping anonymous memory, with the huge-page hint where Linux offers it.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <new>

#include "system/mapped_memory.h"

namespace hoops {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t pageSize() {
  static const std::size_t size = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return size;
}

constexpr std::size_t roundUp(std::size_t value, std::size_t step) {
  return (value + step - 1) / step * step;
}

// The size of the mapping behind an allocation of `bytes`.
std::size_t mappedSize(std::size_t bytes) {
  return roundUp(bytes == 0 ? 1 : bytes, bytes >= kHugePage ? kHugePage : pageSize());
}

void* map(std::size_t size) {
  void* start = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (start == MAP_FAILED) throw std::bad_alloc();
  return start;
}

}  // namespace

void* MappedMemory::do_allocate(std::size_t bytes, std::size_t alignment) {
  const std::size_t size = mappedSize(bytes);
  const std::size_t boundary = size >= kHugePage ? kHugePage : pageSize();
  if (alignment > boundary || size < bytes) throw std::bad_alloc();
  if (boundary == pageSize()) return map(size);
  // A huge page needs a 2 MiB boundary: map a little more, then give back the ends.
  if (size + kHugePage < size) throw std::bad_alloc();
  char* start = static_cast<char*>(map(size + kHugePage));
  const auto address = reinterpret_cast<std::uintptr_t>(start);
  char* aligned = start + (roundUp(address, kHugePage) - address);
  if (aligned != start) munmap(start, static_cast<std::size_t>(aligned - start));
  const std::size_t tail = static_cast<std::size_t>(start + size + kHugePage - (aligned + size));
  if (tail > 0) munmap(aligned + size, tail);
#if defined(MADV_HUGEPAGE)
  madvise(aligned, size, MADV_HUGEPAGE);  // only a hint: without it, pages stay small
#endif
  return aligned;
}

void MappedMemory::do_deallocate(void* block, std::size_t bytes, std::size_t) {
  munmap(block, mappedSize(bytes));
}

}  // namespace hoops
