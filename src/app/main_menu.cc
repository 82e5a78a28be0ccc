// The main menu loop: the numbered menu over one poll, and what each option does to it.
#include "app/main_menu.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/stream_failure.h"
#include "console/line_prompt.h"
#include "console/number_prompt.h"
#include "console/standings.h"
#include "poll/date.h"
#include "poll/poll.h"
#include "poll/poll_memory.h"
#include "poll/problem.h"
#include "poll/rank.h"
#include "pollfile/poll_name.h"
#include "pollfile/save_poll.h"
#include "system/clock.h"

namespace hoops {

namespace {

enum Option : int32_t {
  kLoad = 1,
  kSave,
  kAdd,
  kEdit,
  kRemove,
  kStolen,
  kTopRows,
  kAllRows,
  kExit,
};

constexpr std::size_t kTopRowCount = 25;

// A team removed and another added for ever stays in bounded memory only while every name the
// menu takes, with its string's terminator and growth, is reused when its team goes.
static_assert(kMaxLineLength + 64 <= PollMemory::kLargestReused);

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

// What the menu does after an option: go on, or stop because the input has ended.
enum class Next { kGoOn, kInputEnded };

// Today's local date as a poll date, e.g. "December 8 2026": the date of a poll before any
// load. Left as it is when the clock cannot be read.
void dateToday(PollDate& date) {
  if (std::optional<CalendarDay> today = localToday()) {
    formatPollDate(date, today->monthIndex, today->day, today->year);
  }
}

// One run of the menu over one poll.
class MainMenu {
 public:
  MainMenu(std::istream& in, std::ostream& out, std::ostream& err, bool terminal)
      : in_(in), out_(out), err_(err), terminal_(terminal) {
    dateToday(poll_.date);
  }

  void run() {
    while (true) {
      for (std::string_view line : kMenuFrame) out_ << line << '\n';
      std::optional<int32_t> option = promptNumber(in_, out_, "Enter an option: ", kLoad, kExit);
      if (!option || *option == kExit) return;
      pathRead_ = false;
      try {
        if (carryOut(static_cast<Option>(*option)) == Next::kInputEnded) return;
      } catch (const std::bad_alloc&) {
        outOfMemory(static_cast<Option>(*option));
      }
      if (outOfMemoryInside(out_)) tellAbandoned();
    }
  }

 private:
  Next carryOut(Option option) {
    switch (option) {
      case kLoad:
        return load();
      case kSave:
        return save();
      case kAdd:
        return add();
      case kEdit:
        return edit();
      case kRemove:
        return remove();
      case kStolen:
        out_ << "THIS MENU OPTION WAS STOLEN BY GNOMES\n";
        return Next::kGoOn;
      case kTopRows:
        printStandings(out_, poll_, kTopRowCount, terminal_);
        return Next::kGoOn;
      case kAllRows:
        printStandings(out_, poll_, std::nullopt, terminal_);
        return Next::kGoOn;
      case kExit:
        break;
    }
    return Next::kInputEnded;
  }

  Next load() {
    if (!readPath("Path to input file (ex. c:\\in.txt): ")) return Next::kInputEnded;
    notes_.clear();
    if (poll_.loadPoll(path_, &reason_, &notes_)) {
      tell();
      out_ << "Loaded file.\n\n";
      rankTeams(poll_);
    } else {
      tell();  // what in a refused file keeps it from loading
      explain("cannot open");
      out_ << "Failed to open file.\n\n";
    }
    return Next::kGoOn;
  }

  Next save() {
    if (!readPath("Path to output file (ex. c:\\out.txt): ")) return Next::kInputEnded;
    // A save to standard output comes after every line the dialogue wrote before it.
    out_.flush();
    notes_.clear();
    if (savePoll(poll_, path_, &reason_, &notes_)) {
      tell();
      out_ << "Saved file.\n\n";
    } else {
      explain("cannot save");
      out_ << "Failed to save file.\n\n";
    }
    return Next::kGoOn;
  }

  Next add() {
    std::optional<std::string> name = promptLine(in_, out_, "New team name: ", isStorableName);
    if (!name) return Next::kInputEnded;
    scratch_.name = *name;
    if (!readCount("Wins: ", scratch_.wins) || !readCount("Losses: ", scratch_.losses) ||
        !readCount("Votes: ", scratch_.votes)) {
      return Next::kInputEnded;
    }
    scratch_.lastWeek = -1;
    poll_.appendTeam(scratch_);
    rankTeams(poll_);
    return Next::kGoOn;
  }

