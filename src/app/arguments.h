// The command line read into one typed value before anything runs.
#ifndef HOOPS_APP_ARGUMENTS_H_
#define HOOPS_APP_ARGUMENTS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "analysis/analysis_formats.h"
#include "publish/formats.h"

namespace hoops {

// What the command line asks for, checked: a mode that runs has every file it needs, and holds
// only the options it takes.
struct CommandLine {
  enum class Mode { kDialogue, kHelp, kVersion, kCheck, kTally, kAnalyze, kPublish, kSeason };
  Mode mode = Mode::kDialogue;
  // --check: the poll files; --tally and --analyze: last week's poll, then the ballot files;
  // --publish and --season: the season's weeks. "-" is standard input.
  std::vector<std::string> files;
  Format format = Format::kText;                          // --publish's
  AnalysisFormat analysisFormat = AnalysisFormat::kText;  // --analyze's
  std::vector<std::string> ballots;                       // --publish --ballots
  std::optional<std::string> records;                     // --tally or --analyze --records
  std::optional<std::string> roster;                      // --tally, --analyze or --publish --teams
  std::vector<std::string> newTeams;     // --tally or --analyze --new, once for each team
  std::optional<std::string> output;     // --tally, --analyze or --publish --output
  int64_t top = 25;                      // --publish --top, 1 to 2147483647
  std::optional<std::string> title;      // --publish --title: the poll's own name
  bool allFormats = false;               // --publish all, --season all: every form at once
  std::optional<std::string> outputDir;  // with all: the folder the forms are saved in
  std::optional<std::string> feed;       // with all: the web address of the weeks' pages
};

// A command line refused: what is wrong with it, in one sentence for "hoops-ranking: ...".
struct ArgumentError {
  std::string what;
};

// Reads the arguments after the program's name, the GNU way: options anywhere, "--opt VALUE" or
// "--opt=VALUE", "--" ends the options, "-h"/"--help" or "--version" anywhere before "--" wins
// over everything else. No argument at all is the dialogue. Any mistake (an unknown option, an
// option without its value or given twice, an option the mode does not take, two modes, a file
// without a mode, a missing file list, a format or top that is not one) is an ArgumentError
// naming the first one found.
std::variant<CommandLine, ArgumentError> parseArguments(int count, const char* const* arguments);

}  // namespace hoops

#endif  // HOOPS_APP_ARGUMENTS_H_
