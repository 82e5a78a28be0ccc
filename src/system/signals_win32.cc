// Holding Ctrl-C, Ctrl-Break and the console's close, log-off and shutdown with a console
// control handler while a save runs.
#include <windows.h>

#include <atomic>

#include "system/signals.h"

namespace hoops {

namespace {

// Set by the handler, which Windows runs on a thread of its own.
std::atomic<bool> gEndAsked{false};
// Signalled while no save runs; made once, on the first save.
HANDLE gSaveOver = nullptr;

BOOL WINAPI holdEnd(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      gEndAsked = true;
      return TRUE;  // handled: the run goes on until the save is over
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      // The system ends the run when the handlers return (or when its own wait runs out):
      // the save is let finish first.
      WaitForSingleObject(gSaveOver, INFINITE);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

// Writes to a pipe whose reader has gone, or past a size limit, already fail without a
// signal here.
void ignoreWriteSignals() {}

struct SaveSignals::Previous {};

SaveSignals::SaveSignals() {
  if (gSaveOver == nullptr) gSaveOver = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (gSaveOver != nullptr) ResetEvent(gSaveOver);
  gEndAsked = false;
  SetConsoleCtrlHandler(holdEnd, TRUE);
}

SaveSignals::~SaveSignals() {
  if (gSaveOver != nullptr) SetEvent(gSaveOver);
  SetConsoleCtrlHandler(holdEnd, FALSE);
  if (gEndAsked) ExitProcess(STATUS_CONTROL_C_EXIT);  // as the key would have done at once
}

// The stop keys wait for the save here as the other events do: nothing to let through.
void SaveSignals::letStopsThrough(bool) {}

void SaveSignals::removeOnStop(int, int, const std::string&, uint64_t, uint64_t) {}

StopsLetThrough::StopsLetThrough() : let_(false) {}

StopsLetThrough::~StopsLetThrough() = default;

}  // namespace hoops
