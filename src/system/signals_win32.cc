// Holding Ctrl-C and Ctrl-Break with a console control handler while a save runs.
#include <windows.h>

#include <atomic>

#include "system/signals.h"

namespace {

// Set by the handler, which Windows runs on a thread of its own.
std::atomic<bool> gEndAsked{false};

BOOL WINAPI holdEnd(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  gEndAsked = true;
  return TRUE;  // handled: the run goes on until the save is over
}

}  // namespace

// Writes to a pipe whose reader has gone already fail without a signal here.
void ignoreBrokenPipes() {}

struct SignalsHeld::Previous {};

SignalsHeld::SignalsHeld() {
  gEndAsked = false;
  SetConsoleCtrlHandler(holdEnd, TRUE);
}

SignalsHeld::~SignalsHeld() {
  SetConsoleCtrlHandler(holdEnd, FALSE);
  if (gEndAsked) ExitProcess(STATUS_CONTROL_C_EXIT);  // as the key would have done at once
}
