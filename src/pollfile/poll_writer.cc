// The poll file writer: each row put together in a small piece of text and handed to the
// stream's buffer in one call.
#include "pollfile/poll_writer.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <streambuf>
#include <string_view>

namespace hoops {

namespace {

constexpr std::size_t kMostDigits = 20;  // of any 64-bit number

// Writes `value` in decimal at `at`, which has room for kMostDigits characters; returns the
// end of the digits.
template <typename Number>
char* putNumber(char* at, Number value) {
  return std::to_chars(at, at + kMostDigits, value).ptr;
}

// Writes the columns after a row's name at `at`: a tab, wins-losses, votes and last week
// ('-' when unranked), tab-separated, and the line end. Returns the end of the text.
char* putNumbers(char* at, const Team& team) {
  *at++ = '\t';
  at = putNumber(at, team.wins);
  *at++ = '-';
  at = putNumber(at, team.losses);
  *at++ = '\t';
  at = putNumber(at, team.votes);
  *at++ = '\t';
  if (team.lastWeek == -1) {
    *at++ = '-';
  } else {
    at = putNumber(at, team.lastWeek);
  }
  *at++ = '\n';
  return at;
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
  // A row is put together here and handed over in one call; a name too long for it goes in a
  // call of its own.
  char row[256];
  constexpr std::size_t kNumbersRoom = 5 * (kMostDigits + 1);  // five numbers, each with a mark
  std::size_t position = 1;
  for (auto team = poll.teams.begin(); written && team != poll.teams.end(); ++team, ++position) {
    char* at = putNumber(row, position);
    *at++ = '\t';
    const std::string_view name = team->name;
    if (name.size() <= sizeof row - kNumbersRoom) {
      std::memcpy(at, name.data(), name.size());
      at += name.size();
    } else {
      written = send(*buffer, {row, static_cast<std::size_t>(at - row)}) && send(*buffer, name);
      at = row;
    }
    at = putNumbers(at, *team);
    written = written && send(*buffer, {row, static_cast<std::size_t>(at - row)});
  }
  if (written) written = buffer->pubsync() == 0;
  if (!written) out.setstate(std::ios::badbit);
  return written;
}

}  // namespace hoops
