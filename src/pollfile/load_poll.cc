#include <cstring>
#include <fstream>

#include "poll/date.h"
#include "poll/poll.h"
#include "pollfile/poll_reader.h"

bool Poll::loadPoll(const std::string& path) {
  std::ifstream file(path);
  if (!file.is_open()) return false;
  // The whole file is read before the poll changes, so a read error leaves it as it was.
  PollFileContent content;
  if (!readPollFile(file, content)) return false;
  advanceWeek(content.date);
  std::memcpy(date, content.date, sizeof date);
  clearTeams();
  teams.splice(teams.end(), content.teams);
  return true;
}
