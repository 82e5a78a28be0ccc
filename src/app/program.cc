// The whole run: title screen, menu, goodbye, and the exit status.
#include "app/program.h"

#include "app/main_menu.h"
#include "app/title_screen.h"
#include "console/line_prompt.h"
#include "system/status.h"
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

int exitStatus(const Status& input, const Status& output, std::ostream& err) {
  if (!input.ok()) err << "hoops-ranking: error reading standard input: " << input.text() << '\n';
  if (!output.ok()) err << "hoops-ranking: write error: " << output.text() << '\n';
  err << std::flush;
  return input.ok() && output.ok() ? 0 : 1;
}

}  // namespace hoops
