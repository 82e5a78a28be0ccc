// Choosing a format, and the words every format shares.
#include "publish/formats.h"

#include <algorithm>

#include "poll/date.h"
#include "publish/writers.h"

namespace hoops {

std::optional<Format> formatNamed(std::string_view name) {
  if (name == "text") return Format::kText;
  if (name == "markdown") return Format::kMarkdown;
  if (name == "csv") return Format::kCsv;
  if (name == "json") return Format::kJson;
  if (name == "html") return Format::kHtml;
  return std::nullopt;
}

std::string_view extensionOf(Format format) {
  switch (format) {
    case Format::kText:
      return "txt";
    case Format::kMarkdown:
      return "md";
    case Format::kCsv:
      return "csv";
    case Format::kJson:
      return "json";
    case Format::kHtml:
      return "html";
  }
  return "txt";
}

void writePublished(std::ostream& out, const PublishedWeek& week, Format format,
                    std::vector<std::string>& notes) {
  switch (format) {
    case Format::kText:
      return writeText(out, week);
    case Format::kMarkdown:
      return writeMarkdown(out, week);
    case Format::kCsv:
      return writeCsv(out, week);
    case Format::kJson:
      return writeJson(out, week, notes);
    case Format::kHtml:
      return writeHtml(out, week);
  }
}

std::size_t widthOf(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::string withThousands(int64_t number) {
  std::string digits = std::to_string(number);
  const std::size_t sign = number < 0 ? 1 : 0;
  for (std::size_t at = digits.size(); at > sign + 3; at -= 3) digits.insert(at - 3, 1, ',');
  return digits;
}

std::string nameWithFirstPlaces(const PublishedTeam& team) {
  if (team.firstPlaceVotes == 0) return std::string(team.name);
  std::string name(team.name);
  name += " (";
  name += std::to_string(team.firstPlaceVotes);
  name += ')';
  return name;
}

std::vector<std::string> shortDates(const std::vector<std::string>& dates) {
  std::vector<std::string> labels;
  if (dates.empty()) return labels;
  const bool crossesAYear = yearOf(dates.front()) != yearOf(dates.back());
  for (std::size_t w = 0; w < dates.size(); ++w) {
    const bool withYear = crossesAYear && (w == 0 || yearOf(dates[w]) != yearOf(dates[w - 1]));
    labels.push_back(shortDate(dates[w], withYear).value_or(dates[w]));
  }
  return labels;
}

std::string heading(const PublishedWeek& week) {
  return (week.title.empty() ? "Top " + std::to_string(week.top) : week.title) + ", " + week.date;
}

std::string shownChange(const PublishedTeam& team) {
  const std::string moved = rankChange(team);
  return moved == "0" ? "\u2013" : moved;
}

std::string rankChange(const PublishedTeam& team) {
  if (!team.ranked) return "";
  if (!team.lastWeekRank) return "NEW";
  const int64_t moved = *team.lastWeekRank - team.rank;
  std::string text = moved > 0 ? "+" : "";  // a piece at a time: GCC 12 warns falsely of "+" + ...
  text += std::to_string(moved);
  return text;
}

}  // namespace hoops
