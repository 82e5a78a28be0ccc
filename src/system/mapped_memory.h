// Memory mapped from the system in chunks, for a pool to carve up.
#ifndef HOOPS_SYSTEM_MAPPED_MEMORY_H_
#define HOOPS_SYSTEM_MAPPED_MEMORY_H_

#include <cstddef>
#include <memory_resource>

namespace hoops {

// Hands out whole pages mapped from the system, each allocation its own mapping, given back
// to the system when deallocated. Allocations of 2 MiB and more are aligned to 2 MiB and
// marked for huge pages where the system has them, so a large poll takes one page fault
// per 2 MiB rather than per 4 KiB. Meant as the upstream of a pool, which asks for few, large
// blocks. Throws std::bad_alloc when the system has no memory to map.
class MappedMemory final : public std::pmr::memory_resource {
 private:
  void* do_allocate(std::size_t bytes, std::size_t alignment) override;
  void do_deallocate(void* block, std::size_t bytes, std::size_t alignment) override;
  bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
    return this == &other;
  }
};

}  // namespace hoops

#endif  // HOOPS_SYSTEM_MAPPED_MEMORY_H_
