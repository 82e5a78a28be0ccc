// The entry point: runs the program on standard input and output and turns their errors into the
// exit status.
#include <iostream>
#include <new>
#include <optional>

#include "app/command_line.h"
#include "app/program.h"
#include "system/error_text.h"
#include "system/file_streams.h"
#include "system/signals.h"
#include "system/standard_streams.h"
#include "system/terminal.h"

namespace {

constexpr const char* kOutOfMemory = "hoops-ranking: out of memory\n";

int run(int argc, char** argv) {
  // The dialogue and the files are the same bytes on every system: lines end in a line feed.
  useBinaryStandardStreams();
  // A reader that leaves, of standard output or of a FIFO being saved to, and a write past the
  // file size limit are write errors like any other, not the end of the run.
  ignoreWriteSignals();
  // Standard output goes through a buffer of the program's own, which remembers why a write
  // failed, in every mode.
  FileWriteBuffer output(realFileSystem(), kStandardOutput);
  std::ostream out(&output);
  if (std::optional<int> status = answerArguments(argc - 1, argv + 1, out, std::cerr)) {
    out.flush();
    if (output.error() == 0) return *status;
    std::cerr << "hoops-ranking: write error: " << errorText(output.error()) << '\n' << std::flush;
    return 2;
  }
  FileReadBuffer input(realFileSystem(), kStandardInput);
  std::istream in(&input);
  // Lines are not flushed one by one; every prompt is, and, as with std::cin and std::cout,
  // anything still held is flushed before input is read.
  in.tie(&out);
  runProgram(in, out, std::cerr, kStandardInput, isTerminal(kStandardOutput));
  out.flush();
  return exitStatus(input.error(), output.error(), std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
  // Out of memory where no option or mode can abandon what it was doing (before the first
  // prompt, say), the run ends with the same words and status as a mode that runs out.
  endWithoutMemoryAs(kOutOfMemory);
  try {
    return run(argc, argv);
  } catch (const std::bad_alloc&) {
    writeLastWords(kOutOfMemory);
    return 2;
  }
}
