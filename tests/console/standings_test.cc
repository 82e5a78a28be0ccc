// The standings table, to the character.
#include "console/standings.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "make_team.h"

namespace hoops {

namespace {

const std::string kHeader =
    "     Team                          Wins      Losses    Votes     Last Week\n";

// The row of `t` at position 1, without its position and line end.
std::string rowOf(const Team& t) {
  std::ostringstream out;
  writeStandingsRow(out, 1, t);
  const std::string row = out.str();
  EXPECT_EQ(row.substr(0, 5), "1    ");
  EXPECT_EQ(row.back(), '\n');
  return row.substr(5, row.size() - 6);
}

TEST(StandingsTest, WritesTeamColumnsToTheCharacter) {
  struct Case {
    const char* what;
    Team team;
    std::string row;
  };
  const std::string name30(30, 'n');
  const Case cases[] = {
      {"ranked last week", team("Example Tech", 25, 3, 875, 2),
       "Example Tech                  25        3         875       2         "},
      {"unranked", team("Example Tech", 25, 3, 875, -1),
       "Example Tech                  25        3         875       -         "},
      {"last week 0", team("Zero", 0, 0, 1, 0),
       "Zero                          0         0         1         0         "},
      {"negative last week", team("Neg", 1, 1, 1, -5),
       "Neg                           1         1         1         -5        "},
      {"a 30-character name", team(name30, 1, 2, 3, 4),
       name30 + "1         2         3         4         "},
      {"a longer name", team(name30 + "xyz", 1, 2, 3, 4),
       name30 + "xyz1         2         3         4         "},
      {"full number fields", team("Big", 2147483647, 0, 2147483647, 1),
       "Big                           21474836470         21474836471         "},
  };
  for (const Case& c : cases) EXPECT_EQ(rowOf(c.team), c.row) << c.what;
}

// On a terminal no name acts on it: C0, DEL and C1 controls show as '?'; the rest stays.
TEST(StandingsTest, NamesOnATerminalShowTheirControlCharactersVisibly) {
  const std::pair<std::string, std::string> cases[] = {
      {"Plain State", "Plain State"},
      {"\x1b]0;owned\x07Tech", "?]0;owned?Tech"},
      {"A\x1b[2J\rB\x7f", "A?[2J?B?"},
      {"Csi\xC2\x9B"
       "2J Caf\xC3\xA9 \xC2\xA0",
       "Csi?2J Caf\xC3\xA9 \xC2\xA0"},
  };
  for (const auto& [name, shown] : cases) {
    EXPECT_EQ(visibleName(name), shown);
    std::ostringstream out;
    writeStandingsRow(out, 1, team(name, 1, 2, 3, -1), true);
    EXPECT_EQ(out.str().substr(5, shown.size()), shown);
  }
}

TEST(StandingsTest, EmptyPollPrintsTheHeaderAlone) {
  Poll poll;
  for (std::optional<std::size_t> limit :
       {std::optional<std::size_t>(25), std::optional<std::size_t>()}) {
    std::ostringstream out;
    printStandings(out, poll, limit);
    EXPECT_EQ(out.str(), kHeader);
    EXPECT_EQ(kStandingsHeader, kHeader);
  }
}

TEST(StandingsTest, NumbersRowsAndStopsAtTheLimit) {
  Poll poll;
  for (int i = 1; i <= 30; ++i) {
    std::string name = std::to_string(i);
    poll.appendTeam(team(name.insert(0, 1, 'T'), i, 0, 100 - i, i));
  }
  struct Case {
    std::optional<std::size_t> limit;
    std::size_t rows;
  };
  for (const Case& c : {Case{25, 25}, Case{std::nullopt, 30}, Case{40, 30}}) {
    std::ostringstream out;
    printStandings(out, poll, c.limit);
    std::istringstream lines(out.str());
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);) all.push_back(line);
    ASSERT_EQ(all.size(), c.rows + 1);
    EXPECT_EQ(all[1].substr(0, 8), "1    T1 ");
    EXPECT_EQ(all[c.rows].substr(0, 5), std::to_string(c.rows) + "   ");
    EXPECT_EQ(all[1].size(), 75u);
  }
}

TEST(StandingsTest, PositionsPastFourDigitsPushTheRowRight) {
  Poll poll;
  for (int i = 0; i < 10000; ++i) poll.appendTeam(team("T", 1, 1, 1, -1));
  std::ostringstream out;
  printStandings(out, poll, std::nullopt);
  const std::string text = out.str();
  EXPECT_NE(text.find("\n9999 T      "), std::string::npos);
  EXPECT_NE(text.find("\n10000 T     "), std::string::npos);
}

}  // namespace

}  // namespace hoops
