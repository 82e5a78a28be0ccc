// The newspaper's agate: the date, a header line, aligned columns, then the others and the
// dropped.
#include <algorithm>
#include <string>
#include <string_view>

#include "publish/writers.h"

namespace hoops {

namespace {

void pad(std::string& line, std::string_view text, std::size_t width, bool right) {
  const std::string spaces(width > widthOf(text) ? width - widthOf(text) : 0, ' ');
  if (right) line += spaces;
  line += text;
  if (!right) line += spaces;
}

}  // namespace

void writeText(std::ostream& out, const PublishedWeek& week) {
  struct Row {
    std::string rank, team, record, points, last;
  };
  std::vector<Row> rows{{"Rank", "Team", "Record", "Points", "Last week"}};
  for (const PublishedTeam* team : week.ranked()) {
    rows.push_back({std::to_string(team->rank), nameWithFirstPlaces(*team),
                    std::to_string(team->wins) + "-" + std::to_string(team->losses),
                    withThousands(team->points),
                    team->lastWeekRank ? std::to_string(*team->lastWeekRank) : "-"});
  }
  std::size_t w[5] = {};
  for (const Row& row : rows) {
    const std::string* cells[5] = {&row.rank, &row.team, &row.record, &row.points, &row.last};
    for (int i = 0; i < 5; ++i) w[i] = std::max(w[i], widthOf(*cells[i]));
  }
  out << (week.title.empty() ? week.date : week.title + ", " + week.date) << '\n';
  for (const Row& row : rows) {
    std::string line;
    pad(line, row.rank, w[0], true);
    line += "  ";
    pad(line, row.team, w[1], false);
    line += "  ";
    pad(line, row.record, w[2], false);
    line += "  ";
    pad(line, row.points, w[3], true);
    line += "  ";
    pad(line, row.last, w[4], true);
    out << line << '\n';
  }
  const auto plain = [](std::string_view name) { return std::string(name); };
  for (const std::string& line : {othersLine(week, plain), droppedLine(week, plain)}) {
    if (!line.empty()) out << '\n' << line << '\n';
  }
}

}  // namespace hoops
