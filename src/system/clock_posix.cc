// Today's local date through the C library's reentrant local time.
#include <ctime>

#include "system/clock.h"

namespace hoops {

std::optional<CalendarDay> localToday() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr) {
    return std::nullopt;
  }
  return CalendarDay{local.tm_year + 1900, local.tm_mon, local.tm_mday};
}

}  // namespace hoops
