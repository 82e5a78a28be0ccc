// The writer of each format, and the words they share. Only the publish room includes this.
#ifndef HOOPS_PUBLISH_WRITERS_H_
#define HOOPS_PUBLISH_WRITERS_H_

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "publish/season.h"

namespace hoops {

void writeText(std::ostream& out, const PublishedWeek& week);
void writeMarkdown(std::ostream& out, const PublishedWeek& week);
void writeCsv(std::ostream& out, const PublishedWeek& week);
void writeJson(std::ostream& out, const PublishedWeek& week, std::vector<std::string>& notes);
void writeHtml(std::ostream& out, const PublishedWeek& week);

// `text` with every character Markdown could read as markup or a link escaped.
std::string markdownEscaped(std::string_view text);
// The season's chart of `week`'s teams ranked now, week by week (the page's figure).
void writeChart(std::ostream& out, const PublishedWeek& week);
// Each date of `dates` (poll dates) in short form, "Mar 9", with the year on the first and on
// the first of a new year when they cross one.
std::vector<std::string> shortDates(const std::vector<std::string>& dates);

// How many characters a terminal or a page gives `text`: its UTF-8 code points.
std::size_t widthOf(std::string_view text);

// `number` with a comma between each three digits: 1,512.
std::string withThousands(int64_t number);
// The poll's heading: "Top 25, March 9 2025", or the poll's own name for "Top 25".
std::string heading(const PublishedWeek& week);
// The change as the table of a page or a post shows it: "–" (an en dash) for no change.
std::string shownChange(const PublishedTeam& team);
// The team as the table names it: "Gonzaga (63)" with first-place votes, else "Gonzaga".
std::string nameWithFirstPlaces(const PublishedTeam& team);
// The team's movement: "+2", "-1", "0", "NEW" when it was not ranked last week; "" when it is
// not ranked now.
std::string rankChange(const PublishedTeam& team);
// "Others receiving votes: Florida 110, Louisville 103." and "Dropped from rankings: No. 19
// Northwestern, No. 25 Ohio State.", with each name as `name` gives it; "" when there are none.
template <typename Name>
std::string othersLine(const PublishedWeek& week, Name name) {
  std::string line;
  for (const PublishedTeam* team : week.others()) {
    line += line.empty() ? "Others receiving votes: " : ", ";
    line += name(team->name);
    line += ' ';
    line += withThousands(team->points);
  }
  return line.empty() ? line : line + ".";
}
template <typename Name>
std::string droppedLine(const PublishedWeek& week, Name name) {
  std::string line;
  for (const PublishedWeek::Dropped& team : week.dropped) {
    line += line.empty() ? "Dropped from rankings: " : ", ";
    line += "No. ";
    line += std::to_string(team.lastWeekRank);
    line += ' ';
    line += name(team.name);
  }
  // One full stop, also after a name that ends in one ("No. 25 Ohio St.").
  return line.empty() || line.back() == '.' ? line : line + ".";
}

}  // namespace hoops

#endif  // HOOPS_PUBLISH_WRITERS_H_
