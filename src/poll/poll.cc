#include "poll/poll.h"

#include <ctime>
#include <iterator>

#include "poll/date.h"

Poll::Poll() : date{} {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) != nullptr) {
    formatPollDate(date, local.tm_mon, local.tm_mday, local.tm_year + 1900);
  }
}

Team& Poll::teamAt(std::size_t position) {
  return *std::next(teams.begin(), static_cast<std::ptrdiff_t>(position - 1));
}

void Poll::removeTeamAt(std::size_t position) {
  teams.erase(std::next(teams.begin(), static_cast<std::ptrdiff_t>(position - 1)));
}
