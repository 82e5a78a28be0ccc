// Memory that runs out at any allocation of a menu option abandons that option, never the run:
// the menu says so and goes on. Every allocation of a dialogue is made to fail in turn, through
// a replacement of the global operator new that this test program alone links.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <optional>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/main_menu.h"
#include "temp_dir.h"

namespace {

// The allocations to let through before one fails; -1 lets every one through.
long allocationsLeft = -1;

}  // namespace

// Fails the allocation `allocationsLeft` counts down to, once; every other one as usual.
void* operator new(std::size_t size) {
  if (allocationsLeft == 0) {
    allocationsLeft = -1;
    throw std::bad_alloc();
  }
  if (allocationsLeft > 0) --allocationsLeft;
  if (void* memory = std::malloc(size != 0 ? size : 1)) return memory;
  throw std::bad_alloc();
}
#if defined(__GNUC__) && !defined(__clang__)
// GCC takes the free of what this operator new took from malloc for a mismatch.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}

namespace hoops {

namespace {

// What a dialogue writes, kept in memory taken before it starts, so that keeping it never
// allocates (a string stream's growth would fail the stream instead of the option).
class FixedBuffer : public std::streambuf {
 public:
  explicit FixedBuffer(std::size_t size) : text_(size) {
    setp(text_.data(), text_.data() + text_.size());
  }
  std::string text() const { return std::string(pbase(), pptr()); }

 private:
  std::vector<char> text_;
};

TEST(OutOfMemoryTest, EveryAllocationOfAnOptionAbandonsItAndTheMenuGoesOn) {
  TempDir dir;
  const std::string week = dir.file("week.txt"), saved = dir.file("saved.txt");
  writeFile(week, "March 2 2025\n1\tGonzaga\t24-2\t50\t1\n2\tDuke\t23-3\t40\t2\n");
  // Load, add a team, save, show every team, exit.
  const std::string typed = "1\n" + week + "\n3\nKeeper\n1\n2\n5\n2\n" + saved + "\n8\n9\n";
  bool failedSome = false;
  for (long allowed = 0; allowed < 100000; ++allowed) {
    SCOPED_TRACE(allowed);
    std::istringstream in(typed);
    FixedBuffer outText(1 << 20), errText(1 << 16);
    std::ostream out(&outText), err(&errText);
    allocationsLeft = allowed;
    bool escaped = false;
    try {
      runMainMenu(in, out, err);
    } catch (const std::bad_alloc&) {
      escaped = true;
    }
    const bool failed = allocationsLeft == -1;
    allocationsLeft = -1;
    const std::string said = outText.text();
    const std::string told = errText.text();
    if (escaped) {
      // Only before the menu's first word, where the run as a whole ends "out of memory".
      EXPECT_EQ(said, "");
      continue;
    }
    if (!failed) {
      EXPECT_EQ(told, "");
      EXPECT_NE(readFile(saved).find("\tKeeper\t1-2\t5\t-\n"), std::string::npos);
      EXPECT_NE(said.find("Saved file."), std::string::npos);
      EXPECT_TRUE(failedSome);
      return;
    }
    failedSome = true;
    // The option that failed said so in a line of its own; the ones after it ran (the menu
    // asked for the last one), and a failed save left nothing behind.
    const std::string abandoned = "hoops-ranking: out of memory; the option is abandoned\n";
    const std::string notLoaded = "hoops-ranking: cannot open '" + week + "': out of memory\n";
    const std::string notSaved = "hoops-ranking: cannot save '" + saved + "': out of memory\n";
    EXPECT_TRUE(told == abandoned || told == notLoaded || told == notSaved) << "[" << told << "]";
    EXPECT_EQ(said.substr(said.size() - 17), "Enter an option: ");
    const bool wasSaved = said.find("Saved file.") != std::string::npos;
    EXPECT_EQ(filesIn(dir.file("")), wasSaved ? 2u : 1u);
    std::remove(saved.c_str());
  }
  ADD_FAILURE() << "the dialogue never ran through";
}

// A mode meets memory running out in one place: whatever allocation fails, its output is whole
// or the run says "cannot MODE: out of memory" with status 2, never cut short with success.
TEST(OutOfMemoryTest, EveryAllocationOfAModeEndsItWholeOrSaysSo) {
  TempDir dir;
  const std::string week = dir.file("week.txt"), ballots = dir.file("ballots.csv");
  writeFile(week, "March 2 2025\n1\tGonzaga\t24-2\t50\t1\n2\tDuke\t23-3\t40\t2\n");
  writeFile(ballots, "Ann,Duke,Gonzaga\nBob,Gonzaga,Duke\n");
  const struct {
    std::vector<std::string> line;
    std::string oom;  // what the mode says when memory runs out
  } modes[] = {
      {{"--check", week}, "hoops-ranking: cannot check '" + week + "': out of memory\n"},
      {{"--publish", "html", week}, "hoops-ranking: cannot publish: out of memory\n"},
      {{"--season", "json", week}, "hoops-ranking: cannot publish: out of memory\n"},
      {{"--tally", week, ballots}, "hoops-ranking: cannot tally: out of memory\n"},
      {{"--analyze", "text", week, ballots}, "hoops-ranking: cannot analyze: out of memory\n"},
  };
  for (const auto& mode : modes) {
    SCOPED_TRACE(mode.line.front());
    std::vector<const char*> arguments;
    for (const std::string& word : mode.line) arguments.push_back(word.c_str());
    std::string whole;
    for (long allowed = -1; allowed < 100000; ++allowed) {
      FixedBuffer outText(1 << 20), errText(1 << 16);
      std::ostream out(&outText), err(&errText);
      allocationsLeft = allowed;
      std::optional<int> status;
      bool escaped = false;  // to the run's own place: "hoops-ranking: out of memory", status 2
      try {
        status = answerArguments(static_cast<int>(arguments.size()), arguments.data(), out, err);
      } catch (const std::bad_alloc&) {
        escaped = true;
      }
      const bool failed = allowed >= 0 && allocationsLeft == -1;
      allocationsLeft = -1;
      if (allowed == -1) {
        ASSERT_EQ(status, 0) << errText.text();
        whole = outText.text();
        continue;
      }
      if (!failed) break;
      if (escaped) continue;
      if (status == 0) {
        EXPECT_EQ(outText.text(), whole) << allowed;
      } else {
        EXPECT_EQ(status, 2) << allowed;
        const std::string told = errText.text();
        EXPECT_TRUE(told.size() >= mode.oom.size() &&
                    told.compare(told.size() - mode.oom.size(), mode.oom.size(), mode.oom) == 0)
            << allowed << ": " << told;
      }
    }
  }
}

}  // namespace

}  // namespace hoops
