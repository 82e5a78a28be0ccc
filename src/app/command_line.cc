// The command line answered: its usage and version, or the mode it names, run.
#include "app/command_line.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "app/analyze_ballots.h"
#include "app/arguments.h"
#include "app/check_files.h"
#include "app/publish_poll.h"
#include "app/tally_ballots.h"

namespace hoops {

namespace {

constexpr std::string_view kUsage =
    "Usage: hoops-ranking [OPTION]...\n"
    "  or:  hoops-ranking --check [--] FILE...\n"
    "  or:  hoops-ranking --tally LAST BALLOTS... [--teams FILE] [--new NAME]...\n"
    "                     [--records FILE] [--output FILE]\n"
    "  or:  hoops-ranking --analyze FORMAT LAST BALLOTS... [--teams FILE]\n"
    "                     [--new NAME]... [--records FILE] [--output FILE]\n"
    "  or:  hoops-ranking --publish FORMAT WEEK... [--ballots FILE...] [--teams FILE]\n"
    "                     [--top N] [--title T] [--output FILE]\n"
    "  or:  hoops-ranking --season FORMAT WEEK... [--top N] [--title T]\n"
    "                     [--output FILE]\n"
    "  or:  hoops-ranking --publish|--season all WEEK... --output-dir DIR\n"
    "                     [--feed URL]\n"
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
    "                   row (voter, then teams from first place down; tab-,\n"
    "                   semicolon- or comma-separated; a web form's export with\n"
    "                   its header row), or one ballot, one team a line (numbered\n"
    "                   or not), cast by the voter the file is named after. A team\n"
    "                   in place p of N gets N + 1 - p points. Only known teams\n"
    "                   count: LAST's, --teams', --records' and --new's. The week\n"
    "                   goes to standard output; any problem in any ballot is\n"
    "                   named as FILE:LINE and nothing is written (status 1)\n"
    "  --teams FILE     with --tally, --analyze or --publish: the league's teams,\n"
    "                   one a line: its name, then other spellings of it\n"
    "  --new NAME       with --tally or --analyze: a team entering the poll this\n"
    "                   week; once for each\n"
    "  --records FILE   with --tally or --analyze: the teams' records (name, then\n"
    "                   W-L or wins and losses)\n"
    "  --analyze FORMAT LAST BALLOTS...\n"
    "                   read the ballots as --tally does and write each against\n"
    "                   the consensus: a pick is far when its points are 2 standard\n"
    "                   deviations or more from the team's mean (z); a ballot's\n"
    "                   score sums |z| over its picks and the consensus top it\n"
    "                   leaves off, its footrule the places it is from the\n"
    "                   consensus ranks. FORMAT is text (ballots by score, far\n"
    "                   picks in words), csv (a row per ballot and pick), json or\n"
    "                   html (a page with the ballot grid)\n"
    "  --publish FORMAT WEEK...\n"
    "                   publish the newest of a season's poll files as its readers\n"
    "                   see it: shared ranks, last week's ranks, others receiving\n"
    "                   votes, dropped teams. FORMAT is text (a newspaper's agate),\n"
    "                   markdown, csv (every team with points), json, html (a\n"
    "                   page with the season's chart), or all (every one, with\n"
    "                   --output-dir)\n"
    "  --ballots FILE...  with --publish: the newest week's ballots (the forms\n"
    "                   --tally reads), for first-place votes; their points must be\n"
    "                   the week's votes\n"
    "  --season FORMAT WEEK...\n"
    "                   the season's table: a row per team ranked in any week, a\n"
    "                   column per week (its rank, T- where shared, its move: up,\n"
    "                   down, unchanged or NEW; RV where it only received votes),\n"
    "                   and each team's milestones; FORMAT as --publish's\n"
    "  --title T        with --publish or --season: the poll's own name\n"
    "  --output-dir DIR with --publish all or --season all: save every form in DIR,\n"
    "                   named by the newest week's date (2025-03-09.txt, .md, .csv,\n"
    "                   .json, .html; season-2025-03-09.* for the season)\n"
    "  --feed URL       with all: also an Atom feed of the season, DIR/feed.xml, its\n"
    "                   entries linking each week's page at URL\n"
    "  --top N          with --publish or --season: rank the teams whose shared rank\n"
    "                   is at most N (25)\n"
    "  --output FILE    with --tally, --analyze, --publish or --season: save to\n"
    "                   FILE, as the menu saves\n"
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

// The ballot files and known teams `line` gives: last week's poll first, then the ballots.
BallotInputs ballotInputs(const CommandLine& line) {
  return {line.files.front(),
          {line.files.begin() + 1, line.files.end()},
          line.records,
          line.roster,
          line.newTeams};
}

// Refuses the command line with `complaint` and the hint; status 2.
int refuse(std::ostream& err, const std::string& complaint) {
  err << "hoops-ranking: " << complaint << "\nTry 'hoops-ranking --help'.\n" << std::flush;
  return 2;
}

}  // namespace

std::optional<int> answerArguments(int count, const char* const* arguments, std::ostream& out,
                                   std::ostream& err) {
  const std::variant<CommandLine, ArgumentError> parsed = parseArguments(count, arguments);
  if (const auto* mistake = std::get_if<ArgumentError>(&parsed)) return refuse(err, mistake->what);
  const CommandLine& line = std::get<CommandLine>(parsed);
  switch (line.mode) {
    case CommandLine::Mode::kDialogue:
      return std::nullopt;
    case CommandLine::Mode::kHelp:
      out << kUsage << std::flush;
      return out ? 0 : 1;
    case CommandLine::Mode::kVersion:
      out << kVersion << std::flush;
      return out ? 0 : 1;
    case CommandLine::Mode::kCheck:
      return checkPollFiles(line.files, out, err);
    case CommandLine::Mode::kTally: {
      TallyRequest request{ballotInputs(line), line.output};
      return tallyBallots(request, out, err);
    }
    case CommandLine::Mode::kAnalyze: {
      AnalyzeRequest request{line.analysisFormat, ballotInputs(line), line.output};
      return analyzeBallots(request, out, err);
    }
    case CommandLine::Mode::kPublish:
    case CommandLine::Mode::kSeason: {
      PublishRequest request{line.mode == CommandLine::Mode::kSeason,
                             line.format,
                             line.files,
                             line.ballots,
                             line.roster,
                             line.top,
                             line.title,
                             line.output,
                             line.allFormats,
                             line.outputDir,
                             line.feed};
      return publishPoll(request, out, err);
    }
  }
  return 2;
}

}  // namespace hoops
