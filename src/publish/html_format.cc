// One standalone page: the table with its caption and header cells, the others and the
// dropped, and with two weeks or more an inline SVG chart of the season. No script, nothing
// fetched (the page's own policy forbids it), every name escaped.
#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "poll/date.h"
#include "publish/escape.h"
#include "publish/writers.h"

namespace hoops {

namespace {

// Each line's look: no two of the first twenty alike in marker and dash, so that the chart
// reads without colour; the colours (Okabe and Ito's, a wine red for their yellow, which white
// paper hides) help where there is colour.
constexpr std::string_view kColours[] = {"#0072B2", "#D55E00", "#009E73", "#CC79A7",
                                         "#E69F00", "#56B4E9", "#000000", "#882255"};
constexpr std::string_view kDashes[] = {"", "6 3", "2 3", "9 3 2 3"};

// The chart's text size in CSS pixels, which the page never scales down, and the room a week
// takes at least.
constexpr double kLabelSize = 11;
constexpr double kWeekWidth = 30;

// A marker of shape `shape` (circle, square, triangle, diamond, cross) at (x, y).
std::string marker(int shape, double x, double y, std::string_view colour) {
  const auto n = [](double v) { return std::to_string(static_cast<int>(v)); };
  const std::string fill = " fill=\"" + std::string(colour) + "\"";
  switch (shape % 5) {
    case 0:
      return "<circle cx=\"" + n(x) + "\" cy=\"" + n(y) + "\" r=\"4\"" + fill + "/>";
    case 1:
      return "<rect x=\"" + n(x - 4) + "\" y=\"" + n(y - 4) + "\" width=\"8\" height=\"8\"" + fill +
             "/>";
    case 2:
      return "<path d=\"M" + n(x) + " " + n(y - 5) + "L" + n(x + 5) + " " + n(y + 4) + "H" +
             n(x - 5) + "Z\"" + fill + "/>";
    case 3:
      return "<path d=\"M" + n(x) + " " + n(y - 5) + "L" + n(x + 5) + " " + n(y) + "L" + n(x) +
             " " + n(y + 5) + "L" + n(x - 5) + " " + n(y) + "Z\"" + fill + "/>";
    default:
      return "<path d=\"M" + n(x - 4) + " " + n(y - 4) + "L" + n(x + 4) + " " + n(y + 4) + "M" +
             n(x + 4) + " " + n(y - 4) + "L" + n(x - 4) + " " + n(y + 4) + "\" stroke=\"" +
             std::string(colour) + "\" stroke-width=\"2.5\"/>";
  }
}

// The date labels under the chart: short forms ("Mar 9"), with the year on the first and on
// the first of a new year when the season crosses one; "" for a week whose label is left out
// so that no two overlap at `spacing` pixels a week (the newest week always has its label).
std::vector<std::string> dateLabels(const std::vector<std::string>& dates, double spacing) {
  std::vector<std::string> labels = shortDates(dates);
  std::size_t longest = 0;
  for (const std::string& label : labels) longest = std::max(longest, label.size());
  // A character of an 11 px sans-serif font is at most about 0.62 of it wide, for these.
  const double width = static_cast<double>(longest) * kLabelSize * 0.62 + 8;
  const auto every = static_cast<std::size_t>(std::ceil(width / spacing));
  for (std::size_t w = 0; w < labels.size(); ++w) {
    if ((labels.size() - 1 - w) % std::max<std::size_t>(every, 1) != 0) labels[w].clear();
  }
  return labels;
}

}  // namespace

void writeChart(std::ostream& out, const PublishedWeek& week) {
  constexpr double kLeft = 36, kTop = 16, kRow = 22, kLabels = 230, kBottom = 44;
  const std::size_t weeks = week.dates.size();
  const std::size_t rows = week.chart.size();
  // The plot grows with the weeks, at least kWeekWidth a week, and scrolls sideways in its box
  // on a narrow screen rather than squeezing its text.
  const double plot = std::max(460.0, 100 + kWeekWidth * static_cast<double>(weeks - 1));
  const double height = kTop + static_cast<double>(rows) * kRow + kBottom;
  const double width = kLeft + plot + kLabels;
  const auto x = [&](std::size_t w) {
    // Inset by half a date's width, so that the first and last dates fit under their lines.
    return kLeft + 50 + (plot - 100) * static_cast<double>(w) / static_cast<double>(weeks - 1);
  };
  const auto y = [&](double row) { return kTop + row * kRow + kRow / 2; };
  const auto n = [](double v) { return std::to_string(static_cast<int>(v)); };
  const std::vector<std::string> labels =
      dateLabels(week.dates, (plot - 100) / static_cast<double>(weeks - 1));
  // The rank axis runs to the last rank any team shown had, not to the rows of names (a tie at
  // the last rank has one more name than ranks).
  int64_t lastRank = 1;
  for (const PublishedWeek::Line& line : week.chart) {
    for (const std::optional<int64_t>& rank : line.ranks)
      lastRank = std::max(lastRank, rank.value_or(1));
  }
  out << "<figure>\n<div class=\"chart\">\n<svg width=\"" << n(width) << "\" height=\"" << n(height)
      << "\" viewBox=\"0 0 " << n(width) << ' ' << n(height)
      << "\" role=\"img\" aria-labelledby=\"chart-title\" xmlns=\"http://www.w3.org/2000/svg\">\n"
      << "<title id=\"chart-title\">Rank by week of this week's teams, "
      << htmlEscaped(week.dates.front()) << " to " << htmlEscaped(week.dates.back())
      << "</title>\n";
  // Ranks down the left, weeks along the bottom, a faint line for each.
  out << "<g font-size=\"11\" fill=\"#333\">\n";
  for (int64_t rank = 1; rank <= lastRank; ++rank) {
    out << "<text x=\"" << n(kLeft - 6) << "\" y=\"" << n(y(static_cast<double>(rank - 1)) + 4)
        << "\" text-anchor=\"end\">" << rank << "</text>\n";
  }
  for (std::size_t w = 0; w < weeks; ++w) {
    out << "<line x1=\"" << n(x(w)) << "\" y1=\"" << n(kTop) << "\" x2=\"" << n(x(w)) << "\" y2=\""
        << n(kTop + static_cast<double>(rows) * kRow) << "\" stroke=\"#ddd\"/>\n";
    if (labels[w].empty()) continue;
    out << "<text class=\"date\" x=\"" << n(x(w)) << "\" y=\"" << n(height - kBottom + 18)
        << "\" text-anchor=\"middle\">" << htmlEscaped(labels[w]) << "</text>\n";
  }
  out << "</g>\n";
  for (std::size_t line = 0; line < rows; ++line) {
    const PublishedWeek::Line& team = week.chart[line];
    const std::string_view colour = kColours[line % 8];
    const std::string_view dash = kDashes[(line / 5) % 4];
    out << "<g class=\"team\" fill=\"none\" stroke=\"" << colour << "\" stroke-width=\"2\""
        << (dash.empty() ? "" : " stroke-dasharray=\"") << dash << (dash.empty() ? "" : "\"")
        << ">\n";
    // A line through each run of weeks ranked; a gap where the team was not.
    std::string points;
    const auto flush = [&] {
      if (points.find(' ') != std::string::npos) {
        out << "<polyline points=\"" << points << "\"/>\n";
      }
      points.clear();
    };
    for (std::size_t w = 0; w < weeks; ++w) {
      if (!team.ranks[w]) {
        flush();
        continue;
      }
      if (!points.empty()) points += ' ';
      points += n(x(w)) + "," + n(y(static_cast<double>(*team.ranks[w] - 1)));
    }
    flush();
    out << "<g stroke=\"none\">";
    for (std::size_t w = 0; w < weeks; ++w) {
      if (team.ranks[w]) {
        out << marker(static_cast<int>(line), x(w), y(static_cast<double>(*team.ranks[w] - 1)),
                      colour);
      }
    }
    out << "</g>\n";
    // The name at the line's end, in its own row, joined to the point when a tie shares it.
    const double end = y(static_cast<double>(*team.ranks[weeks - 1] - 1));
    const double label = y(static_cast<double>(line));
    if (label != end) {
      out << "<line x1=\"" << n(x(weeks - 1) + 5) << "\" y1=\"" << n(end) << "\" x2=\""
          << n(x(weeks - 1) + 14) << "\" y2=\"" << n(label) << "\" stroke-width=\"1\"/>\n";
    }
    out << "<text x=\"" << n(x(weeks - 1) + 16) << "\" y=\"" << n(label + 4)
        << "\" font-size=\"12\" fill=\"#111\" stroke=\"none\">" << htmlEscaped(team.name)
        << "</text>\n</g>\n";
  }
  out << "</svg>\n</div>\n<figcaption>Each line is a team of this week's top " << week.top
      << ": its rank each week, 1 at the top, and a gap where it was not ranked.</figcaption>\n"
         "</figure>\n";
}

void writeHtml(std::ostream& out, const PublishedWeek& week) {
  const std::string title = htmlEscaped(heading(week));
  writePageStart(out, title, "");
  out << "<h1>" << title << "</h1>\n<table>\n<caption>The poll of " << htmlEscaped(week.date)
      << ": rank, team (first-place votes), record, points, last week's rank and the change"
      << "</caption>\n<thead><tr><th scope=\"col\" class=\"n\">Rank</th><th scope=\"col\">Team</th>"
         "<th scope=\"col\">Record</th><th scope=\"col\" class=\"n\">Points</th>"
         "<th scope=\"col\" class=\"n\">Last week</th>"
         "<th scope=\"col\" class=\"n change\">Change</th></tr></thead>\n<tbody>\n";
  for (const PublishedTeam* team : week.ranked()) {
    out << "<tr><td class=\"n\">" << team->rank << "</td><th scope=\"row\">"
        << htmlEscaped(team->name);
    if (team->firstPlaceVotes > 0) {
      out << " <span class=\"votes\">(" << team->firstPlaceVotes << ")</span>";
    }
    out << "</th><td>" << team->wins << '-' << team->losses << "</td><td class=\"n\">"
        << withThousands(team->points) << "</td><td class=\"n\">"
        << (team->lastWeekRank ? std::to_string(*team->lastWeekRank) : "&ndash;")
        << "</td><td class=\"n change\">" << shownChange(*team) << "</td></tr>\n";
  }
  out << "</tbody>\n</table>\n";
  const auto name = [](std::string_view text) { return htmlEscaped(text); };
  for (const std::string& line : {othersLine(week, name), droppedLine(week, name)}) {
    if (!line.empty()) out << "<p>" << line << "</p>\n";
  }
  if (week.dates.size() >= 2 && !week.chart.empty()) writeChart(out, week);
  writePageEnd(out);
}

}  // namespace hoops
