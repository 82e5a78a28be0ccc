// The entry point: runs the program on standard input and output and turns their errors into the
// exit status.
#include <iostream>
#include <new>
#include <optional>

#include "app/command_line.h"
#include "app/program.h"
#include "console/terminal_text.h"
#include "system/file_streams.h"
#include "system/signals.h"
#include "system/standard_streams.h"
#include "system/status.h"
#include "system/terminal.h"

namespace hoops {
namespace {

constexpr const char* kOutOfMemory = "hoops-ranking: out of memory\n";

// While it lives, `stream` writes through `buffer` (when not null); then as before.
class StreamBufferSwap {
 public:
  StreamBufferSwap(std::ostream& stream, std::streambuf* buffer)
      : stream_(stream), before_(buffer != nullptr ? stream.rdbuf(buffer) : nullptr) {}
  ~StreamBufferSwap() {
    if (before_ != nullptr) {
      stream_.flush();
      stream_.rdbuf(before_);
    }
  }
  StreamBufferSwap(const StreamBufferSwap&) = delete;
  StreamBufferSwap& operator=(const StreamBufferSwap&) = delete;

 private:
  std::ostream& stream_;
  std::streambuf* before_;
};

int run(int argc, char** argv) {
  // The dialogue and the files are the same bytes on every system: lines end in a line feed.
  useBinaryStandardStreams();
  // A reader that leaves, of standard output or of a FIFO being saved to, and a write past the
  // file size limit are write errors like any other, not the end of the run.
  ignoreWriteSignals();
  // Standard output goes through a buffer of the program's own, which remembers why a write
  // failed, in every mode.
  FileWriteBuffer output(realFileSystem(), kStandardOutput);
  // On a terminal, what a name or a file holds cannot drive it: control characters are '?',
  // on standard output and standard error alike; into a file or a pipe the bytes are as they
  // are.
  TerminalTextBuffer safeOutput(&output);
  std::ostream out(isTerminal(kStandardOutput) ? static_cast<std::streambuf*>(&safeOutput)
                                               : &output);
  TerminalTextBuffer safeError(std::cerr.rdbuf());
  const StreamBufferSwap errorOnTerminal(std::cerr,
                                         isTerminal(kStandardError) ? &safeError : nullptr);
  {
    // A mode's reasons and findings go to standard error through a buffer, not a write a
    // piece: a file of many problems is told in a few writes.
    FileWriteBuffer errors(realFileSystem(), kStandardError);
    TerminalTextBuffer safeErrors(&errors);
    std::ostream err(isTerminal(kStandardError) ? static_cast<std::streambuf*>(&safeErrors)
                                                : &errors);
    if (std::optional<int> status = answerArguments(argc - 1, argv + 1, out, err)) {
      out.flush();
      err.flush();
      if (output.status().ok()) return *status;
      err << "hoops-ranking: write error: " << output.status().text() << '\n' << std::flush;
      return 2;
    }
  }
  FileReadBuffer input(realFileSystem(), kStandardInput);
  std::istream in(&input);
  // Lines are not flushed one by one; every prompt is, and, as with std::cin and std::cout,
  // anything still held is flushed before input is read.
  in.tie(&out);
  runProgram(in, out, std::cerr, kStandardInput, isTerminal(kStandardOutput));
  out.flush();
  return exitStatus(input.status(), output.status(), std::cerr);
}

}  // namespace
}  // namespace hoops

int main(int argc, char** argv) {
  // Out of memory where no option or mode can abandon what it was doing (before the first
  // prompt, say), the run ends with the same words and status as a mode that runs out.
  hoops::endWithoutMemoryAs(hoops::kOutOfMemory);
  try {
    return hoops::run(argc, argv);
  } catch (const std::bad_alloc&) {
    hoops::writeLastWords(hoops::kOutOfMemory);
    return 2;
  }
}
