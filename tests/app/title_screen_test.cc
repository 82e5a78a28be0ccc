// The title screen's layout, and the one character it takes.
#include "app/title_screen.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/program.h"

namespace hoops {

namespace {

std::vector<std::string> titleLines(std::string& unread) {
  std::istringstream in("x3\nrest");
  std::ostringstream out;
  showTitleScreen(in, out);
  std::getline(in, unread, '\0');
  std::vector<std::string> lines;
  std::istringstream text(out.str());
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  EXPECT_EQ(out.str().back(), '\n');
  return lines;
}

TEST(TitleScreenTest, LaysOutTwentyLinesAndTakesOneCharacter) {
  std::string unread;
  std::vector<std::string> lines = titleLines(unread);
  ASSERT_EQ(lines.size(), 20u);
  EXPECT_EQ(unread, "3\nrest");
  for (std::size_t i : {0u, 1u, 14u, 17u, 19u}) EXPECT_EQ(lines[i], "") << "line " << i + 1;
  EXPECT_EQ(lines[15], "\t                       \"WINNERS DON'T DO DRUGS\"");
  EXPECT_EQ(lines[16], "                        - Dorian Q. Whitmore, Director, FBI");
  EXPECT_EQ(lines[18], "                               Press Enter to continue");
}

TEST(TitleScreenTest, ArtRowsUseTheirIndentAndMainCharacter) {
  std::string unread;
  std::vector<std::string> lines = titleLines(unread);
  const char mainCharacter[] = {':', ';', '[', '$', '8', 'M'};
  for (std::size_t block = 0; block < 2; ++block) {
    const std::size_t indent = block == 0 ? 13 : 5;
    std::size_t widest = 0;
    for (std::size_t row = 0; row < 6; ++row)
      widest = std::max(widest, lines[2 + block * 6 + row].size());
    for (std::size_t row = 0; row < 6; ++row) {
      const std::string& line = lines[2 + block * 6 + row];
      EXPECT_EQ(line.find_first_not_of(' '), indent) << "block " << block << " row " << row;
      EXPECT_NE(line.find(mainCharacter[row]), std::string::npos);
      EXPECT_NE(line.back(), ' ');
    }
    // Letters are set close: no column inside a word is blank in all six rows.
    for (std::size_t column = indent; column < widest; ++column) {
      bool used = false;
      for (std::size_t row = 0; row < 6; ++row) {
        const std::string& line = lines[2 + block * 6 + row];
        used = used || (column < line.size() && line[column] != ' ');
      }
      EXPECT_TRUE(used) << "block " << block << " column " << column;
    }
  }
}

TEST(TitleScreenTest, CharactersTypedBeforeEnterReachTheMenu) {
  std::istringstream in("x3\nA\n1\n2\n3\n8\n9\n");
  std::ostringstream out;
  runProgram(in, out, out);
  EXPECT_NE(out.str().find("Enter an option: New team name: Wins: "), std::string::npos);
  EXPECT_NE(out.str().find("\n1    A        "), std::string::npos);
}

TEST(TitleScreenTest, FiveAndEnterLeaveAnEmptyLineBehind) {
  std::istringstream in("5\n9\n");
  std::ostringstream out;
  runProgram(in, out, out);
  EXPECT_NE(out.str().find("Enter an option: Invalid entry.\nEnter an option: Press any key"),
            std::string::npos);
}

}  // namespace

}  // namespace hoops
