// A problem is told as compilers and grep tell one, the same on a stream and as text.
#include "poll/problem.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace hoops {

namespace {

TEST(ProblemTest, IsToldWhereItStands) {
  struct Case {
    Problem problem;
    std::string told;
  };
  const Case cases[] = {
      {{"a.csv", 3, "no voter"}, "a.csv:3: no voter"},
      {{"a.csv", 0, "no ballot in it"}, "a.csv: no ballot in it"},
      {{"", 0, "no ballot at all"}, "hoops-ranking: no ballot at all"},
  };
  for (const Case& c : cases) {
    std::ostringstream out;
    out << c.problem;
    EXPECT_EQ(out.str(), c.told);
    EXPECT_EQ(c.problem.text(), c.told);
  }
  EXPECT_EQ(placeOf("week.txt", 12), "week.txt:12");
}

}  // namespace

}  // namespace hoops
