// A records file: name, then W-L or wins and losses.
#include "ballots/records.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "csv/csv_reader.h"
#include "poll/team.h"

namespace {

// The count `text` spells in digits alone, at most 2147483647; nullopt otherwise.
std::optional<int32_t> countOf(std::string_view text) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > kMaxCount) return std::nullopt;
  return static_cast<int32_t>(value);
}

}  // namespace

bool readRecords(std::istream& in, const std::string& file, std::vector<TeamRecord>& records,
                 std::vector<BallotProblem>& problems) {
  CsvReader reader(in);
  reader.separateBy(reader.lookAhead().find('\t') != std::string_view::npos ? '\t' : ',');
  std::vector<std::string_view> fields;
  while (reader.next(fields)) {
    while (!fields.empty() && fields.back().empty()) fields.pop_back();
    if (fields.empty()) continue;
    std::optional<int32_t> wins, losses;
    if (fields.size() == 2) {
      const std::size_t dash = fields[1].find('-');
      if (dash != std::string_view::npos) {
        wins = countOf(fields[1].substr(0, dash));
        losses = countOf(fields[1].substr(dash + 1));
      }
    } else if (fields.size() == 3) {
      wins = countOf(fields[1]);
      losses = countOf(fields[2]);
    }
    if (fields[0].empty() || !wins || !losses) {
      problems.push_back(
          {file, reader.line(), "not a record: a team's name, then W-L or wins and losses"});
      continue;
    }
    records.push_back({std::string(fields[0]), *wins, *losses});
  }
  return !reader.readError();
}
