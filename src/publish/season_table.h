// The season as its readers follow it: every team ranked in any week, its rank week by week
// with its movement, and its milestones.
#ifndef HOOPS_PUBLISH_SEASON_TABLE_H_
#define HOOPS_PUBLISH_SEASON_TABLE_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "publish/formats.h"
#include "publish/season.h"

namespace hoops {

// A team's week: its shared rank where ranked (at most the top), whether another team shares
// it, its move from the week before (places up, signed), "new" where it was not ranked the
// week before, or "receiving votes" where it had points but was not ranked.
struct SeasonCell {
  std::optional<int64_t> rank;
  bool tied = false;
  std::optional<int64_t> move;  // ranked both weeks: the week before's rank - this week's
  bool isNew = false;           // ranked, and not the week before (never in the first week)
  bool receivingVotes = false;
};

struct SeasonTeam {
  std::string_view name;
  std::vector<SeasonCell> weeks;
  int64_t weeksRanked = 0;
  int64_t highest = 0;          // its best rank
  std::size_t highestWeek = 0;  // the first week it had it
  int64_t weeksAtOne = 0;
  int64_t weeksTop5 = 0;
  int64_t weeksTop10 = 0;
  int64_t longestRun = 0;  // the most weeks in a row ranked
};

struct SeasonTable {
  std::string title;  // the poll's own name; "" for "Top N"
  int64_t top = 25;
  std::vector<std::string> dates;  // each week's, oldest first, as its file has it
  // Every team ranked in some week: by rank in the newest week, then the teams no longer
  // ranked by their best rank, then by name.
  std::vector<SeasonTeam> teams;
  std::vector<std::vector<std::string_view>> numberOnes;  // each week's No. 1 teams, by name
};

// The season of `weeks` (ordered by readSeason) with the top `top`. Its names view the weeks':
// they hold while `weeks` do.
SeasonTable seasonTable(const std::vector<Week>& weeks, int64_t top);

// Writes `season` as `format`; `notes` as writePublished's.
void writeSeason(std::ostream& out, const SeasonTable& season, Format format,
                 std::vector<std::string>& notes);

// A cell as the text, Markdown and page show it: "7", "T-7", then " ▲3", " ▼2", " –" or
// " NEW" after the first week; "RV"; "" where the team had no points.
std::string cellText(const SeasonCell& cell, bool firstWeek);

}  // namespace hoops

#endif  // HOOPS_PUBLISH_SEASON_TABLE_H_
