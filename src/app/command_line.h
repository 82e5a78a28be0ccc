// The program's command line: --help, --version, --check FILE..., or nothing at all.
#ifndef HOOPS_APP_COMMAND_LINE_H_
#define HOOPS_APP_COMMAND_LINE_H_

#include <optional>
#include <ostream>

// Answers the arguments after the program's name, the GNU way. With none, returns nullopt: the
// dialogue runs. "-h" or "--help" anywhere before "--" writes the usage to `out`, "--version"
// the version with its copyright and licence; both return 0. "--check" and one or more files
// ("-" for standard input; after "--" every argument is a file) checks them
// (app/check_files.h) and returns its status. Anything else (--check alone too) writes
// "hoops-ranking: unexpected argument '<arg>'" (or what is missing) and a hint to `err` and
// returns 2.
std::optional<int> answerArguments(int count, const char* const* arguments, std::ostream& out,
                                   std::ostream& err);

#endif  // HOOPS_APP_COMMAND_LINE_H_
