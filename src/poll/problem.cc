// What is wrong in a file, told as compilers and grep tell it.
#include "poll/problem.h"

namespace hoops {

std::string Problem::text() const {
  std::string text;
  if (file.empty()) {
    text = "hoops-ranking";
  } else if (line == 0) {
    text = file;
  } else {
    text = placeOf(file, line);
  }
  text += ": ";
  text += what;
  return text;
}

std::ostream& operator<<(std::ostream& out, const Problem& problem) {
  if (problem.file.empty()) return out << "hoops-ranking: " << problem.what;
  out << problem.file;
  if (problem.line != 0) out << ':' << problem.line;
  return out << ": " << problem.what;
}

void tellNotes(std::ostream& out, const std::vector<std::string>& notes) {
  for (const std::string& note : notes) out << "hoops-ranking: " << note << '\n';
}

std::string placeOf(const std::string& file, std::size_t line) {
  std::string place = file;
  place += ':';
  place += std::to_string(line);
  return place;
}

}  // namespace hoops
