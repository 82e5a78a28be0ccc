// A team's name, kept in the memory of the poll it belongs to.
#ifndef HOOPS_POLL_TEAM_NAME_H_
#define HOOPS_POLL_TEAM_NAME_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory_resource>
#include <ostream>
#include <string_view>

// The text of a team's name, in one block from the allocator the name was made with (the
// global heap by default) that holds its length and then its characters; an empty name
// holds no block. At 16 bytes it is less than half a string with its allocator, which keeps
// a team, and so each list node of a poll, small: walking and sorting a large poll reads
// that much less memory. Text up to 4 GiB - 1 bytes; a longer one throws std::bad_alloc,
// as memory running out would.
class TeamName {
 public:
  using allocator_type = std::pmr::polymorphic_allocator<>;

  TeamName() noexcept = default;
  explicit TeamName(const allocator_type& memory) noexcept : memory_(memory) {}
  // A copy lives on the global heap, or in `memory`; a move takes the other's block when
  // both use the same memory, and leaves the other empty.
  TeamName(const TeamName& other) : TeamName(other, allocator_type{}) {}
  TeamName(const TeamName& other, const allocator_type& memory) : memory_(memory) { assign(other); }
  TeamName(TeamName&& other) noexcept : memory_(other.memory_), block_(other.block_) {
    other.block_ = nullptr;
  }
  TeamName(TeamName&& other, const allocator_type& memory);
  TeamName& operator=(const TeamName& other) {
    if (this != &other) assign(other);
    return *this;
  }
  // Copies when the other name lives in other memory, which can fail: not noexcept, like a
  // string's with such allocators.
  TeamName& operator=(TeamName&& other);  // NOLINT(performance-noexcept-move-constructor)
  TeamName& operator=(std::string_view text) {
    assign(text);
    return *this;
  }
  ~TeamName() { release(); }

  // Replaces the text with `text`; on failure the name is unchanged.
  void assign(std::string_view text);

  std::size_t size() const noexcept {
    if (block_ == nullptr) return 0;
    uint32_t size;
    std::memcpy(&size, block_, sizeof size);
    return size;
  }
  bool empty() const noexcept { return block_ == nullptr; }
  std::string_view view() const noexcept {
    return block_ == nullptr ? std::string_view() : std::string_view(block_ + kHeader, size());
  }
  operator std::string_view() const noexcept { return view(); }
  allocator_type get_allocator() const noexcept { return memory_; }

  friend bool operator==(const TeamName& name, std::string_view text) noexcept {
    return name.view() == text;
  }
  friend std::ostream& operator<<(std::ostream& out, const TeamName& name) {
    return out << name.view();
  }

 private:
  static constexpr std::size_t kHeader = sizeof(uint32_t);  // the length, before the text

  void release() noexcept;

  allocator_type memory_;
  char* block_ = nullptr;
};

#endif  // HOOPS_POLL_TEAM_NAME_H_
