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
  // All of them but the faults of the program's own, which a held mask would turn into a
  // hang or a silent end; SIGKILL and SIGSTOP cannot be held, and the system leaves them out.
  sigset_t held;
  sigfillset(&held);
  for (int fault : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGABRT, SIGSYS}) {
    sigdelset(&held, fault);
  }
  sigprocmask(SIG_BLOCK, &held, &previous_->mask);
}

SignalsHeld::~SignalsHeld() {
  sigprocmask(SIG_SETMASK, &previous_->mask, nullptr);
}
