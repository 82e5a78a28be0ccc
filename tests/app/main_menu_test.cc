// The whole menu dialogue, typed in and compared to the character.
#include "app/main_menu.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <ctime>
#include <sstream>
#include <string>

#include "console/standings.h"
#include "make_team.h"
#include "system/status.h"
#include "temp_dir.h"

namespace hoops {

namespace {

const std::string kMenu =
    "\n"
    "+---------------------------+\n"
    "|       HOOPS RANKING       |\n"
    "+---------------------------+\n"
    "| 1. Load from file         |\n"
    "| 2. Save to file           |\n"
    "| 3. Add team               |\n"
    "| 4. Edit team              |\n"
    "| 5. Remove team            |\n"
    "| 6. STOLEN BY GNOMES       |\n"
    "| 7. Display top 25 teams   |\n"
    "| 8. Display all teams      |\n"
    "| 9. Exit program           |\n"
    "+---------------------------|\n"
    "\n"
    "Enter an option: ";
const std::string kHeader(kStandingsHeader);
const std::string kAdd = "New team name: Wins: Losses: Votes: ";

// The dialogue on standard output; what went to standard error goes to `errors` when given.
std::string run(const std::string& input, std::string* errors = nullptr) {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  runMainMenu(in, out, err);
  if (errors != nullptr) *errors = err.str();
  return out.str();
}

// The standings row of a team with the given fields (the table's own layout is pinned by its
// own tests).
std::string row(std::size_t position, const std::string& name, int wins, int losses, int votes,
                int lastWeek) {
  std::ostringstream out;
  writeStandingsRow(out, position, team(name, wins, losses, votes, lastWeek));
  return out.str();
}

TEST(MainMenuTest, ScriptedDialogues) {
  struct Case {
    const char* what;
    std::string input;
    std::string output;
  };
  const Case cases[] = {
      {"exit", "9\n", kMenu},
      {"stolen option", "6\n9\n", kMenu + "THIS MENU OPTION WAS STOLEN BY GNOMES\n" + kMenu},
      {"refused options", "0\n10\nx\n9\n",
       kMenu + "Invalid entry.\nEnter an option: Invalid entry.\nEnter an option: "
               "Invalid entry.\nEnter an option: "},
      {"edit and remove on an empty poll", "4\n5\n9\n",
       kMenu + "Empty list!\n" + kMenu + "Empty list!\n" + kMenu},
      {"displays of an empty poll", "7\n8\n9\n", kMenu + kHeader + kMenu + kHeader + kMenu},
      {"add ranks ties reversed", "3\nA\n1\n2\n50\n3\nB\n3\n4\n50\n3\nC\n5\n6\n90\n8\n9\n",
       kMenu + kAdd + kMenu + kAdd + kMenu + kAdd + kMenu + kHeader + row(1, "C", 5, 6, 90, -1) +
           row(2, "A", 1, 2, 50, -1) + row(3, "B", 3, 4, 50, -1) + kMenu},
      {"adding with 0 votes drops the team", "3\nA\n1\n1\n0\n8\n9\n",
       kMenu + kAdd + kMenu + kHeader + kMenu},
      {"refused names are asked again", "3\n\n \t\na\tb\n \r\n Ok \n1\n1\n1\n8\n9\n",
       kMenu + "New team name: Invalid entry.\n" + "New team name: Invalid entry.\n" +
           "New team name: Invalid entry.\n" + "New team name: Invalid entry.\n" + kAdd + kMenu +
           kHeader + row(1, " Ok ", 1, 1, 1, -1) + kMenu},
      {"edit re-ranks and keeps the name", "3\nA\n1\n1\n10\n3\nB\n1\n1\n20\n4\n2\n7\n8\n30\n8\n9\n",
       kMenu + kAdd + kMenu + kAdd + kMenu +
           "School number to edit: Editing A\nWins: Losses: Votes: " + kMenu + kHeader +
           row(1, "A", 7, 8, 30, -1) + row(2, "B", 1, 1, 20, -1) + kMenu},
      {"edit to 0 votes removes the team", "3\nA\n1\n1\n10\n4\n1\n1\n1\n0\n8\n9\n",
       kMenu + kAdd + kMenu + "School number to edit: Editing A\nWins: Losses: Votes: " + kMenu +
           kHeader + kMenu},
      {"edit refuses a position past the end", "3\nA\n1\n1\n10\n4\n2\n1\n1\n1\n1\n9\n",
       kMenu + kAdd + kMenu + "School number to edit: Invalid entry.\nSchool number to edit: " +
           "Editing A\nWins: Losses: Votes: " + kMenu},
      {"remove keeps the tie order", "3\nA\n0\n0\n5\n3\nB\n0\n0\n5\n3\nC\n0\n0\n5\n5\n1\n8\n9\n",
       kMenu + kAdd + kMenu + kAdd + kMenu + kAdd + kMenu + "School number to remove: " + kMenu +
           kHeader + row(1, "A", 0, 0, 5, -1) + row(2, "B", 0, 0, 5, -1) + kMenu},
      {"input ends at the menu", "", kMenu + "\n"},
      {"input ends inside an add", "3\nA\n1\n", kMenu + "New team name: Wins: Losses: \n"},
      {"input ends at the name", "3\n", kMenu + "New team name: \n"},
      {"input ends at a position", "3\nA\n1\n1\n1\n5\n",
       kMenu + kAdd + kMenu + "School number to remove: \n"},
      {"a refused last line without a line break", "x", kMenu + "Invalid entry.\n"},
      {"a refused last name without a line break", "3\n\t",
       kMenu + "New team name: Invalid entry.\n"},
      {"a name line too long", "3\n" + std::string(5000, 'n') + "\nN\n1\n1\n1\n9\n",
       kMenu + "New team name: Invalid entry.\n" + kAdd + kMenu},
      {"a last line without a line break", "6",
       kMenu + "THIS MENU OPTION WAS STOLEN BY GNOMES\n" + kMenu + "\n"},
      {"input ends at a path", "1\n", kMenu + "Path to input file (ex. c:\\in.txt): \n"},
      {"input ends at the save path", "2\n", kMenu + "Path to output file (ex. c:\\out.txt): \n"},
      {"input ends inside an edit, after the wins", "3\nA\n1\n1\n10\n4\n1\n5\n",
       kMenu + kAdd + kMenu + "School number to edit: Editing A\nWins: Losses: \n"},
      {"a failed load keeps the teams", "3\nA\n1\n2\n3\n1\n/no/such/poll.txt\n8\n9\n",
       kMenu + kAdd + kMenu + "Path to input file (ex. c:\\in.txt): Failed to open file.\n\n" +
           kMenu + kHeader + row(1, "A", 1, 2, 3, -1) + kMenu},
  };
  for (const Case& c : cases) EXPECT_EQ(run(c.input), c.output) << c.what;
}

// Before any load the poll's date is today's, as the calendar of the machine says.
TEST(MainMenuTest, APollBeforeAnyLoadIsDatedToday) {
  TempDir dir;
  const std::time_t before = std::time(nullptr);
  run("2\n" + dir.file("new.txt") + "\n9\n");
  const std::time_t after = std::time(nullptr);
  const auto dateOf = [](std::time_t when) {
    static const char* kMonths[] = {"January",   "February", "March",    "April",
                                    "May",       "June",     "July",     "August",
                                    "September", "October",  "November", "December"};
    std::tm day{};
#if defined(_WIN32)
    localtime_s(&day, &when);
#else
    localtime_r(&when, &day);
#endif
    return std::string(kMonths[day.tm_mon]) + " " + std::to_string(day.tm_mday) + " " +
           std::to_string(day.tm_year + 1900) + "\n";
  };
  const std::string saved = readFile(dir.file("new.txt"));
  EXPECT_TRUE(saved == dateOf(before) || saved == dateOf(after)) << saved;  // midnight between
}

TEST(MainMenuTest, LoadAndSaveReportWhatHappened) {
  TempDir dir;
  writeFile(dir.file("last.txt"),
            "March 28 2010\n1\tA\t1-2\t50\t-\n2\tB\t3-4\t50\t1\n3\tC\t0-0\t0\t2\n");
  const std::string load = "Path to input file (ex. c:\\in.txt): ";
  const std::string save = "Path to output file (ex. c:\\out.txt): ";
  std::string errors;
  std::string output =
      run("1\n" + dir.file("missing.txt") + "\n1\n" + dir.file("last.txt") + "\n8\n2\n" +
              dir.file("new.txt") + "\n2\n" + dir.file("no/such/new.txt") + "\n9\n",
          &errors);
  EXPECT_EQ(output, kMenu + load + "Failed to open file.\n\n" + kMenu + load + "Loaded file.\n\n" +
                        kMenu + kHeader + row(1, "B", 3, 4, 50, 2) + row(2, "A", 1, 2, 50, 1) +
                        kMenu + save + "Saved file.\n\n" + kMenu + save +
                        "Failed to save file.\n\n" + kMenu);
  EXPECT_EQ(readFile(dir.file("new.txt")), "April 4 2010\n1\tB\t3-4\t50\t2\n2\tA\t1-2\t50\t1\n");
  EXPECT_EQ(errors, "hoops-ranking: cannot open '" + dir.file("missing.txt") +
                        "': " + errorText(ENOENT) +
                        "\n"
                        "hoops-ranking: " +
                        dir.file("last.txt") +
                        ":4: a team with 0 votes; the ranking drops it\n"
                        "hoops-ranking: cannot save '" +
                        dir.file("no/such/new.txt") + "': " + errorText(ENOENT) + "\n");
}

}  // namespace

}  // namespace hoops
