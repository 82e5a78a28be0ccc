// Team names: one exact block each, its length first.
#include "poll/team_name.h"

#include <limits>
#include <new>
#include <utility>

TeamName::TeamName(TeamName&& other, const allocator_type& memory) : memory_(memory) {
  if (memory_ == other.memory_) {
    block_ = std::exchange(other.block_, nullptr);
  } else {
    assign(other);
  }
}

TeamName& TeamName::operator=(TeamName&& other) {  // NOLINT(performance-noexcept-move-constructor)
  if (this == &other) return *this;
  if (memory_ == other.memory_) {
    release();
    block_ = std::exchange(other.block_, nullptr);
  } else {
    assign(other);
  }
  return *this;
}

void TeamName::assign(std::string_view text) {
  if (text.size() == size()) {
    if (!text.empty()) std::memmove(block_ + kHeader, text.data(), text.size());
    return;
  }
  if (text.size() > std::numeric_limits<uint32_t>::max()) throw std::bad_alloc();
  char* block = nullptr;
  if (!text.empty()) {
    // The new block first, so that a failure leaves the name as it was.
    block = static_cast<char*>(memory_.allocate_bytes(kHeader + text.size(), 1));
    const auto size = static_cast<uint32_t>(text.size());
    std::memcpy(block, &size, sizeof size);
    std::memcpy(block + kHeader, text.data(), text.size());
  }
  release();
  block_ = block;
}

void TeamName::release() noexcept {
  if (block_ != nullptr) memory_.deallocate_bytes(block_, kHeader + size(), 1);
  block_ = nullptr;
}
