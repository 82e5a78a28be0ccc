// A team's name, kept in the memory of the poll it belongs to.
#ifndef HOOPS_POLL_TEAM_NAME_H_
#define HOOPS_POLL_TEAM_NAME_H_

#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <ostream>
#include <string_view>

// The text of a team's name, in a block from the allocator the name was made with (the
// global heap by default); an empty name holds no block. It is a third the size of a
// string with its allocator, which keeps the team, and so each list node of a poll, small:
// walking and sorting a large poll reads that much less memory. Text up to 4 GiB - 1 bytes;
// a longer one throws std::bad_alloc, as memory running out would.
class TeamName {
 public:
  using allocator_type = std::pmr::polymorphic_allocator<>;

  TeamName() noexcept = default;
  explicit TeamName(const allocator_type& memory) noexcept : memory_(memory) {}
  // A copy lives on the global heap, or in `memory`; a move takes the other's block when
  // both use the same memory, and leaves the other empty.
  TeamName(const TeamName& other) : TeamName(other, allocator_type{}) {}
  TeamName(const TeamName& other, const allocator_type& memory) : memory_(memory) { assign(other); }
  TeamName(TeamName&& other) noexcept : memory_(other.memory_) { take(other); }
  TeamName(TeamName&& other, const allocator_type& memory);
  TeamName& operator=(const TeamName& other) {
    assign(other);
    return *this;
  }
  TeamName& operator=(TeamName&& other);
  TeamName& operator=(std::string_view text) {
    assign(text);
    return *this;
  }
  ~TeamName() { release(); }

  // Replaces the text with `text`; on failure the name is unchanged.
  void assign(std::string_view text);
  // Adds `text` at the end; on failure the name is unchanged.
  void append(std::string_view text);

  std::string_view view() const noexcept { return {text_, size_}; }
  operator std::string_view() const noexcept { return view(); }
  std::size_t size() const noexcept { return size_; }
  bool empty() const noexcept { return size_ == 0; }
  allocator_type get_allocator() const noexcept { return memory_; }

  friend bool operator==(const TeamName& name, std::string_view text) noexcept {
    return name.view() == text;
  }
  friend std::ostream& operator<<(std::ostream& out, const TeamName& name) {
    return out << name.view();
  }

 private:
  // Takes the other's block, leaving it empty; both use the same memory.
  void take(TeamName& other) noexcept;
  void release() noexcept;

  allocator_type memory_;
  char* text_ = nullptr;
  uint32_t size_ = 0;
  uint32_t capacity_ = 0;
};

#endif  // HOOPS_POLL_TEAM_NAME_H_
