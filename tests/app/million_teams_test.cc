// A week with a million teams, loaded, ranked and saved through the menu, byte for byte
// against an expectation built here from how the poll is defined, not from the program.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/program.h"
#include "temp_dir.h"

namespace hoops {

namespace {

constexpr int kTeams = 1'000'000;
constexpr int kUnvoted = 1'000;  // the last rows have no votes and leave the poll

// Names of every length from 1 to 99 characters, and a few longer than any the menu takes,
// saved and let go with the rest.
std::string nameOf(int row) {
  std::string name = "Team " + std::to_string(row);
  name.append(static_cast<std::size_t>(row % 95), static_cast<char>('a' + row % 26));
  if (row % 250'000 == 7) name.append(5000, 'z');
  return name;
}

std::string recordOf(int row) {
  return std::to_string(row % 41) + "-" + std::to_string(row % 37);
}

// Votes fall down the file two rows at a time, so every ranked team ties with one other.
int votesOf(int row) {
  return row > kTeams - kUnvoted ? 0 : (kTeams - row) / 2 + 1;
}

TEST(MillionTeamsTest, LoadRankAndSaveGiveTheExactFile) {
  TempDir dir;
  std::string file = "March 28 2010\n";
  for (int row = 1; row <= kTeams; ++row) {
    file += std::to_string(row) + "\t" + nameOf(row) + "\t" + recordOf(row) + "\t" +
            std::to_string(votesOf(row)) + "\t" + (row % 3 == 0 ? "-" : std::to_string(row)) + "\n";
  }
  writeFile(dir.file("week12.txt"), file);

  // Ranked: most votes first, and of each tied pair the later row first. Every team's
  // last-week rank is its row in the file loaded.
  std::string expected = "April 4 2010\n";
  for (int rank = 1; rank <= kTeams - kUnvoted; ++rank) {
    const int row = rank % 2 == 1 ? rank + 1 : rank - 1;
    expected += std::to_string(rank) + "\t" + nameOf(row) + "\t" + recordOf(row) + "\t" +
                std::to_string(votesOf(row)) + "\t" + std::to_string(row) + "\n";
  }

  std::istringstream in("\n1\n" + dir.file("week12.txt") + "\n2\n" + dir.file("week13.txt") +
                        "\n9\n\n");
  std::ostringstream out;
  runProgram(in, out, out);
  EXPECT_EQ(out.str().find("Failed"), std::string::npos) << out.str();
  const std::string saved = readFile(dir.file("week13.txt"));
  EXPECT_EQ(saved.size(), expected.size());
  EXPECT_TRUE(saved == expected) << "the saved file differs from the expected one";
}

}  // namespace

}  // namespace hoops
