#ifndef HOOPS_APP_PROGRAM_H_
#define HOOPS_APP_PROGRAM_H_

#include <istream>
#include <ostream>

// The whole program: title screen, main menu, then "Press any key to exit." and a wait for
// one character. Returns the exit status, always 0.
int runProgram(std::istream& in, std::ostream& out);

#endif  // HOOPS_APP_PROGRAM_H_
