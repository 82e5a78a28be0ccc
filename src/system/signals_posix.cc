// Holding signals with the process's signal mask; one thread, so the process's is the thread's.
#include <csignal>

#include "system/signals.h"

void ignoreBrokenPipes() {
  std::signal(SIGPIPE, SIG_IGN);
}

struct SignalsHeld::Previous {
  sigset_t mask;
};

SignalsHeld::SignalsHeld() : previous_(new Previous) {
  sigset_t held;
  sigemptyset(&held);
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&held, signal);
  sigprocmask(SIG_BLOCK, &held, &previous_->mask);
}

SignalsHeld::~SignalsHeld() {
  sigprocmask(SIG_SETMASK, &previous_->mask, nullptr);
}
