// The command line, the GNU way: -h and --help, --version, --check FILE..., '--' to end the
// options and '-' for standard input.
#include "app/command_line.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/check_files.h"
#include "app/publish_poll.h"
#include "app/tally_ballots.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: hoops-ranking [OPTION]... \n"
    "  or:  hoops-ranking --check [--] FILE...\n"
    "  or:  hoops-ranking --tally LAST BALLOTS... [--records FILE] [--output FILE]\n"
    "  or:  hoops-ranking --publish FORMAT WEEK... [--ballots FILE...] [--top N]\n"
    "                     [--output FILE]\n"
    "Keep a weekly college-basketball poll at the console.\n"
    "\n"
    "With no argument, hoops-ranking shows its title screen and runs an interactive\n"
    "menu on standard input and standard output: load last week's poll from a file,\n"
    "add, edit and remove teams, show the standings, and save the new poll.\n"
    "\n"
    "  --check FILE...  read each poll file as a load would and say what in it the\n"
    "                   program would never have written (a file from a spreadsheet\n"
    "                   or another editor), and how many teams a load gives or that\n"
    "                   it is not loaded; exit status 0 when all is as saved, 1 when\n"
    "                   something was found, 2 when a file cannot be read or the\n"
    "                   answer cannot be written\n"
    "  --tally LAST BALLOTS...\n"
    "                   count voters' ballots into the week's poll: LAST is last\n"
    "                   week's poll file; each BALLOTS file is a table, one ballot a\n"
    "                   row (voter, then teams from first place down; tab- or\n"
    "                   comma-separated), or one ballot, one team a line, cast by\n"
    "                   the voter the file is named after. A team in place p of N\n"
    "                   gets N + 1 - p points. The week goes to standard output;\n"
    "                   any problem in any ballot is named as FILE:LINE and\n"
    "                   nothing is written (status 1)\n"
    "  --records FILE   with --tally: the teams' records (name, then W-L or wins\n"
    "                   and losses); every ballot's team must be in it or in LAST\n"
    "  --publish FORMAT WEEK...\n"
    "                   publish the newest of a season's poll files as its readers\n"
    "                   see it: shared ranks, last week's ranks, others receiving\n"
    "                   votes, dropped teams. FORMAT is text (a newspaper's agate),\n"
    "                   markdown, csv (every team with points), json, or html (a\n"
    "                   page with the season's chart)\n"
    "  --ballots FILE...  with --publish: the newest week's ballots (the forms\n"
    "                   --tally reads), for first-place votes; their points must be\n"
    "                   the week's votes\n"
    "  --top N          with --publish: rank the teams whose shared rank is at most\n"
    "                   N (25)\n"
    "  --output FILE    with --tally or --publish: save to FILE, as the menu saves\n"
    "  -h, --help       show this help and exit\n"
    "      --version    show the version and exit\n"
    "\n"
    "A FILE of - is standard input; after --, every argument is a FILE.\n"
    "\n"
    "The manual: man hoops-ranking\n"
    "Report bugs to: <" HOOPS_BUG_ADDRESS ">\n";

constexpr std::string_view kVersion =
    "hoops-ranking " HOOPS_VERSION
    "\n"
    "Copyright (C) 2026 The hoops-ranking authors\n"
    "License MIT: <https://opensource.org/licenses/MIT>\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

// Refuses the command line with `complaint` and the hint; status 2.
int refuse(std::ostream& err, const std::string& complaint) {
  err << "hoops-ranking: " << complaint << "\nTry 'hoops-ranking --help'.\n" << std::flush;
  return 2;
}

}  // namespace

std::optional<int> answerArguments(int count, const char* const* arguments, std::ostream& out,
                                   std::ostream& err) {
  if (count == 0) return std::nullopt;
  enum class Mode { kNone, kCheck, kTally, kPublish } mode = Mode::kNone;
  bool optionsEnded = false;
  std::vector<std::string> files, ballots;
  std::vector<std::string>* operands = &files;  // --ballots takes the files after it
  std::optional<std::string> records, output, format, top;
  std::string unexpected;  // the first argument that has no place, if any
  // A mode's option; a second mode is an argument out of place.
  const auto enter = [&](Mode wanted) {
    if (mode != Mode::kNone && mode != wanted) return false;
    mode = wanted;
    return true;
  };
  for (int i = 0; i < count; ++i) {
    const std::string_view argument = arguments[i];
    // An option's value: "--output FILE" or "--output=FILE".
    const auto value = [&](std::string_view option, std::optional<std::string>& into) {
      if (argument == option && i + 1 < count) {
        into = arguments[++i];
        return true;
      }
      if (argument.substr(0, option.size() + 1) == std::string(option) + "=") {
        into = std::string(argument.substr(option.size() + 1));
        return true;
      }
      return false;
    };
    if (optionsEnded || argument == "-" || argument.empty() || argument.front() != '-') {
      operands->emplace_back(argument);
      continue;
    }
    operands = &files;
    if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "-h" || argument == "--help") {
      out << kUsage << std::flush;  // asked for help, the rest is not looked at
      return out ? 0 : 1;
    } else if (argument == "--version") {
      out << kVersion << std::flush;
      return out ? 0 : 1;
    } else if (argument == "--ballots") {
      operands = &ballots;
    } else {
      // A mode, or an option's value; anything else is out of place.
      const bool taken = (argument == "--check" && enter(Mode::kCheck)) ||
                         (argument == "--tally" && enter(Mode::kTally)) ||
                         ((argument == "--publish" || argument.substr(0, 10) == "--publish=") &&
                          enter(Mode::kPublish) && value("--publish", format)) ||
                         value("--records", records) || value("--output", output) ||
                         value("--top", top);
      if (!taken && unexpected.empty()) unexpected = argument;
    }
  }
  if (!unexpected.empty()) return refuse(err, "unexpected argument '" + unexpected + "'");
  const bool tallyOptions = records.has_value();
  const bool publishOptions = top.has_value() || !ballots.empty();
  if ((tallyOptions && mode != Mode::kTally) || (publishOptions && mode != Mode::kPublish) ||
      (output && mode != Mode::kTally && mode != Mode::kPublish)) {
    return refuse(err,
                  "--records goes with --tally, --ballots and --top with --publish, "
                  "--output with either");
  }
  switch (mode) {
    case Mode::kNone:
      return refuse(err, "unexpected argument '" + files.front() + "'");
    case Mode::kCheck:
      if (files.empty()) return refuse(err, "--check needs one or more poll files");
      return checkPollFiles(files, out, err);
    case Mode::kTally: {
      if (files.size() < 2) {
        return refuse(err, "--tally needs last week's poll and one or more ballot files");
      }
      TallyRequest request{files.front(), {files.begin() + 1, files.end()}, records, output};
      return tallyBallots(request, out, err);
    }
    case Mode::kPublish: {
      if (files.empty()) return refuse(err, "--publish needs a format and one or more weeks");
      PublishRequest request{*format, files, ballots, top.value_or("25"), output};
      return publishPoll(request, out, err);
    }
  }
  return 2;
}
