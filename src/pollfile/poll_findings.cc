// What each finding says: what is in the file, and what to change in it or in its export.
#include "pollfile/poll_findings.h"

#include <algorithm>

namespace hoops {

namespace {

constexpr const char* kWords[] = {
    "UTF-16 text or NUL bytes; export the file as plain text or UTF-8",
    "the first line is longer than a poll date; put the date alone on it, as March 2 2025",
    "a header row; delete it: the date comes first, then one team a line",
    "a field in double quotes; export the file without quoting text",
    "commas where tabs belong; export the file with tabs between the columns",
    "columns separated by spaces; put a tab after the name",
    "a record turned into a date; read the record column as text, as 24-2",
    "a number with a thousands separator; write it in digits alone",
    "a number over 2147483647",
    "a line longer than 8 KiB",
    "not a row: position, name, a tab, wins-losses, votes, last week",
    "a name in double quotes; the quotes are kept as part of it",
    "a name with control characters; a terminal shows each as ?",
    "a team with 0 votes; the ranking drops it",
};
static_assert(sizeof kWords / sizeof kWords[0] == FindingTally::kKinds);

}  // namespace

std::string Finding::text() const {
  if (more == 0) return what;
  return what + " (and " + std::to_string(more) + " more line" + (more == 1 ? ")" : "s)");
}

std::vector<Finding> FindingTally::findings() const {
  std::vector<Finding> findings;
  for (std::size_t kind = 0; kind < kKinds; ++kind) {
    if (count_[kind] == 0) continue;
    findings.push_back({first_[kind], count_[kind] - 1, kWords[kind], kind < kQuotedName});
  }
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  return findings;
}

}  // namespace hoops
