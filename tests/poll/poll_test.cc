// The poll's operations by position, and taking over another poll whole.
#include "poll/poll.h"
#include "make_team.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace hoops {

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
  Poll poll = pollOf({"A", "B", ""});
  Team scratch = named("A name long enough to need memory of its own", 40);
  poll.appendTeam(scratch);
  scratch.name = "changed";
  scratch.votes = 0;
  ASSERT_EQ(poll.teamCount(), 4u);
  EXPECT_EQ(namesOf(poll), (std::vector<std::string>{
                               "A", "B", "", "A name long enough to need memory of its own"}));
  EXPECT_EQ(poll.teamAt(4).votes, 40);
  poll.teamAt(2).wins = 9;  // teamAt gives the team itself
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

TEST(PollTest, TakingOverAPollReplacesTeamsAndDate) {
  Poll poll = pollOf({"Old 1", "Old 2"});
  Poll loaded = pollOf({"New team with a long name 1", "New team with a long name 2"});
  setDate(loaded.date, "April 4 2010");
  poll = std::move(loaded);
  EXPECT_EQ(namesOf(poll), (std::vector<std::string>{"New team with a long name 1",
                                                     "New team with a long name 2"}));
  EXPECT_STREQ(poll.date, "April 4 2010");
  // The teams taken over live on in the poll's new memory: they can be changed and added to.
  poll.appendTeam(named("Added after the take-over, also with a long name"));
  poll.removeTeamAt(1);
  EXPECT_EQ(poll.teamCount(), 2u);
}

TEST(CountOfTest, DigitsAloneUpToTheLargestCount) {
  struct Case {
    const char* text;
    std::optional<int32_t> count;
  };
  const Case cases[] = {
      {"0", 0},
      {"007", 7},
      {"2147483647", kMaxCount},
      {"2147483648", std::nullopt},
      {"12345678901", std::nullopt},
      {"", std::nullopt},
      {"-1", std::nullopt},
      {"+1", std::nullopt},
      {"1 ", std::nullopt},
      {"1,000", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(countOf(c.text), c.count) << c.text;
}

}  // namespace

}  // namespace hoops
