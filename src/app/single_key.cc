// Single-key mode for the terminal, with its settings restored on every way out.
#include "app/single_key.h"

#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstddef>
#include <iterator>

namespace {

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// What a signal handler needs to put the terminal back; set only while a mode is active.
int gFd = -1;
termios gSaved{};
struct sigaction gPrevious[std::size(kEndingSignals)];

void restoreAndEnd(int signal) {
  tcsetattr(gFd, TCSANOW, &gSaved);
  std::signal(signal, SIG_DFL);
  raise(signal);
}

}  // namespace

SingleKeyMode::SingleKeyMode(int fd) {
  if (!isatty(fd) || tcgetattr(fd, &gSaved) != 0) return;
  gFd = fd;
  struct sigaction handler {};
  handler.sa_handler = restoreAndEnd;
  sigemptyset(&handler.sa_mask);
  for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
    sigaction(kEndingSignals[i], &handler, &gPrevious[i]);
  }
  termios raw = gSaved;
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  active_ = tcsetattr(fd, TCSANOW, &raw) == 0;
}

SingleKeyMode::~SingleKeyMode() {
  if (gFd < 0) return;
  if (active_) tcsetattr(gFd, TCSANOW, &gSaved);
  for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
    sigaction(kEndingSignals[i], &gPrevious[i], nullptr);
  }
  gFd = -1;
}
