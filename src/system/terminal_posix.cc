// Single-key mode for a POSIX terminal.
#include <termios.h>
#include <unistd.h>

#include <new>

#include "system/terminal.h"

namespace hoops {

bool isTerminal(int fd) {
  return isatty(fd) != 0;
}

struct SingleKeyMode::Saved {
  int fd;
  termios settings;
};

SingleKeyMode::SingleKeyMode(int fd) {
  termios settings{};
  if (fd < 0 || !isatty(fd) || tcgetattr(fd, &settings) != 0) return;
  termios raw = settings;
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  // With no memory left for the settings the terminal is left as it is.
  saved_.reset(new (std::nothrow) Saved{fd, settings});
  if (saved_ && tcsetattr(fd, TCSANOW, &raw) != 0) saved_.reset();
}

SingleKeyMode::~SingleKeyMode() {
  if (saved_) tcsetattr(saved_->fd, TCSANOW, &saved_->settings);
}

}  // namespace hoops
