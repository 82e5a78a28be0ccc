// The program's command line answered: help, version, a mode, or nothing at all (the dialogue).
#ifndef HOOPS_APP_COMMAND_LINE_H_
#define HOOPS_APP_COMMAND_LINE_H_

#include <optional>
#include <ostream>

namespace hoops {

// Answers the arguments after the program's name (app/arguments.h). With none, returns nullopt:
// the dialogue runs. Help and version go to `out`, status 0. A mode runs and its status is
// returned (app/check_files.h, app/tally_ballots.h, app/publish_poll.h). A command line refused
// writes "hoops-ranking: <what is wrong>" and a hint to `err` and returns 2.
std::optional<int> answerArguments(int count, const char* const* arguments, std::ostream& out,
                                   std::ostream& err);

}  // namespace hoops

#endif  // HOOPS_APP_COMMAND_LINE_H_
