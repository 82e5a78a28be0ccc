// RFC 4180: a header row, then every team with points, by rank. Each row is put together in a
// small piece of text and handed to the stream's buffer in one call, as the poll file writer
// does: a million-team week is written in a blink.
#include <charconv>
#include <cstring>
#include <streambuf>
#include <string>
#include <string_view>

#include "publish/escape.h"
#include "publish/writers.h"

namespace hoops {

namespace {

constexpr std::size_t kMostDigits = 20;  // of any 64-bit number

char* putNumber(char* at, int64_t value) {
  return std::to_chars(at, at + kMostDigits, value).ptr;
}

}  // namespace

void writeCsv(std::ostream& out, const PublishedWeek& week) {
  std::streambuf* buffer = out.rdbuf();
  if (!out || buffer == nullptr) return;
  const auto send = [&](std::string_view text) {
    if (buffer->sputn(text.data(), static_cast<std::streamsize>(text.size())) !=
        static_cast<std::streamsize>(text.size())) {
      out.setstate(std::ios::badbit);
    }
  };
  send("rank,team,first_place_votes,wins,losses,points,last_week,change\r\n");
  char row[512];
  constexpr std::size_t kNameRoom = sizeof row - 8 * (kMostDigits + 1);
  std::string quoted;
  for (const PublishedTeam& team : week.teams) {
    char* at = putNumber(row, team.rank);
    *at++ = ',';
    quoted = csvField(team.name);
    const std::string_view name = quoted;
    if (name.size() <= kNameRoom) {
      std::memcpy(at, name.data(), name.size());
      at += name.size();
    } else {
      send({row, static_cast<std::size_t>(at - row)});
      send(name);
      at = row;
    }
    for (const int64_t number :
         {team.firstPlaceVotes, int64_t{team.wins}, int64_t{team.losses}, team.points}) {
      *at++ = ',';
      at = putNumber(at, number);
    }
    *at++ = ',';
    if (team.lastWeekRank) at = putNumber(at, *team.lastWeekRank);
    *at++ = ',';
    if (team.ranked) {
      const std::string moved = rankChange(team);
      std::memcpy(at, moved.data(), moved.size());
      at += moved.size();
    }
    *at++ = '\r';
    *at++ = '\n';
    send({row, static_cast<std::size_t>(at - row)});
  }
}

}  // namespace hoops
