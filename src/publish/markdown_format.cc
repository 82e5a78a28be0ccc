// A table as fan polls post it, then the others and the dropped as paragraphs.
#include <string>
#include <string_view>

#include "publish/writers.h"

namespace {

// `text` with every character Markdown could read as markup escaped, so a name is shown as it
// is: a '|' cannot end a cell, nor a '*' start emphasis.
std::string markdownEscaped(std::string_view text) {
  std::string markdown;
  for (const char c : text) {
    if (std::string_view("\\`*_[]<>|#~").find(c) != std::string_view::npos) markdown += '\\';
    markdown += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
  }
  return markdown;
}

}  // namespace

void writeMarkdown(std::ostream& out, const PublishedWeek& week) {
  out << "**" << markdownEscaped(week.date) << "**\n\n";
  out << "|Rank|Team|Record|Points|Last week|Change|\n";
  out << "|---:|:---|:---:|---:|---:|---:|\n";
  for (const PublishedTeam* team : week.ranked()) {
    out << '|' << team->rank << '|' << markdownEscaped(nameWithFirstPlaces(*team)) << '|'
        << team->wins << '-' << team->losses << '|' << withThousands(team->points) << '|'
        << (team->lastWeek ? std::to_string(*team->lastWeek) : "-") << '|' << change(*team)
        << "|\n";
  }
  const auto name = [](std::string_view text) { return markdownEscaped(text); };
  for (const std::string& line : {othersLine(week, name), droppedLine(week, name)}) {
    if (!line.empty()) out << '\n' << line << '\n';
  }
}
