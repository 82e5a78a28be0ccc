#include "app/program.h"

#include "app/main_menu.h"
#include "app/title_screen.h"

int runProgram(std::istream& in, std::ostream& out) {
  showTitleScreen(in, out);
  runMainMenu(in, out);
  out << "Press any key to exit." << std::flush;
  in.get();
  return 0;
}
