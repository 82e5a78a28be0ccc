#include "poll/poll.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

Team named(const std::string& name, int votes = 1) {
  Team team;
  team.name = name;
  team.votes = votes;
  return team;
}

Poll pollOf(const std::vector<std::string>& names) {
  Poll poll;
  for (const std::string& name : names) poll.appendTeam(named(name));
  return poll;
}

std::vector<std::string> namesOf(const Poll& poll) {
  std::vector<std::string> names;
  for (const Team& team : poll.teams) names.emplace_back(team.name);
  return names;
}

TEST(PollTest, NewPollIsEmptyAndUndated) {
  Poll poll;
  EXPECT_EQ(poll.teamCount(), 0u);
  EXPECT_STREQ(poll.date, "");
}

TEST(PollTest, AppendStoresACopyAtTheEnd) {
  Poll poll = pollOf({"A", "B", "C"});
  Team scratch = named("D", 40);
  poll.appendTeam(scratch);
  scratch.name = "changed";
  scratch.votes = 0;
  ASSERT_EQ(poll.teamCount(), 4u);
  EXPECT_EQ(poll.teamAt(4).name, "D");
  EXPECT_EQ(poll.teamAt(4).votes, 40);
}

TEST(PollTest, TeamAtCountsFromOne) {
  Poll poll = pollOf({"A", "B", "C"});
  EXPECT_EQ(poll.teamAt(1).name, "A");
  EXPECT_EQ(poll.teamAt(2).name, "B");
  EXPECT_EQ(poll.teamAt(poll.teamCount()).name, "C");
  poll.teamAt(2).wins = 9;
  EXPECT_EQ(poll.teams.begin()->wins, 0);
  EXPECT_EQ(std::next(poll.teams.begin())->wins, 9);
}

TEST(PollTest, RemoveTeamAtKeepsTheOthersInOrder) {
  struct Case {
    std::vector<std::string> before;
    std::size_t position;
    std::vector<std::string> after;
  };
  const Case cases[] = {
      {{"A", "B", "C"}, 1, {"B", "C"}},
      {{"A", "B", "C"}, 2, {"A", "C"}},
      {{"A", "B", "C"}, 3, {"A", "B"}},
      {{"A"}, 1, {}},
  };
  for (const Case& c : cases) {
    Poll poll = pollOf(c.before);
    poll.removeTeamAt(c.position);
    EXPECT_EQ(namesOf(poll), c.after) << "removing position " << c.position;
  }
}

TEST(PollTest, ClearTeamsLeavesTheDate) {
  Poll poll = pollOf({"A", "B"});
  std::strcpy(poll.date, "March 28 2010");
  poll.clearTeams();
  EXPECT_EQ(poll.teamCount(), 0u);
  EXPECT_STREQ(poll.date, "March 28 2010");
}

TEST(PollTest, SameNamesAndEmptyNamesAreOrdinaryTeams) {
  Poll poll = pollOf({"Twin", "Twin", ""});
  EXPECT_EQ(poll.teamCount(), 3u);
  EXPECT_EQ(poll.teamAt(3).name, "");
}

}  // namespace