  Next edit() {
    if (reportEmpty()) return Next::kGoOn;
    std::optional<std::size_t> position = readPosition("School number to edit: ");
    if (!position) return Next::kInputEnded;
    Team& team = poll_.teamAt(*position);
    if (terminal_) {
      out_ << "Editing " << visibleName(team.name) << '\n';
    } else {
      out_ << "Editing " << team.name << '\n';
    }
    // Each number is stored as soon as it has been read.
    if (!readCount("Wins: ", team.wins) || !readCount("Losses: ", team.losses) ||
        !readCount("Votes: ", team.votes)) {
      return Next::kInputEnded;
    }
    rankTeams(poll_);
    return Next::kGoOn;
  }

  Next remove() {
    if (reportEmpty()) return Next::kGoOn;
    std::optional<std::size_t> position = readPosition("School number to remove: ");
    if (!position) return Next::kInputEnded;
    poll_.removeTeamAt(*position);
    return Next::kGoOn;
  }

  // Says on `err_` why the load or save of path_ failed. Standard output goes first, so that in
  // a terminal the reason follows the path as typed.
  void explain(std::string_view what) {
    out_.flush();
    err_ << "hoops-ranking: " << what << " '" << path_ << "': " << reason_ << '\n' << std::flush;
  }

  // The one place the menu meets a lack of memory (thrown, or kept by the dialogue's stream as
  // its failure): the option is abandoned and the menu goes on. A load or a save fails as any
  // failure of it does ("out of memory" its reason), the poll as it was; any other option is said
  // to be abandoned on `err_`.
  void outOfMemory(Option option) {
    reason_ = "out of memory";
    if (option == kLoad && pathRead_) {
      explain("cannot open");
      out_ << "Failed to open file.\n\n";
    } else if (option == kSave && pathRead_) {
      explain("cannot save");
      out_ << "Failed to save file.\n\n";
    } else {
      tellAbandoned();
    }
  }

  void tellAbandoned() {
    out_.flush();
    err_ << "hoops-ranking: out of memory; the option is abandoned\n" << std::flush;
  }

  // Writes notes_ on `err_`, a line each, standard output first.
  void tell() {
    if (notes_.empty()) return;
    out_.flush();
    tellNotes(err_, notes_);
    err_ << std::flush;
  }

  // Says "Empty list!" when the poll has no team to pick.
  bool reportEmpty() {
    if (poll_.teamCount() != 0) return false;
    out_ << "Empty list!\n";
    return true;
  }

  // Asks for the position of a team in a non-empty poll; nullopt once input has ended.
  std::optional<std::size_t> readPosition(std::string_view prompt) {
    std::size_t count = poll_.teamCount();
    // Positions past the largest number the prompt can take cannot be typed.
    int32_t max = count > std::size_t{kMaxCount} ? kMaxCount : static_cast<int32_t>(count);
    std::optional<int32_t> position = promptNumber(in_, out_, prompt, 1, max);
    if (!position) return std::nullopt;
    return static_cast<std::size_t>(*position);
  }

  // Reads a count into `field`; false once input has ended.
  bool readCount(std::string_view prompt, int32_t& field) {
    std::optional<int32_t> value = promptNumber(in_, out_, prompt, 0, kMaxCount);
    if (!value) return false;
    field = *value;
    return true;
  }

  // Reads a path line into path_; false once input has ended.
  bool readPath(std::string_view prompt) {
    std::optional<std::string> line = promptLine(in_, out_, prompt);
    if (!line) return false;
    path_ = std::move(*line);
    pathRead_ = true;
    return true;
  }

  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  bool terminal_;  // out_ is a terminal: names are shown with their control characters visible
  Poll poll_;
  std::string path_;                // reused by load and save
  bool pathRead_ = false;           // whether the option under way has read its path
  std::string reason_;              // why the last load or save failed
  std::vector<std::string> notes_;  // what the operator should know of the last load or save
  Team scratch_;                    // overwritten by every add
};

}  // namespace

void runMainMenu(std::istream& in, std::ostream& out, std::ostream& err, bool terminal) {
  MainMenu(in, out, err, terminal).run();
}

}  // namespace hoops
