// Reserving and committing memory with VirtualAlloc.
#include <windows.h>

#include <new>

#include "system/mapped_memory.h"

namespace hoops {

void* MappedMemory::do_allocate(std::size_t bytes, std::size_t alignment) {
  // Allocations start on the system's 64 KiB allocation boundary.
  if (alignment > 65536) throw std::bad_alloc();
  void* block =
      VirtualAlloc(nullptr, bytes == 0 ? 1 : bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void MappedMemory::do_deallocate(void* block, std::size_t, std::size_t) {
  VirtualFree(block, 0, MEM_RELEASE);
}

}  // namespace hoops
