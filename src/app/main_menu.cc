#include "app/main_menu.h"

#include <cstdint>
#include <ctime>
#include <limits>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "console/line_prompt.h"
#include "console/number_prompt.h"
#include "console/standings.h"
#include "poll/date.h"
#include "poll/poll.h"
#include "poll/rank.h"
#include "pollfile/poll_name.h"
#include "pollfile/save_poll.h"

namespace {

constexpr int32_t kMaxCount = std::numeric_limits<int32_t>::max();
constexpr std::size_t kTopRows = 25;
constexpr int32_t kExitOption = 9;

constexpr std::string_view kMenuFrame[] = {
    "",
    "+---------------------------+",
    "|       HOOPS RANKING       |",
    "+---------------------------+",
    "| 1. Load from file         |",
    "| 2. Save to file           |",
    "| 3. Add team               |",
    "| 4. Edit team              |",
    "| 5. Remove team            |",
    "| 6. STOLEN BY GNOMES       |",
    "| 7. Display top 25 teams   |",
    "| 8. Display all teams      |",
    "| 9. Exit program           |",
    "+---------------------------|",
    "",
};

// Today's local date as a poll date, e.g. "December 8 2026": the date of a poll before any
// load. Left as it is when the clock cannot be read.
void dateToday(PollDate& date) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) != nullptr) {
    formatPollDate(date, local.tm_mon, local.tm_mday, local.tm_year + 1900);
  }
}

// One run of the menu. Each option returns false once the keyboard input has ended, which
// ends the run as option 9 would.
class MainMenu {
 public:
  MainMenu(std::istream& in, std::ostream& out) : in_(in), out_(out) { dateToday(poll_.date); }

  void run() {
    while (true) {
      for (std::string_view line : kMenuFrame) out_ << line << std::endl;
      std::optional<int32_t> option = promptNumber(in_, out_, "Enter an option: ", 1, 9);
      if (!option || *option == kExitOption) return;
      try {
        if (!carryOut(*option)) return;
      } catch (const std::bad_alloc&) {
        // Out of memory: the option is abandoned, the poll stays as it was and the menu goes on.
      }
    }
  }

 private:
  bool carryOut(int32_t option) {
    switch (option) {
      case 1:
        return load();
      case 2:
        return save();
      case 3:
        return add();
      case 4:
        return edit();
      case 5:
        return remove();
      case 6:
        out_ << "THIS MENU OPTION WAS STOLEN BY GNOMES" << std::endl;
        return true;
      case 7:
        printStandings(out_, poll_, kTopRows);
        return true;
      case 8:
        printStandings(out_, poll_, std::nullopt);
        return true;
      default:
        return true;
    }
  }

  bool load() {
    if (!readPath("Path to input file (ex. c:\\in.txt): ")) return false;
    if (poll_.loadPoll(path_)) {
      out_ << "Loaded file." << std::endl << std::endl;
      rankTeams(poll_);
    } else {
      out_ << "Failed to open file." << std::endl << std::endl;
    }
    return true;
  }

  bool save() {
    if (!readPath("Path to output file (ex. c:\\out.txt): ")) return false;
    if (savePoll(poll_, path_)) {
      out_ << "Saved file." << std::endl << std::endl;
    } else {
      out_ << "Failed to save file." << std::endl << std::endl;
    }
    return true;
  }

  bool add() {
    std::optional<std::string> name = promptLine(in_, out_, "New team name: ", isStorableName);
    if (!name) return false;
    scratch_.name = std::move(*name);
    if (!readCount("Wins: ", scratch_.wins) || !readCount("Losses: ", scratch_.losses) ||
        !readCount("Votes: ", scratch_.votes)) {
      return false;
    }
    scratch_.lastWeek = -1;
    poll_.appendTeam(scratch_);
    rankTeams(poll_);
    return true;
  }

  bool edit() {
    if (reportEmpty()) return true;
    std::optional<std::size_t> position = readPosition("School number to edit: ");
    if (!position) return false;
    Team& team = poll_.teamAt(*position);
    out_ << "Editing " << team.name << std::endl;
    // Each number is stored as soon as it has been read.
    if (!readCount("Wins: ", team.wins) || !readCount("Losses: ", team.losses) ||
        !readCount("Votes: ", team.votes)) {
      return false;
    }
    rankTeams(poll_);
    return true;
  }

  bool remove() {
    if (reportEmpty()) return true;
    std::optional<std::size_t> position = readPosition("School number to remove: ");
    if (!position) return false;
    poll_.removeTeamAt(*position);
    return true;
  }

  // Says "Empty list!" when the poll has no team to pick.
  bool reportEmpty() {
    if (poll_.teamCount() != 0) return false;
    out_ << "Empty list!" << std::endl;
    return true;
  }

  // Asks for the position of a team in a non-empty poll; nullopt once input has ended.
  std::optional<std::size_t> readPosition(std::string_view prompt) {
    std::size_t count = poll_.teamCount();
    // Positions past the largest number the prompt can take cannot be typed.
    int32_t max =
        count > static_cast<std::size_t>(kMaxCount) ? kMaxCount : static_cast<int32_t>(count);
    std::optional<int32_t> position = promptNumber(in_, out_, prompt, 1, max);
    if (!position) return std::nullopt;
    return static_cast<std::size_t>(*position);
  }

  bool readCount(std::string_view prompt, int32_t& field) {
    std::optional<int32_t> value = promptNumber(in_, out_, prompt, 0, kMaxCount);
    if (!value) return false;
    field = *value;
    return true;
  }

  bool readPath(std::string_view prompt) {
    std::optional<std::string> line = promptLine(in_, out_, prompt);
    if (!line) return false;
    path_ = std::move(*line);
    return true;
  }

  std::istream& in_;
  std::ostream& out_;
  Poll poll_;
  std::string path_;  // reused by load and save
  Team scratch_;      // overwritten by every add
};

}  // namespace

void runMainMenu(std::istream& in, std::ostream& out) {
  MainMenu(in, out).run();
}
