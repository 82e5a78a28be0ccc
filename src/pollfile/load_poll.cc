// Loading a poll file into the poll: a new week begins.
#include <fstream>
#include <new>
#include <utility>

#include "poll/date.h"
#include "poll/poll.h"
#include "pollfile/poll_reader.h"

bool Poll::loadPoll(const std::string& path) {
  std::ifstream file(path);
  if (!file.is_open()) return false;
  try {
    // The file is read whole into a poll of its own before this one changes, so a read
    // error leaves it as it was.
    Poll loaded;
    if (!readPollFile(file, loaded)) return false;
    advanceWeek(loaded.date);
    *this = std::move(loaded);
    return true;
  } catch (const std::bad_alloc&) {
    return false;  // a file too large for the memory left counts as one that cannot be read
  }
}
