// A table as fan polls post it, then the others and the dropped as paragraphs.
#include <string>
#include <string_view>

#include "publish/writers.h"

namespace hoops {

// `text` with every character Markdown could read as markup escaped, so a name is shown as it
// is: a '|' cannot end a cell, nor a '*' start emphasis, nor "&lt;" become '<'. Nor is any
// part of it made a link, as GitHub's and Reddit's Markdown link bare addresses: the ':' of
// "http:" and "mailto:", the '.' of "www.", the '/' of Reddit's "r/", and (by a word joiner,
// U+2060, before it) the '@' of an email address are kept from being read so.
std::string markdownEscaped(std::string_view text) {
  std::string markdown;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    const bool afterWww =
        at >= 3 && (text.substr(at - 3, 3) == "www" || text.substr(at - 3, 3) == "WWW");
    if (std::string_view("\\`*_[]<>|#~:/").find(c) != std::string_view::npos ||
        (c == '.' && afterWww)) {
      markdown += '\\';
    }
    if (c == '&') {
      markdown += "&amp;";
    } else if (c == '@') {
      markdown += "&#8288;@";
    } else {
      markdown += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
  }
  return markdown;
}

void writeMarkdown(std::ostream& out, const PublishedWeek& week) {
  out << "**" << markdownEscaped(week.title.empty() ? week.date : heading(week)) << "**\n\n";
  out << "|Rank|Team|Record|Points|Last week|Change|\n";
  out << "|---:|:---|:---:|---:|---:|---:|\n";
  for (const PublishedTeam* team : week.ranked()) {
    out << '|' << team->rank << '|' << markdownEscaped(nameWithFirstPlaces(*team)) << '|'
        << team->wins << '-' << team->losses << '|' << withThousands(team->points) << '|'
        << (team->lastWeekRank ? std::to_string(*team->lastWeekRank) : "-") << '|'
        << shownChange(*team) << "|\n";
  }
  const auto name = [](std::string_view text) { return markdownEscaped(text); };
  for (const std::string& line : {othersLine(week, name), droppedLine(week, name)}) {
    if (!line.empty()) out << '\n' << line << '\n';
  }
}

}  // namespace hoops
