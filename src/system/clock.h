// The date on the system's clock.
#ifndef HOOPS_SYSTEM_CLOCK_H_
#define HOOPS_SYSTEM_CLOCK_H_

#include <optional>

namespace hoops {

struct CalendarDay {
  int year;
  int monthIndex;  // 0 = January .. 11 = December
  int day;
};

// Today in the local time zone; nullopt when the clock cannot be read.
std::optional<CalendarDay> localToday();

}  // namespace hoops

#endif  // HOOPS_SYSTEM_CLOCK_H_
