// The entry point: runs the program on standard input and output and turns their errors into the
// exit status.
#include <unistd.h>

#include <iostream>

#include "app/program.h"
#include "pollfile/file_streams.h"

int main() {
  // Standard input and output go through buffers of the program's own, which remember why a
  // read or a write failed.
  FileReadBuffer input(realFileSystem(), STDIN_FILENO);
  FileWriteBuffer output(realFileSystem(), STDOUT_FILENO);
  std::istream in(&input);
  std::ostream out(&output);
  // Lines are not flushed one by one; every prompt is, and, as with std::cin and std::cout,
  // anything still held is flushed before input is read.
  in.tie(&out);
  runProgram(in, out, STDIN_FILENO);
  out.flush();
  return exitStatus(input.error(), output.error(), std::cerr);
}
