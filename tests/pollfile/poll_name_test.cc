// Which team names a poll file can carry.
#include "pollfile/poll_name.h"

#include <gtest/gtest.h>

namespace hoops {

namespace {

TEST(PollNameTest, RefusesNamesAPollFileCannotGiveBack) {
  struct Case {
    const char* name;
    bool storable;
  };
  const Case cases[] = {
      {"Example Tech", true},
      {" Leading spaces", true},
      {"Trailing ", true},
      {"A\rB", true},
      {"7", true},
      {"", false},
      {" ", false},
      {" \r ", false},
      {"Tab\there", false},
      {"\t", false},
      {"Line\nbreak", false},
  };
  for (const Case& c : cases) EXPECT_EQ(isStorableName(c.name), c.storable) << '"' << c.name << '"';
}

}  // namespace

}  // namespace hoops
