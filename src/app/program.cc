// The whole run: title screen, menu, goodbye, and the exit status.
#include "app/program.h"

#include "app/main_menu.h"
#include "app/title_screen.h"
#include "console/line_prompt.h"
#include "system/error_text.h"
#include "system/terminal.h"

namespace hoops {

void runProgram(std::istream& in, std::ostream& out, std::ostream& err, int keyboard,
                bool terminal) {
  showTitleScreen(in, out);
  runMainMenu(in, out, err, terminal);
  out << "Press any key to exit." << std::flush;
  // A key typed ahead already waits in the stream; otherwise the terminal hands over the
  // next key as it is pressed.
  SingleKeyMode mode(in.rdbuf()->in_avail() > 0 ? -1 : keyboard);
  waitForKey(in);
}

int exitStatus(int readError, int writeError, std::ostream& err) {
  if (readError != 0) {
    err << "hoops-ranking: error reading standard input: " << errorText(readError) << '\n';
  }
  if (writeError != 0) err << "hoops-ranking: write error: " << errorText(writeError) << '\n';
  err << std::flush;
  return readError != 0 || writeError != 0 ? 1 : 0;
}

}  // namespace hoops
