// The published week in the forms its readers read it.
#ifndef HOOPS_PUBLISH_FORMATS_H_
#define HOOPS_PUBLISH_FORMATS_H_

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "publish/season.h"

enum class Format {
  kText,      // a newspaper's agate: aligned columns under a header line
  kMarkdown,  // a table as fan polls post it
  kCsv,       // RFC 4180, every team with points
  kJson,      // every team with points and the dropped, valid UTF-8
  kHtml,      // one standalone page, with the season's chart
};

// The format called `name` (text, markdown, csv, json, html), or nullopt.
std::optional<Format> formatNamed(std::string_view name);

// Writes `week` as `format` to `out`. `notes` gets what the operator should know (names that
// are not UTF-8, written in JSON with U+FFFD).
void writePublished(std::ostream& out, const PublishedWeek& week, Format format,
                    std::vector<std::string>& notes);

#endif  // HOOPS_PUBLISH_FORMATS_H_
