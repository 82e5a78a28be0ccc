// What is wrong in a file the user gave, where it stands, and the one way it is told.
#ifndef HOOPS_POLL_PROBLEM_H_
#define HOOPS_POLL_PROBLEM_H_

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace hoops {

// Something in a file that keeps it from being used, where it stands: a line of `file` (0: the
// file as a whole), or, with no file, the run as a whole.
struct Problem {
  std::string file;
  std::size_t line = 0;
  std::string what;

  // "FILE:LINE: what", "FILE: what" for a whole file, "hoops-ranking: what" for the run.
  std::string text() const;
};

// Writes problem.text() to `out`, without a line end.
std::ostream& operator<<(std::ostream& out, const Problem& problem);

// Writes each of `notes`, what the run says beside its work, to `out` as "hoops-ranking: note"
// and a line end.
void tellNotes(std::ostream& out, const std::vector<std::string>& notes);

// Where a line of a file stands, as problems name it: "FILE:LINE".
std::string placeOf(const std::string& file, std::size_t line);

}  // namespace hoops

#endif  // HOOPS_POLL_PROBLEM_H_
