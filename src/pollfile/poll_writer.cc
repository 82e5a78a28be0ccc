// The poll file writer: each row put together in a small piece of text and handed to the
// stream's buffer in one call, its name in another.
#include "pollfile/poll_writer.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <streambuf>
#include <string_view>

namespace {

constexpr std::size_t kMostDigits = 20;  // of any 64-bit number

// Writes `value` in decimal at `at`, which has room for kMostDigits characters; returns the
// end of the digits.
template <typename Number>
char* putNumber(char* at, Number value) {
  return std::to_chars(at, at + kMostDigits, value).ptr;
}

bool send(std::streambuf& out, std::string_view text) {
  const auto size = static_cast<std::streamsize>(text.size());
  return out.sputn(text.data(), size) == size;
}

}  // namespace

bool writePollFile(std::ostream& out, const Poll& poll) {
  std::streambuf* buffer = out.rdbuf();
  if (!out || buffer == nullptr) return false;
  bool written = send(*buffer, std::string_view(poll.date, strnlen(poll.date, sizeof poll.date))) &&
                 send(*buffer, "\n");
  char head[kMostDigits + 1];            // position and tab
  char tail[4 * (kMostDigits + 1) + 1];  // the numbers with their separators, and the line end
  std::size_t position = 1;
  for (auto team = poll.teams.begin(); written && team != poll.teams.end(); ++team, ++position) {
    char* headEnd = putNumber(head, position);
    *headEnd++ = '\t';
    char* at = tail;
    *at++ = '\t';
    at = putNumber(at, team->wins);
    *at++ = '-';
    at = putNumber(at, team->losses);
    *at++ = '\t';
    at = putNumber(at, team->votes);
    *at++ = '\t';
    if (team->lastWeek == -1) {
      *at++ = '-';
    } else {
      at = putNumber(at, team->lastWeek);
    }
    *at++ = '\n';
    written = send(*buffer, {head, static_cast<std::size_t>(headEnd - head)}) &&
              send(*buffer, team->name) &&
              send(*buffer, {tail, static_cast<std::size_t>(at - tail)});
  }
  if (written) written = buffer->pubsync() == 0;
  if (!written) out.setstate(std::ios::badbit);
  return written;
}
