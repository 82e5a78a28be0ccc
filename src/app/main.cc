#include <iostream>

#include "app/program.h"

int main() {
  // The program uses only the C++ streams; unsynchronised they buffer, and every prompt is
  // flushed before input is read, so the operator still sees each one before typing.
  std::ios::sync_with_stdio(false);
  return runProgram(std::cin, std::cout);
}
