// Team names: exact-size blocks, growth by doubling when text is added piece by piece.
#include "poll/team_name.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

namespace {

constexpr std::size_t kLongestName = std::numeric_limits<uint32_t>::max();

}  // namespace

TeamName::TeamName(TeamName&& other, const allocator_type& memory) : memory_(memory) {
  if (memory_ == other.memory_) {
    take(other);
  } else {
    assign(other);
  }
}

TeamName& TeamName::operator=(TeamName&& other) {
  if (this == &other) return *this;
  if (memory_ == other.memory_) {
    release();
    take(other);
  } else {
    assign(other);
  }
  return *this;
}

void TeamName::assign(std::string_view text) {
  if (text.size() > capacity_) {
    // A new block first, so that a failure leaves the name as it was.
    if (text.size() > kLongestName) throw std::bad_alloc();
    char* block = static_cast<char*>(memory_.allocate_bytes(text.size(), 1));
    release();
    text_ = block;
    capacity_ = static_cast<uint32_t>(text.size());
  }
  if (!text.empty()) std::memmove(text_, text.data(), text.size());
  size_ = static_cast<uint32_t>(text.size());
}

void TeamName::append(std::string_view text) {
  if (text.size() > kLongestName - size_) throw std::bad_alloc();
  const std::size_t size = size_ + text.size();
  if (size <= capacity_) {
    if (!text.empty()) std::memcpy(text_ + size_, text.data(), text.size());
    size_ = static_cast<uint32_t>(size);
    return;
  }
  // Doubling keeps a name read in many pieces from being copied over and over. The old
  // block goes last, as `text` may lie in it.
  const std::size_t capacity = std::max(size, std::min(kLongestName, std::size_t{2} * capacity_));
  char* block = static_cast<char*>(memory_.allocate_bytes(capacity, 1));
  if (size_ > 0) std::memcpy(block, text_, size_);
  if (!text.empty()) std::memcpy(block + size_, text.data(), text.size());
  release();
  text_ = block;
  size_ = static_cast<uint32_t>(size);
  capacity_ = static_cast<uint32_t>(capacity);
}

void TeamName::take(TeamName& other) noexcept {
  text_ = std::exchange(other.text_, nullptr);
  size_ = std::exchange(other.size_, 0);
  capacity_ = std::exchange(other.capacity_, 0);
}

void TeamName::release() noexcept {
  if (text_ != nullptr) memory_.deallocate_bytes(text_, capacity_, 1);
  text_ = nullptr;
  size_ = 0;
  capacity_ = 0;
}
