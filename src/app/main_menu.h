// The main menu loop over one poll.
#ifndef HOOPS_APP_MAIN_MENU_H_
#define HOOPS_APP_MAIN_MENU_H_

#include <istream>
#include <ostream>

namespace hoops {

// Runs the numbered menu over one poll, created empty, until the operator chooses option 9
// or `in` ends; the poll is then discarded unsaved. A failed load or save is explained in
// one line on `err` ("hoops-ranking: cannot open '<path>': <reason>", or "cannot save"),
// after `out` is flushed and before the menu's own message. With `terminal` (`out` is one),
// names are shown with their control characters visible (console/standings.h).
void runMainMenu(std::istream& in, std::ostream& out, std::ostream& err, bool terminal = false);

}  // namespace hoops

#endif  // HOOPS_APP_MAIN_MENU_H_
