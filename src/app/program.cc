#include "app/program.h"

#include <cstring>

#include "app/main_menu.h"
#include "app/title_screen.h"

int runProgram(std::istream& in, std::ostream& out) {
  showTitleScreen(in, out);
  runMainMenu(in, out);
  out << "Press any key to exit." << std::flush;
  in.get();
  return 0;
}

int exitStatus(int readError, int writeError, std::ostream& err) {
  if (readError != 0) {
    err << "hoops-ranking: error reading standard input: " << std::strerror(readError) << '\n';
  }
  if (writeError != 0) err << "hoops-ranking: write error: " << std::strerror(writeError) << '\n';
  err << std::flush;
  return readError != 0 || writeError != 0 ? 1 : 0;
}
