// The command line, the GNU way: -h and --help, --version, --check FILE..., '--' to end the
// options and '-' for standard input.
#include "app/command_line.h"

#include <string>
#include <string_view>
#include <vector>

#include "app/check_files.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: hoops-ranking [OPTION]... \n"
    "  or:  hoops-ranking --check [--] FILE...\n"
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
  bool check = false;
  bool optionsEnded = false;
  std::vector<std::string> files;
  std::string unexpected;  // the first argument that has no place, if any
  for (int i = 0; i < count; ++i) {
    const std::string_view argument = arguments[i];
    if (optionsEnded || argument == "-" || argument.empty() || argument.front() != '-') {
      files.emplace_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "-h" || argument == "--help") {
      out << kUsage << std::flush;  // asked for help, the rest is not looked at
      return out ? 0 : 1;
    } else if (argument == "--version") {
      out << kVersion << std::flush;
      return out ? 0 : 1;
    } else if (argument == "--check") {
      check = true;
    } else if (unexpected.empty()) {
      unexpected = argument;
    }
  }
  if (!unexpected.empty()) return refuse(err, "unexpected argument '" + unexpected + "'");
  if (!check) return refuse(err, "unexpected argument '" + files.front() + "'");
  if (files.empty()) return refuse(err, "--check needs one or more poll files");
  return checkPollFiles(files, out, err);
}
