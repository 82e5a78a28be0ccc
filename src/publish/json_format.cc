// JSON: the date, the top, every team with points and the dropped; valid UTF-8 always.
#include <cstdint>
#include <string>
#include <string_view>

#include "publish/writers.h"

namespace {

// The length of the valid UTF-8 character at the start of `text`, or 0 when it is not one
// (overlong forms, surrogates and code points past U+10FFFF are not).
std::size_t characterLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char first = byte(0);
  if (first < 0x80) return 1;
  std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC2 ? 2 : 0;
  if (length == 0 || first > 0xF4 || text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
  }
  const unsigned char second = byte(1);
  if ((first == 0xE0 && second < 0xA0) || (first == 0xED && second >= 0xA0) ||
      (first == 0xF0 && second < 0x90) || (first == 0xF4 && second >= 0x90)) {
    return 0;
  }
  return length;
}

// Writes `text` as a JSON string; bytes that are not UTF-8 become U+FFFD, and `notes` says so.
void writeString(std::ostream& out, std::string_view text, std::vector<std::string>& notes) {
  out << '"';
  bool replaced = false;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = characterLength(text.substr(at));
    if (length == 0) {
      out << "\xEF\xBF\xBD";
      replaced = true;
      ++at;
      continue;
    }
    const char c = text[at];
    if (c == '"' || c == '\\') {
      out << '\\' << c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      constexpr char kHex[] = "0123456789abcdef";
      out << "\\u00" << kHex[(c >> 4) & 0xF] << kHex[c & 0xF];
    } else {
      out << text.substr(at, length);
    }
    at += length;
  }
  out << '"';
  if (replaced) {
    notes.push_back("the name '" + std::string(text) +
                    "' is not UTF-8; the JSON has U+FFFD for each byte that is not");
  }
}

}  // namespace

void writeJson(std::ostream& out, const PublishedWeek& week, std::vector<std::string>& notes) {
  out << "{\n  \"date\": ";
  writeString(out, week.date, notes);
  out << ",\n  \"top\": " << week.top << ",\n  \"teams\": [";
  const char* separator = "\n";
  for (const PublishedTeam& team : week.teams) {
    out << separator << "    {\"rank\": " << team.rank << ", \"team\": ";
    writeString(out, team.name, notes);
    out << ", \"first_place_votes\": " << team.firstPlaceVotes << ", \"wins\": " << team.wins
        << ", \"losses\": " << team.losses << ", \"points\": " << team.points
        << ", \"last_week\": " << (team.lastWeek ? std::to_string(*team.lastWeek) : "null")
        << ", \"change\": ";
    const std::string moved = change(team);
    out << (moved.empty()          ? "null"
            : moved == "NEW"       ? "\"NEW\""
            : moved.front() == '+' ? moved.substr(1)
                                   : moved)
        << '}';
    separator = ",\n";
  }
  out << (week.teams.empty() ? "],\n" : "\n  ],\n") << "  \"dropped\": [";
  separator = "\n";
  for (const PublishedWeek::Dropped& team : week.dropped) {
    out << separator << "    {\"team\": ";
    writeString(out, team.name, notes);
    out << ", \"last_week\": " << team.lastWeek << '}';
    separator = ",\n";
  }
  out << (week.dropped.empty() ? "]\n}\n" : "\n  ]\n}\n");
}
