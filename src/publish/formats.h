// The published week in the forms its readers read it.
#ifndef HOOPS_PUBLISH_FORMATS_H_
#define HOOPS_PUBLISH_FORMATS_H_

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "publish/season.h"

namespace hoops {

enum class Format {
  kText,      // a newspaper's agate: aligned columns under a header line
  kMarkdown,  // a table as fan polls post it
  kCsv,       // RFC 4180, every team with points
  kJson,      // every team with points and the dropped, valid UTF-8
  kHtml,      // one standalone page, with the season's chart
};

// Every format, in the order --publish all writes them.
inline constexpr std::array<Format, 5> kAllFormats = {Format::kText, Format::kMarkdown,
                                                      Format::kCsv, Format::kJson, Format::kHtml};

// The file name extension of a form in `format`: txt, md, csv, json, html.
std::string_view extensionOf(Format format);

// The format called `name` (text, markdown, csv, json, html), or nullopt.
std::optional<Format> formatNamed(std::string_view name);

// Writes `week` as `format` to `out`. `notes` gets what the operator should know (names that
// are not UTF-8, written in JSON with U+FFFD).
void writePublished(std::ostream& out, const PublishedWeek& week, Format format,
                    std::vector<std::string>& notes);

// Writes an Atom feed (RFC 4287) of the season `weeks` (ordered by readSeason, top `top`): an
// entry a week, newest first, its title the week's heading (with the poll's own name `title`
// when not ""), its summary the teams ranked, its link the week's page at `url` (the folder
// of the pages, "URL/2025-03-09.html").
void writeFeed(std::ostream& out, const std::vector<Week>& weeks, int64_t top,
               std::string_view title, std::string_view url);

}  // namespace hoops

#endif  // HOOPS_PUBLISH_FORMATS_H_
