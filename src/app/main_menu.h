// The main menu loop over one poll.
#ifndef HOOPS_APP_MAIN_MENU_H_
#define HOOPS_APP_MAIN_MENU_H_

#include <istream>
#include <ostream>

// Runs the numbered menu over one poll, created empty, until the operator chooses option 9
// or `in` ends; the poll is then discarded unsaved.
void runMainMenu(std::istream& in, std::ostream& out);

#endif  // HOOPS_APP_MAIN_MENU_H_
