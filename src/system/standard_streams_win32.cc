// The standard streams on Windows, whose C runtime translates line ends in text mode.
#include <fcntl.h>
#include <io.h>

#include "system/standard_streams.h"

void useBinaryStandardStreams() {
  // A console hands over each typed line with CR LF: it stays in text mode, which turns that
  // into the LF every prompt expects (and takes Ctrl-Z as the end, as consoles do). Files and
  // pipes pass every byte, and so do standard output and standard error: lines end in LF.
  if (_isatty(kStandardInput) == 0) _setmode(kStandardInput, _O_BINARY);
  _setmode(kStandardOutput, _O_BINARY);
  _setmode(kStandardError, _O_BINARY);
}
