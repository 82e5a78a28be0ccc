// The entry point: runs the program on standard input and output and turns their errors into the
// exit status.
#include <iostream>
#include <optional>

#include "app/command_line.h"
#include "app/program.h"
#include "system/file_streams.h"
#include "system/signals.h"
#include "system/standard_streams.h"

int main(int argc, char** argv) {
  // The dialogue and the files are the same bytes on every system: lines end in a line feed.
  useBinaryStandardStreams();
  if (std::optional<int> status = answerArguments(argc - 1, argv + 1, std::cout, std::cerr)) {
    return *status;
  }
  // A reader that leaves, of standard output or of a FIFO being saved to, and a write past the
  // file size limit are write errors like any other, not the end of the run.
  ignoreWriteSignals();
  // Standard input and output go through buffers of the program's own, which remember why a
  // read or a write failed.
  FileReadBuffer input(realFileSystem(), kStandardInput);
  FileWriteBuffer output(realFileSystem(), kStandardOutput);
  std::istream in(&input);
  std::ostream out(&output);
  // Lines are not flushed one by one; every prompt is, and, as with std::cin and std::cout,
  // anything still held is flushed before input is read.
  in.tie(&out);
  runProgram(in, out, std::cerr, kStandardInput);
  out.flush();
  return exitStatus(input.error(), output.error(), std::cerr);
}
