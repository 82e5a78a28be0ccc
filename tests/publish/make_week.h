// Weeks made in a line, for the publishing tests.
#ifndef HOOPS_TESTS_PUBLISH_MAKE_WEEK_H_
#define HOOPS_TESTS_PUBLISH_MAKE_WEEK_H_

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "publish/season.h"

namespace hoops {

// A week of `date` with rows "name votes" (records 1-1, last-week column -1 unless given).
inline Week week(const std::string& date, int64_t day,
                 std::vector<std::pair<std::string, int32_t>> rows,
                 std::vector<int32_t> lastWeeks = {}) {
  Week w;
  w.date = date;
  w.day = day;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    w.add(rows[i].first, 1, 1, rows[i].second, i < lastWeeks.size() ? lastWeeks[i] : -1);
  }
  return w;
}

}  // namespace hoops

#endif  // HOOPS_TESTS_PUBLISH_MAKE_WEEK_H_
