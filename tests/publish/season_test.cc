// The season's table on a small season worked out by hand, and the examples' season in every
// form.
#include "publish/season_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "golden_forms.h"
#include "make_week.h"
#include "pollfile/read_season.h"
#include "temp_dir.h"
#include "test_paths.h"

namespace hoops {

namespace {

// Top 3. March 2: A 30, B and C 20 (shared 2nd), D 10 (receiving votes). March 9: B, A, D; C
// none. March 23 (a week missing before it): C back at No. 1, A, B, D receiving votes again.
std::vector<Week> smallSeason() {
  std::vector<Week> weeks;
  weeks.push_back(week("March 2 2025", 1, {{"A", 30}, {"B", 20}, {"C", 20}, {"D", 10}, {"E", 5}}));
  weeks.push_back(week("March 9 2025", 8, {{"B", 30}, {"A", 25}, {"D", 20}, {"E", 1}}));
  weeks.push_back(week("March 23 2025", 22, {{"C", 30}, {"A", 20}, {"B", 10}, {"D", 5}}));
  return weeks;
}

TEST(SeasonTableTest, ASmallSeasonWorkedOutByHand) {
  const std::vector<Week> weeks = smallSeason();
  const SeasonTable season = seasonTable(weeks, 3);
  std::ostringstream out;
  std::vector<std::string> notes;
  writeSeason(out, season, Format::kText, notes);
  EXPECT_EQ(out.str(),
            "Top 3, the season: March 2 2025 to March 23 2025\n\n"
            "Team  Mar 2  Mar 9  Mar 23\n"
            "C     T-2           1 NEW\n"
            "A     1      2 \u25BC1   2 \u2013\n"
            "B     T-2    1 \u25B21   3 \u25BC2\n"
            "D     RV     3 NEW  RV\n\n"
            "Team  Weeks ranked  Highest (first week)  Weeks at No. 1  Weeks in top 5  "
            "Weeks in top 10  Longest run\n"
            "C     2             1 (Mar 23)            1               2               2"
            "                1\n"
            "A     3             1 (Mar 2)             1               3               3"
            "                3\n"
            "B     3             1 (Mar 9)             1               3               3"
            "                3\n"
            "D     1             3 (Mar 9)             0               1               1"
            "                1\n\n"
            "No. 1 by week: Mar 2 A; Mar 9 B; Mar 23 C.\n");
}

TEST(SeasonTableTest, TheDataFormsCarryTheSameCells) {
  const std::vector<Week> weeks = smallSeason();
  const SeasonTable season = seasonTable(weeks, 3);
  std::vector<std::string> notes;
  std::ostringstream csv, json;
  writeSeason(csv, season, Format::kCsv, notes);
  writeSeason(json, season, Format::kJson, notes);
  EXPECT_NE(csv.str().find("B,2025-03-02,2,yes,,no\r\nB,2025-03-09,1,no,1,no\r\n"
                           "B,2025-03-23,3,no,-2,no\r\n"),
            std::string::npos);
  EXPECT_NE(csv.str().find("C,2025-03-09,,no,,no\r\nC,2025-03-23,1,no,NEW,no\r\n"),
            std::string::npos);
  EXPECT_NE(csv.str().find("D,2025-03-23,,no,,yes\r\n"), std::string::npos);
  EXPECT_NE(json.str().find("\"weeks\": [\"2025-03-02\", \"2025-03-09\", \"2025-03-23\"]"),
            std::string::npos);
  EXPECT_NE(json.str().find("{\"team\": \"C\", \"ranks\": [2, null, 1], \"tied\": [true, false, "
                            "false], \"moves\": [null, null, null], \"weeks_ranked\": 2, "
                            "\"highest\": 1, \"highest_week\": \"2025-03-23\", \"weeks_at_1\": "
                            "1, \"weeks_top5\": 2, \"weeks_top10\": 2, \"longest_run\": 1}"),
            std::string::npos)
      << json.str();
}

// A real season as the Associated Press published it, three weeks from December 21 2020 (typed
// from the published polls): each week's ranks and each move cell by cell against the
// published ranks and previous ranks of December 28 and January 4.
TEST(SeasonTableTest, ARealSeasonAsItWasPublished) {
  const std::string data = HOOPS_PUBLISH_DATA;
  std::vector<Week> weeks;
  std::vector<Problem> problems;
  ASSERT_EQ(readSeason({data + "/ap-2021-01-04.txt", data + "/ap-2020-12-21.txt",
                        data + "/ap-2020-12-28.txt"},
                       weeks, problems),
            LoadOutcome::kLoaded);
  const SeasonTable season = seasonTable(weeks, 25);
  const auto teamNamed = [&](const std::string& name) -> const SeasonTeam* {
    for (const SeasonTeam& team : season.teams) {
      if (team.name == name) return &team;
    }
    return nullptr;
  };
  std::size_t cells = 0;
  for (const auto& [week, published] : std::vector<std::pair<std::size_t, std::string>>{
           {1, "ap-2020-12-28-published.txt"}, {2, "ap-2021-01-04-published.txt"}}) {
    std::string path = data;
    path += '/';
    path += published;
    std::istringstream lines(readFile(path));
    std::string line;
    std::vector<int64_t> ranks;
    std::vector<std::pair<std::string, std::string>> rows;  // name, previous rank
    while (std::getline(lines, line)) {
      std::istringstream fields(line);
      std::string rank, name, points, previous;
      std::getline(fields, rank, '\t');
      std::getline(fields, name, '\t');
      std::getline(fields, points, '\t');
      std::getline(fields, previous, '\t');
      ranks.push_back(std::stoll(rank));
      rows.emplace_back(name, previous);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const SeasonTeam* team = teamNamed(rows[i].first);
      ASSERT_NE(team, nullptr) << rows[i].first;
      const SeasonCell& cell = team->weeks[week];
      EXPECT_EQ(cell.rank, ranks[i]) << rows[i].first;
      EXPECT_EQ(cell.tied, std::count(ranks.begin(), ranks.end(), ranks[i]) > 1) << rows[i].first;
      if (rows[i].second == "-") {
        EXPECT_TRUE(cell.isNew) << rows[i].first;
      } else {
        EXPECT_EQ(cell.move, std::stoll(rows[i].second) - ranks[i]) << rows[i].first;
      }
      ++cells;
    }
  }
  EXPECT_EQ(cells, 50U);
  // Three teams' milestones, worked out by hand from the three polls.
  const struct {
    const char* team;
    std::vector<int64_t> milestones;  // weeks ranked, highest, its week, at 1, top 5, top 10, run
    std::string cells;
  } teams[] = {
      {"Gonzaga", {3, 1, 0, 3, 3, 3, 3}, "1|1 \u2013|1 \u2013"},
      {"Iowa", {3, 4, 0, 0, 2, 3, 3}, "4|10 \u25BC6|5 \u25B25"},
      {"Minnesota", {2, 16, 2, 0, 0, 0, 2}, "RV|T-21 NEW|16 \u25B25"},
  };
  for (const auto& t : teams) {
    const SeasonTeam* team = teamNamed(t.team);
    ASSERT_NE(team, nullptr);
    EXPECT_EQ((std::vector<int64_t>{team->weeksRanked, team->highest,
                                    static_cast<int64_t>(team->highestWeek), team->weeksAtOne,
                                    team->weeksTop5, team->weeksTop10, team->longestRun}),
              t.milestones)
        << t.team;
    std::string shown;
    for (std::size_t w = 0; w < team->weeks.size(); ++w) {
      shown += (w == 0 ? "" : "|") + cellText(team->weeks[w], w == 0);
    }
    EXPECT_EQ(shown, t.cells) << t.team;
  }
}

TEST(SeasonTableTest, TheExamplesSeasonInEveryForm) {
  const std::string examples = HOOPS_EXAMPLES;
  std::vector<Week> weeks;
  std::vector<Problem> problems;
  ASSERT_EQ(readSeason({examples + "/week10.txt", examples + "/week11.txt",
                        examples + "/week12.txt", examples + "/week13.txt"},
                       weeks, problems),
            LoadOutcome::kLoaded);
  const SeasonTable season = seasonTable(weeks, 25);
  expectGoldenForms("season13", [&](std::ostream& out, Format format, auto& notes) {
    writeSeason(out, season, format, notes);
  });
}

}  // namespace

}  // namespace hoops
