// What keeps a week's ballots from being counted, and the list of it, bounded.
#ifndef HOOPS_BALLOTS_PROBLEM_LIST_H_
#define HOOPS_BALLOTS_PROBLEM_LIST_H_

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace hoops {

// Something in a file that keeps the week from being counted, where it stands: a line of
// `file` (0: the file as a whole), or, with no file, the run as a whole.
struct BallotProblem {
  std::string file;
  std::size_t line = 0;
  std::string what;
};

// The problems found, in the order found. The first kKept are kept whole and the rest only
// counted, so that a file of a million bad rows takes no more memory than a few.
class ProblemList {
 public:
  static constexpr std::size_t kKept = 100;

  void push_back(BallotProblem problem) {
    if (kept_.size() < kKept) kept_.push_back(std::move(problem));
    ++count_;
  }
  // True when the next one found is kept whole.
  bool keepsNext() const { return kept_.size() < kKept; }
  // The problem found `index`th (from 0), or nullptr when it was not kept.
  BallotProblem* kept(std::size_t index) { return index < kept_.size() ? &kept_[index] : nullptr; }
  // How many were found, kept or not.
  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  std::vector<BallotProblem>::const_iterator begin() const { return kept_.begin(); }
  std::vector<BallotProblem>::const_iterator end() const { return kept_.end(); }
  // How many were found past those kept.
  std::size_t notKept() const { return count_ - kept_.size(); }

 private:
  std::vector<BallotProblem> kept_;
  std::size_t count_ = 0;
};

}  // namespace hoops

#endif  // HOOPS_BALLOTS_PROBLEM_LIST_H_
