// What keeps a week's ballots from being counted, and the list of it, bounded.
#ifndef HOOPS_BALLOTS_PROBLEM_LIST_H_
#define HOOPS_BALLOTS_PROBLEM_LIST_H_

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "poll/problem.h"

namespace hoops {

// The problems that keep a week's ballots from being counted, in the order found. The first kKept
// are kept whole and the rest only counted, so that a file of a million bad rows takes no more
// memory than a few.
class ProblemList {
 public:
  static constexpr std::size_t kKept = 100;

  void push_back(Problem problem) {
    if (kept_.size() < kKept) kept_.push_back(std::move(problem));
    ++count_;
  }
  // True when the next one found is kept whole.
  bool keepsNext() const { return kept_.size() < kKept; }
  // The problem found `index`th (from 0), or nullptr when it was not kept.
  Problem* kept(std::size_t index) { return index < kept_.size() ? &kept_[index] : nullptr; }
  // How many were found, kept or not.
  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  std::vector<Problem>::const_iterator begin() const { return kept_.begin(); }
  std::vector<Problem>::const_iterator end() const { return kept_.end(); }
  // How many were found past those kept.
  std::size_t notKept() const { return count_ - kept_.size(); }

 private:
  std::vector<Problem> kept_;
  std::size_t count_ = 0;
};

}  // namespace hoops

#endif  // HOOPS_BALLOTS_PROBLEM_LIST_H_
