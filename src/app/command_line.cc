// The command line's two options and its one complaint.
#include "app/command_line.h"

#include <string>
#include <string_view>
#include <vector>

#include "app/check_files.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: hoops-ranking [--help | --version | --check FILE...]\n"
    "Keep a weekly college-basketball poll at the console.\n"
    "\n"
    "With no argument, hoops-ranking shows its title screen and runs an interactive\n"
    "menu on standard input and standard output: load last week's poll from a file,\n"
    "add, edit and remove teams, show the standings, and save the new poll.\n"
    "\n"
    "  --check FILE...  read each poll file as a load would and say what in it the\n"
    "                   program would never have written (a file from a spreadsheet\n"
    "                   or another editor), and how many teams a load gives; exit\n"
    "                   status 0 when all is as saved, 1 when something was found,\n"
    "                   2 when a file cannot be read\n"
    "  --help           show this help and exit\n"
    "  --version        show the version and exit\n"
    "\n"
    "The manual: man hoops-ranking\n";

}  // namespace

std::optional<int> answerArguments(int count, const char* const* arguments, std::ostream& out,
                                   std::ostream& err) {
  if (count == 0) return std::nullopt;
  const std::string_view first = arguments[0];
  if (first == "--check") {
    if (count > 1) {
      return checkPollFiles(std::vector<std::string>(arguments + 1, arguments + count), out, err);
    }
    err << "hoops-ranking: --check needs one or more poll files\nTry 'hoops-ranking --help'.\n"
        << std::flush;
    return 2;
  }
  if (count == 1 && first == "--help") {
    out << kUsage << std::flush;
  } else if (count == 1 && first == "--version") {
    out << "hoops-ranking " HOOPS_VERSION "\n" << std::flush;
  } else {
    err << "hoops-ranking: unexpected argument '"
        << (first == "--help" || first == "--version" ? std::string_view(arguments[1]) : first)
        << "'\nTry 'hoops-ranking --help'.\n"
        << std::flush;
    return 2;
  }
  return out ? 0 : 1;
}
