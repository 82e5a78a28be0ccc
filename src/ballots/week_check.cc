// Ballots and week compared team by team.
#include "ballots/week_check.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

namespace hoops {

std::vector<std::string> ballotsAgainstWeek(const std::unordered_map<std::string, int64_t>& points,
                                            const Week& week) {
  std::vector<std::string> differ;
  std::unordered_set<std::string_view> inWeek;
  for (const Week::Row& row : week.rows) {
    inWeek.insert(row.name);
    const auto counted = points.find(std::string(row.name));
    const int64_t given = counted == points.end() ? 0 : counted->second;
    if (given != row.votes) {
      differ.push_back(std::string(row.name) + " (the ballots give " + std::to_string(given) +
                       ", the week " + std::to_string(row.votes) + ")");
    }
  }
  for (const auto& [name, given] : points) {
    if (inWeek.count(name) == 0) {
      differ.push_back(name + " (the ballots give " + std::to_string(given) +
                       ", the week has no such team)");
    }
  }
  std::sort(differ.begin(), differ.end());
  return differ;
}

}  // namespace hoops
