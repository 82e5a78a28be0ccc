// The ranking step.
#include "poll/rank.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace hoops {

namespace {

using Standing = std::vector<std::pair<std::string, int>>;

Poll pollWithVotes(const Standing& teams) {
  Poll poll;
  for (const auto& [name, votes] : teams) {
    Team team;
    team.name = name;
    team.votes = votes;
    poll.appendTeam(team);
  }
  return poll;
}

Standing standingOf(const Poll& poll) {
  Standing standing;
  for (const Team& team : poll.teams) standing.emplace_back(team.name, team.votes);
  return standing;
}

TEST(RankTeamsTest, RanksByFallingVotesWithTiesReversed) {
  struct Case {
    const char* what;
    Standing before;
    Standing after;
  };
  const Case cases[] = {
      {"zero dropped, tie reversed",
       {{"A", 100}, {"B", 50}, {"C", 50}, {"D", 0}, {"E", 75}},
       {{"A", 100}, {"E", 75}, {"C", 50}, {"B", 50}}},
      {"an added team first among its ties",
       {{"A", 100}, {"B", 80}, {"C", 80}, {"D", 80}},
       {{"A", 100}, {"D", 80}, {"C", 80}, {"B", 80}}},
      {"ranked again",
       {{"A", 100}, {"D", 80}, {"C", 80}, {"B", 80}},
       {{"A", 100}, {"B", 80}, {"C", 80}, {"D", 80}}},
      {"all tied", {{"P", 5}, {"Q", 5}, {"R", 5}}, {{"R", 5}, {"Q", 5}, {"P", 5}}},
      {"edited to the top",
       {{"A", 100}, {"B", 90}, {"C", 120}},
       {{"C", 120}, {"A", 100}, {"B", 90}}},
      {"one team", {{"A", 7}}, {{"A", 7}}},
      {"one team without votes", {{"X", 0}}, {}},
      {"no team with votes", {{"A", 0}, {"B", 0}}, {}},
      {"empty", {}, {}},
      // Only exactly 0 drops a team; negative votes rank below every positive count.
      {"negative votes", {{"N", -3}, {"Z", 0}, {"P", 2}}, {{"P", 2}, {"N", -3}}},
  };
  for (const Case& c : cases) {
    Poll poll = pollWithVotes(c.before);
    rankTeams(poll);
    EXPECT_EQ(standingOf(poll), c.after) << c.what;
  }
}

TEST(RankTeamsTest, ChangesNoFieldAndRelinksTheSameTeams) {
  Poll poll = pollWithVotes({{"Low", 1}, {"High", 9}});
  poll.teamAt(1).lastWeek = 4;
  poll.teamAt(1).wins = 12;
  const Team* low = &poll.teamAt(1);
  rankTeams(poll);
  EXPECT_EQ(&poll.teamAt(2), low);  // the same node, moved, not copied
  EXPECT_EQ(poll.teamAt(2).lastWeek, 4);
  EXPECT_EQ(poll.teamAt(2).wins, 12);
}

}  // namespace

}  // namespace hoops
