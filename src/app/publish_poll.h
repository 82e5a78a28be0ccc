// hoops-ranking --publish: the newest week of a season as its readers see it.
#ifndef HOOPS_APP_PUBLISH_POLL_H_
#define HOOPS_APP_PUBLISH_POLL_H_

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "publish/formats.h"

namespace hoops {

struct PublishRequest {
  bool wholeSeason = false;  // --season: the season's table, not its newest week
  Format format = Format::kText;
  std::vector<std::string> weeks;     // the season's poll files, in any order
  std::vector<std::string> ballots;   // the newest week's ballots, for first-place votes
  std::optional<std::string> roster;  // the teams' other spellings, for the ballots
  int64_t top = 25;                   // the last shared rank that is ranked
  std::optional<std::string> title;   // the poll's own name
  std::optional<std::string> output;  // else standard output
  bool allFormats = false;            // every form, saved in `outputDir`
  std::optional<std::string> outputDir;
  std::optional<std::string> feed;  // with allFormats: the pages' web address, for feed.xml
};

// Publishes the newest week of `request` (publish/season.h, publish/formats.h) to `out` or
// through the save to the output file. A season that cannot be ordered (a file refused, a first
// line not a date, two files with one date), ballots with a problem or whose points are not the
// week's votes: every reason on `err`, nothing written, status 1. A file that cannot be read or
// a page that cannot be saved: status 2.
// With `wholeSeason`, the season's table (publish/season_table.h) is written instead, the
// same way. With `allFormats`, every form is saved in the output folder, named by the newest
// week's ISO date ("2025-03-09.txt", "season-2025-03-09.html"), with the Atom feed of the
// season as feed.xml when `feed` is given; standard output gets "saved PATH" for each.
int publishPoll(const PublishRequest& request, std::ostream& out, std::ostream& err);

}  // namespace hoops

#endif  // HOOPS_APP_PUBLISH_POLL_H_
