// The title screen shown once at the start of a run.
#ifndef HOOPS_APP_TITLE_SCREEN_H_
#define HOOPS_APP_TITLE_SCREEN_H_

#include <istream>
#include <ostream>

namespace hoops {

// Writes the 20-line title screen to `out`, then reads exactly one character from `in`.
void showTitleScreen(std::istream& in, std::ostream& out);

}  // namespace hoops

#endif  // HOOPS_APP_TITLE_SCREEN_H_
