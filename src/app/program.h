// The whole run of the program and its exit status.
#ifndef HOOPS_APP_PROGRAM_H_
#define HOOPS_APP_PROGRAM_H_

#include <istream>
#include <ostream>

#include "system/status.h"

namespace hoops {

// The whole program: title screen, main menu, then "Press any key to exit." and a wait for
// one character. Why a load or save failed goes to `err`. When `keyboard` is the descriptor
// of a terminal that `in` reads, and no typed character waits in `in`, that last wait takes
// a single key without Enter. With `terminal`, `out` is a terminal (app/main_menu.h).
void runProgram(std::istream& in, std::ostream& out, std::ostream& err, int keyboard = -1,
                bool terminal = false);

// The exit status once the dialogue is over, given why a read error ended standard input and
// why a write to standard output failed: 0 when both are done; otherwise 1, after one line on
// `err` for each failure ("hoops-ranking: error reading standard input: <reason>",
// "hoops-ranking: write error: <reason>").
int exitStatus(const Status& input, const Status& output, std::ostream& err);

}  // namespace hoops

#endif  // HOOPS_APP_PROGRAM_H_
