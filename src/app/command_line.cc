// The command line's two options and its one complaint.
#include "app/command_line.h"

#include <string_view>

namespace {

constexpr std::string_view kUsage =
    "Usage: hoops-ranking [--help | --version]\n"
    "Keep a weekly college-basketball poll at the console.\n"
    "\n"
    "With no argument, hoops-ranking shows its title screen and runs an interactive\n"
    "menu on standard input and standard output: load last week's poll from a file,\n"
    "add, edit and remove teams, show the standings, and save the new poll.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "The manual: man hoops-ranking\n";

}  // namespace

std::optional<int> answerArguments(int count, const char* const* arguments, std::ostream& out,
                                   std::ostream& err) {
  if (count == 0) return std::nullopt;
  const std::string_view first = arguments[0];
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
