// Single-key mode for a Windows console.
#include <io.h>
#include <windows.h>

#include <new>

#include "system/terminal.h"

namespace hoops {

bool isTerminal(int fd) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

struct SingleKeyMode::Saved {
  HANDLE console;
  DWORD mode;
};

SingleKeyMode::SingleKeyMode(int fd) {
  if (fd < 0) return;
  auto console = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  DWORD mode = 0;
  if (console == INVALID_HANDLE_VALUE || GetConsoleMode(console, &mode) == 0) return;
  // With no memory left for the settings the console is left as it is.
  saved_.reset(new (std::nothrow) Saved{console, mode});
  const DWORD raw =
      mode & ~static_cast<DWORD>(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_PROCESSED_INPUT);
  if (saved_ && SetConsoleMode(console, raw) == 0) saved_.reset();
}

SingleKeyMode::~SingleKeyMode() {
  if (saved_) SetConsoleMode(saved_->console, saved_->mode);
}

}  // namespace hoops
