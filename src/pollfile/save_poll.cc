#include "pollfile/save_poll.h"

#include <charconv>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <string_view>

namespace {

// Collects the file text in a block and hands it to the stream a block at a time.
class BlockWriter {
 public:
  explicit BlockWriter(std::ostream& out) : out_(out) {}

  void put(std::string_view text) {
    if (text.size() > sizeof block_ - used_) {
      flush();
      if (text.size() > sizeof block_) {
        out_.write(text.data(), static_cast<std::streamsize>(text.size()));
        return;
      }
    }
    std::memcpy(block_ + used_, text.data(), text.size());
    used_ += text.size();
  }

  void put(char c) { put(std::string_view(&c, 1)); }

  void put(long long value) {
    char digits[24];
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    put(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
  }

  void flush() {
    out_.write(block_, static_cast<std::streamsize>(used_));
    used_ = 0;
  }

 private:
  std::ostream& out_;
  char block_[1 << 16];
  std::size_t used_ = 0;
};

}  // namespace

bool writePollFile(std::ostream& out, const Poll& poll) {
  BlockWriter writer(out);
  writer.put(std::string_view(poll.date, strnlen(poll.date, sizeof poll.date)));
  writer.put('\n');
  long long position = 1;
  for (const Team& team : poll.teams) {
    writer.put(position++);
    writer.put('\t');
    writer.put(team.name);
    writer.put('\t');
    writer.put(static_cast<long long>(team.wins));
    writer.put('-');
    writer.put(static_cast<long long>(team.losses));
    writer.put('\t');
    writer.put(static_cast<long long>(team.votes));
    writer.put('\t');
    if (team.lastWeek == -1) {
      writer.put('-');
    } else {
      writer.put(static_cast<long long>(team.lastWeek));
    }
    writer.put('\n');
  }
  writer.flush();
  out.flush();
  return !out.fail();
}

bool savePoll(const Poll& poll, const std::string& path) {
  std::ofstream file(path, std::ios::out | std::ios::trunc);
  if (!file.is_open()) return false;
  bool written = writePollFile(file, poll);
  file.close();
  return written && !file.fail();
}
