// JSON: the date, the top, every team with points and the dropped; valid UTF-8 always.
#include <cstdint>
#include <string>
#include <string_view>

#include "poll/date.h"
#include "publish/escape.h"
#include "publish/writers.h"

namespace hoops {

namespace {

// Writes `text` as a JSON string; bytes that are not UTF-8 become U+FFFD, and `notes` says so.
void writeString(std::ostream& out, std::string_view text, std::vector<std::string>& notes) {
  if (writeJsonString(out, text)) {
    notes.push_back("the name '" + std::string(text) +
                    "' is not UTF-8; the JSON has U+FFFD for each byte that is not");
  }
}

}  // namespace

void writeJson(std::ostream& out, const PublishedWeek& week, std::vector<std::string>& notes) {
  out << "{\n  \"title\": ";
  writeString(out, week.title.empty() ? "Top " + std::to_string(week.top) : week.title, notes);
  out << ",\n  \"date\": ";
  writeString(out, isoDate(week.date).value_or(week.date), notes);
  out << ",\n  \"top\": " << week.top << ",\n  \"teams\": [";
  const char* separator = "\n";
  for (const PublishedTeam& team : week.teams) {
    out << separator << "    {\"rank\": " << team.rank << ", \"team\": ";
    writeString(out, team.name, notes);
    out << ", \"first_place_votes\": " << team.firstPlaceVotes << ", \"wins\": " << team.wins
        << ", \"losses\": " << team.losses << ", \"points\": " << team.points
        << ", \"last_week\": " << (team.lastWeekRank ? std::to_string(*team.lastWeekRank) : "null")
        << ", \"change\": ";
    const std::string moved = rankChange(team);
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
    out << ", \"last_week\": " << team.lastWeekRank << '}';
    separator = ",\n";
  }
  out << (week.dropped.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

}  // namespace hoops
