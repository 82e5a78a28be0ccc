// The season as an Atom feed: a feed reader follows the poll week by week.
#include <string>

#include "poll/date.h"
#include "publish/escape.h"
#include "publish/formats.h"
#include "publish/writers.h"

namespace hoops {

void writeFeed(std::ostream& out, const std::vector<Week>& weeks, int64_t top,
               std::string_view title, std::string_view url) {
  std::string base(url);
  if (base.empty() || base.back() != '/') base += '/';
  const std::string name = title.empty() ? "Top " + std::to_string(top) : std::string(title);
  const auto stamp = [](const Week& week) {
    return isoDate(week.date).value_or("1970-01-01") + "T00:00:00Z";
  };
  out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
         "<feed xmlns=\"http://www.w3.org/2005/Atom\">\n<title>"
      << htmlEscaped(name) << "</title>\n<id>" << htmlEscaped(base) << "</id>\n<link href=\""
      << htmlEscaped(base) << "\"/>\n<link rel=\"self\" href=\"" << htmlEscaped(base)
      << "feed.xml\"/>\n<updated>" << stamp(weeks.back()) << "</updated>\n<author><name>"
      << htmlEscaped(name) << "</name></author>\n";
  for (auto week = weeks.rbegin(); week != weeks.rend(); ++week) {
    const std::string page = base + isoDate(week->date).value_or(week->date) + ".html";
    std::string summary;
    for (const Week::Row& row : week->rows) {
      if (row.rank == 0 || row.rank > top) continue;
      summary +=
          (summary.empty() ? "" : "; ") + std::to_string(row.rank) + " " + std::string(row.name);
    }
    out << "<entry>\n<title>" << htmlEscaped(name + ", " + week->date) << "</title>\n<id>"
        << htmlEscaped(page) << "</id>\n<link href=\"" << htmlEscaped(page) << "\"/>\n<updated>"
        << stamp(*week) << "</updated>\n<summary>" << htmlEscaped(summary)
        << "</summary>\n</entry>\n";
  }
  out << "</feed>\n";
}

}  // namespace hoops
