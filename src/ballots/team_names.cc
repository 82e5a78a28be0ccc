// Team names: found by spelling, suggested by nearness.
#include "ballots/team_names.h"

#include <algorithm>
#include <limits>

#include "ballots/name_folding.h"

namespace hoops {

namespace {

// The edit distance of `a` and `b` (insertions, deletions, changes and swaps of two neighbours,
// each one step), when it is at most `limit`; more than `limit` otherwise. Only a band of
// 2 * limit + 1 cells a row is worked out, so a long name costs little.
std::size_t distanceWithin(std::string_view a, std::string_view b, std::size_t limit) {
  const std::size_t beyond = limit + 1;
  if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > limit) return beyond;
  const std::size_t width = b.size() + 1;
  // Three rows: two before the current, for the swap.
  std::vector<std::size_t> rows(3 * width, beyond);
  const auto cell = [&](std::size_t i, std::size_t j) -> std::size_t& {
    return rows[(i % 3) * width + j];
  };
  for (std::size_t j = 0; j <= std::min(b.size(), limit); ++j) cell(0, j) = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    const std::size_t from = i > limit ? i - limit : 0;
    const std::size_t to = std::min(b.size(), i + limit);
    std::fill_n(&cell(i, 0), width, beyond);
    if (from == 0) cell(i, 0) = i;
    std::size_t best = beyond;
    for (std::size_t j = std::max<std::size_t>(from, 1); j <= to; ++j) {
      std::size_t value = std::min({cell(i - 1, j) + 1, cell(i, j - 1) + 1,
                                    cell(i - 1, j - 1) + (a[i - 1] == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        value = std::min(value, cell(i - 2, j - 2) + 1);
      }
      cell(i, j) = std::min(value, beyond);
      best = std::min(best, cell(i, j));
    }
    if (from == 0) best = std::min(best, cell(i, 0));
    if (best > limit) return beyond;
  }
  return cell(a.size(), b.size());
}

// How many steps a misspelling of a name of `length` letters may be: one in a short name,
// two from five letters, three from nine.
std::size_t misspellingLimit(std::size_t length) {
  return length < 5 ? 1 : length < 9 ? 2 : 3;
}

}  // namespace

void TeamNames::add(std::string_view spelling, std::size_t team) {
  if (exact_.find(spelling) != exact_.end()) return;
  exact_.emplace(std::string(spelling), team);
  normalized_.emplace(normalizedName(spelling), team);
  std::string folded = foldedName(spelling);
  folded_.emplace(folded, team);
  spellings_.push_back({std::move(folded), abbreviatedName(spelling), team});
}

std::optional<std::size_t> TeamNames::named(std::string_view spelling) const {
  if (const auto found = exact_.find(spelling); found != exact_.end()) return found->second;
  if (const auto found = normalized_.find(normalizedName(spelling)); found != normalized_.end()) {
    return found->second;
  }
  return std::nullopt;
}

std::optional<std::size_t> TeamNames::alike(std::string_view spelling) const {
  if (const auto found = folded_.find(foldedName(spelling)); found != folded_.end()) {
    return found->second;
  }
  return std::nullopt;
}

std::vector<std::size_t> TeamNames::near(std::string_view spelling, std::size_t most) const {
  const std::string folded = foldedName(spelling);
  const std::string abbreviated = abbreviatedName(spelling);
  const std::size_t limit = misspellingLimit(abbreviated.size());
  // Each team's nearest spelling: 0 alike, 1 alike but for abbreviations, 2 + the steps of a
  // misspelling.
  struct Candidate {
    std::size_t nearness;
    std::size_t team;
  };
  std::vector<Candidate> candidates;
  for (const Spelling& known : spellings_) {
    std::size_t nearness = std::numeric_limits<std::size_t>::max();
    if (known.folded == folded && !folded.empty()) {
      nearness = 0;
    } else if (known.abbreviated == abbreviated && !abbreviated.empty()) {
      nearness = 1;
    } else if (const std::size_t steps = distanceWithin(abbreviated, known.abbreviated, limit);
               steps <= limit) {
      nearness = 2 + steps;
    } else {
      continue;
    }
    const auto same = std::find_if(candidates.begin(), candidates.end(),
                                   [&](const Candidate& c) { return c.team == known.team; });
    if (same == candidates.end()) {
      candidates.push_back({nearness, known.team});
    } else {
      same->nearness = std::min(same->nearness, nearness);
    }
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& a, const Candidate& b) { return a.nearness < b.nearness; });
  std::vector<std::size_t> teams;
  for (std::size_t i = 0; i < candidates.size() && i < most; ++i) {
    teams.push_back(candidates[i].team);
  }
  return teams;
}

}  // namespace hoops
