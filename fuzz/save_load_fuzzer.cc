// A poll of teams that the menu would accept, saved and loaded again without ranking, gives
// back the same teams in the same order, each with its position as last week's rank. Only
// leading blanks of a name are lost. A first save that fails at one call of the file layer
// is reported and leaves the file before it whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "make_team.h"
#include "poll/poll.h"
#include "pollfile/load_poll.h"
#include "pollfile/poll_name.h"
#include "pollfile/save_poll.h"
#include "system/failing_file_system.h"
#include "system/memory_file_system.h"

// The program's own names, in this file that drives them.
using namespace hoops;  // NOLINT(google-build-using-namespace)

namespace {

// Reads a little-endian count from the input, limited to 0..2147483647.
int32_t takeCount(const uint8_t*& data, size_t& size) {
  uint32_t value = 0;
  for (int i = 0; i < 4 && size > 0; ++i, ++data, --size) value |= uint32_t{*data} << (8 * i);
  return static_cast<int32_t>(value & 0x7fffffffu);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first byte picks the call of the file layer that fails in the first save.
  if (size == 0) return 0;
  const int failAt = data[0] % 12;
  ++data;
  --size;
  Poll poll;
  setDate(poll.date, "March 28 2010");
  // Each team: a name up to a line feed, then wins, losses and votes as 4 bytes each.
  while (size > 0) {
    const uint8_t* end = static_cast<const uint8_t*>(std::memchr(data, '\n', size));
    size_t length = end == nullptr ? size : static_cast<size_t>(end - data);
    Team team;
    team.name.assign(std::string_view(reinterpret_cast<const char*>(data), length));
    data += length;
    size -= length;
    if (size > 0) {
      ++data;
      --size;
    }
    team.wins = takeCount(data, size);
    team.losses = takeCount(data, size);
    team.votes = takeCount(data, size);
    if (isStorableName(team.name)) poll.appendTeam(team);
  }
  // A save that fails at one call of the file layer leaves the last file as it was. Files
  // live in memory, so that each case takes no disk time and the fuzzer explores.
  static MemoryFileSystem files;
  const std::string path = "poll.txt";
  const std::string before = files.contentOf(path);
  FailingFileSystem failing(failAt, files);
  const bool saved = savePoll(poll, path, nullptr, nullptr, failing);
  // Only the close of a descriptor the save no longer needs, or the system's name of the file
  // (the path's own folder serves), leaves a save whole.
  if (failing.failed().empty()) {
    if (!saved) std::abort();
  } else if (saved ? failing.failed() != "close" && failing.failed() != "nameOf"
                   : failing.failed() != "syncFolder" && files.contentOf(path) != before) {
    std::abort();
  }
  if (files.fileCount() > 1) std::abort();  // a temporary file left behind
  if (!savePoll(poll, path, nullptr, nullptr, files)) std::abort();
  Poll loaded;
  if (loadPollFile(loaded, path, nullptr, nullptr, files) != LoadOutcome::kLoaded) std::abort();
  if (std::strcmp(loaded.date, "April 4 2010") != 0) std::abort();
  if (loaded.teamCount() != poll.teamCount()) std::abort();
  int32_t position = 1;
  auto back = loaded.teams.begin();
  for (const Team& team : poll.teams) {
    std::string_view name = team.name;
    name.remove_prefix(name.find_first_not_of(" \r"));
    if (back->name != name || back->wins != team.wins || back->losses != team.losses ||
        back->votes != team.votes || back->lastWeek != position) {
      std::abort();
    }
    ++back;
    ++position;
  }
  return 0;
}
