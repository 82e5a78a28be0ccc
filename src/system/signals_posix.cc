// Holding signals with the process's signal mask; one thread, so the process's is the thread's.
#include <csignal>

#include "system/signals.h"

void ignoreWriteSignals() {
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
}

struct SignalsHeld::Previous {
  sigset_t mask;
};

SignalsHeld::SignalsHeld() : previous_(new Previous) {
  // All of them, the faults too when another process sends them: a fault of the program's own
  // still ends it at once, as the system delivers such a fault whatever the mask says (and
  // abort() lets its own signal through). SIGKILL and SIGSTOP cannot be held, and the system
  // leaves them out.
  sigset_t held;
  sigfillset(&held);
  sigprocmask(SIG_BLOCK, &held, &previous_->mask);
}

SignalsHeld::~SignalsHeld() {
  sigprocmask(SIG_SETMASK, &previous_->mask, nullptr);
}
