// The season's table in the forms its readers read it: text, Markdown, CSV, JSON and a page.
#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "poll/date.h"
#include "publish/escape.h"
#include "publish/season_table.h"
#include "publish/writers.h"

namespace hoops {

namespace {

std::string titleOf(const SeasonTable& season) {
  return (season.title.empty() ? "Top " + std::to_string(season.top) : season.title) +
         ", the season: " + season.dates.front() + " to " + season.dates.back();
}

// The milestones' cells of `team`, as the text, Markdown and page show them.
std::vector<std::string> milestones(const SeasonTeam& team, const std::vector<std::string>& dates) {
  return {std::to_string(team.weeksRanked),
          std::to_string(team.highest) + " (" + dates[team.highestWeek] + ")",
          std::to_string(team.weeksAtOne),
          std::to_string(team.weeksTop5),
          std::to_string(team.weeksTop10),
          std::to_string(team.longestRun)};
}

// (Text known when the program is built: nothing is made before the run starts.)
constexpr std::array<std::string_view, 6> kMilestoneHeads = {
    "Weeks ranked",   "Highest (first week)", "Weeks at No. 1",
    "Weeks in top 5", "Weeks in top 10",      "Longest run"};

// "Nov 4 Duke; Nov 11 Duke, Houston (tied)": the No. 1 teams week by week.
template <typename Name>
std::string numberOnesLine(const SeasonTable& season, const std::vector<std::string>& dates,
                           Name name) {
  std::string line = "No. 1 by week: ";
  for (std::size_t w = 0; w < dates.size(); ++w) {
    line += (w == 0 ? "" : "; ") + dates[w] + " ";
    const auto& teams = season.numberOnes[w];
    for (std::size_t i = 0; i < teams.size(); ++i) line += (i == 0 ? "" : ", ") + name(teams[i]);
    if (teams.size() > 1) line += " (tied)";
  }
  return line + ".";
}

// Rows of cells in aligned columns, two spaces apart; the first column to the left.
void writeColumns(std::ostream& out, const std::vector<std::vector<std::string>>& rows) {
  std::vector<std::size_t> widths;
  for (const auto& row : rows) {
    widths.resize(std::max(widths.size(), row.size()));
    for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], widthOf(row[i]));
  }
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      line += row[i];
      if (i + 1 < row.size()) line += std::string(widths[i] - widthOf(row[i]) + 2, ' ');
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out << line << '\n';
  }
}

void writeText(std::ostream& out, const SeasonTable& season) {
  const std::vector<std::string> dates = shortDates(season.dates);
  out << titleOf(season) << "\n\n";
  std::vector<std::vector<std::string>> rows{{"Team"}};
  rows[0].insert(rows[0].end(), dates.begin(), dates.end());
  for (const SeasonTeam& team : season.teams) {
    std::vector<std::string>& row = rows.emplace_back(1, std::string(team.name));
    for (std::size_t w = 0; w < team.weeks.size(); ++w)
      row.push_back(cellText(team.weeks[w], w == 0));
  }
  writeColumns(out, rows);
  out << '\n';
  rows = {{"Team"}};
  for (const std::string_view head : kMilestoneHeads) rows[0].emplace_back(head);
  for (const SeasonTeam& team : season.teams) {
    std::vector<std::string>& row = rows.emplace_back(1, std::string(team.name));
    const std::vector<std::string> cells = milestones(team, dates);
    row.insert(row.end(), cells.begin(), cells.end());
  }
  writeColumns(out, rows);
  out << '\n'
      << numberOnesLine(season, dates, [](std::string_view name) { return std::string(name); })
      << '\n';
}

void writeMarkdownTable(std::ostream& out, const std::vector<std::string>& heads,
                        const std::vector<std::vector<std::string>>& rows) {
  out << '|';
  for (const std::string& head : heads) out << markdownEscaped(head) << '|';
  out << "\n|:---|";
  for (std::size_t i = 1; i < heads.size(); ++i) out << ":---:|";
  out << '\n';
  for (const auto& row : rows) {
    out << '|';
    for (const std::string& cell : row) out << cell << '|';
    out << '\n';
  }
}

void writeMarkdown(std::ostream& out, const SeasonTable& season) {
  const std::vector<std::string> dates = shortDates(season.dates);
  out << "**" << markdownEscaped(titleOf(season)) << "**\n\n";
  std::vector<std::string> heads{"Team"};
  heads.insert(heads.end(), dates.begin(), dates.end());
  std::vector<std::vector<std::string>> rows;
  for (const SeasonTeam& team : season.teams) {
    std::vector<std::string>& row = rows.emplace_back(1, markdownEscaped(team.name));
    for (std::size_t w = 0; w < team.weeks.size(); ++w)
      row.push_back(cellText(team.weeks[w], w == 0));
  }
  writeMarkdownTable(out, heads, rows);
  out << '\n';
  heads = {"Team"};
  for (const std::string_view head : kMilestoneHeads) heads.emplace_back(head);
  rows.clear();
  for (const SeasonTeam& team : season.teams) {
    std::vector<std::string>& row = rows.emplace_back(1, markdownEscaped(team.name));
    const std::vector<std::string> cells = milestones(team, dates);
    row.insert(row.end(), cells.begin(), cells.end());
  }
  writeMarkdownTable(out, heads, rows);
  out << '\n'
      << numberOnesLine(season, dates, [](std::string_view name) { return markdownEscaped(name); })
      << '\n';
}

void writeCsv(std::ostream& out, const SeasonTable& season) {
  std::vector<std::string> iso;
  for (const std::string& date : season.dates) iso.push_back(isoDate(date).value_or(date));
  out << "team,week,rank,tied,move,receiving_votes\r\n";
  for (const SeasonTeam& team : season.teams) {
    const std::string name = csvField(team.name);
    for (std::size_t w = 0; w < team.weeks.size(); ++w) {
      const SeasonCell& cell = team.weeks[w];
      out << name << ',' << iso[w] << ',';
      if (cell.rank) out << *cell.rank;
      out << ',' << (cell.tied ? "yes" : "no") << ',';
      if (cell.isNew) {
        out << "NEW";
      } else if (cell.move) {
        out << *cell.move;
      }
      out << ',' << (cell.receivingVotes ? "yes" : "no") << "\r\n";
    }
  }
}

void writeJson(std::ostream& out, const SeasonTable& season, std::vector<std::string>& notes) {
  const auto string = [&](std::string_view text) {
    if (writeJsonString(out, text)) {
      notes.push_back("the name '" + std::string(text) +
                      "' is not UTF-8; the JSON has U+FFFD for each byte that is not");
    }
  };
  std::vector<std::string> iso;
  for (const std::string& date : season.dates) iso.push_back(isoDate(date).value_or(date));
  out << "{\n  \"title\": ";
  string(season.title.empty() ? "Top " + std::to_string(season.top) : season.title);
  out << ",\n  \"weeks\": [";
  for (std::size_t w = 0; w < iso.size(); ++w) out << (w == 0 ? "\"" : ", \"") << iso[w] << '"';
  out << "],\n  \"teams\": [";
  const char* separator = "\n";
  for (const SeasonTeam& team : season.teams) {
    out << separator << "    {\"team\": ";
    string(team.name);
    const auto list = [&](const char* key, auto value) {
      out << ", \"" << key << "\": [";
      for (std::size_t w = 0; w < team.weeks.size(); ++w) {
        out << (w == 0 ? "" : ", ") << value(team.weeks[w]);
      }
      out << ']';
    };
    list("ranks", [](const SeasonCell& c) { return c.rank ? std::to_string(*c.rank) : "null"; });
    list("tied", [](const SeasonCell& c) { return std::string(c.tied ? "true" : "false"); });
    list("moves", [](const SeasonCell& c) { return c.move ? std::to_string(*c.move) : "null"; });
    out << ", \"weeks_ranked\": " << team.weeksRanked << ", \"highest\": " << team.highest
        << ", \"highest_week\": \"" << iso[team.highestWeek]
        << "\", \"weeks_at_1\": " << team.weeksAtOne << ", \"weeks_top5\": " << team.weeksTop5
        << ", \"weeks_top10\": " << team.weeksTop10 << ", \"longest_run\": " << team.longestRun
        << '}';
    separator = ",\n";
  }
  out << (season.teams.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

constexpr std::string_view kSeasonStyle =
    "body{max-width:none}.scroll{overflow-x:auto;margin-bottom:1.5rem}"
    ".season td,.season th{white-space:nowrap}.season td{text-align:center}"
    ".up{color:#006d2c}.down{color:#b2182b}.rv{color:#555}";

void writeHtml(std::ostream& out, const SeasonTable& season) {
  const std::vector<std::string> dates = shortDates(season.dates);
  const std::string title = htmlEscaped(titleOf(season));
  writePageStart(out, title, kSeasonStyle);
  out << "<h1>" << title
      << "</h1>\n<p>A cell is the team's rank that week (T- where shared) "
         "and its move from the week before: &#9650; up, &#9660; down, &ndash; unchanged, NEW "
         "newly ranked; RV where it received votes but was not ranked.</p>\n"
         "<div class=\"scroll\">\n<table class=\"season\">\n<caption>Rank by week</caption>\n"
         "<thead><tr><th scope=\"col\">Team</th>";
  for (const std::string& date : dates) out << "<th scope=\"col\">" << htmlEscaped(date) << "</th>";
  out << "</tr></thead>\n<tbody>\n";
  for (const SeasonTeam& team : season.teams) {
    out << "<tr><th scope=\"row\">" << htmlEscaped(team.name) << "</th>";
    for (std::size_t w = 0; w < team.weeks.size(); ++w) {
      const SeasonCell& cell = team.weeks[w];
      const int64_t move = cell.move.value_or(0);
      const char* kind = cell.receivingVotes && !cell.rank ? "rv"
                         : move > 0                        ? "up"
                         : move < 0                        ? "down"
                                                           : "";
      out << "<td" << (*kind != 0 ? std::string(" class=\"") + kind + "\"" : std::string()) << '>'
          << htmlEscaped(cellText(cell, w == 0)) << "</td>";
    }
    out << "</tr>\n";
  }
  out << "</tbody>\n</table>\n</div>\n<div class=\"scroll\">\n<table>\n<caption>Milestones"
         "</caption>\n<thead><tr><th scope=\"col\">Team</th>";
  for (const std::string_view head : kMilestoneHeads) {
    out << "<th scope=\"col\">" << head << "</th>";
  }
  out << "</tr></thead>\n<tbody>\n";
  for (const SeasonTeam& team : season.teams) {
    out << "<tr><th scope=\"row\">" << htmlEscaped(team.name) << "</th>";
    for (const std::string& cell : milestones(team, dates)) {
      out << "<td>" << htmlEscaped(cell) << "</td>";
    }
    out << "</tr>\n";
  }
  out << "</tbody>\n</table>\n</div>\n<p>"
      << numberOnesLine(season, dates, [](std::string_view name) { return htmlEscaped(name); })
      << "</p>\n";
  // The chart of the teams ranked in the newest week.
  PublishedWeek chart;
  chart.top = season.top;
  chart.dates = season.dates;
  for (const SeasonTeam& team : season.teams) {
    if (!team.weeks.back().rank) continue;
    PublishedWeek::Line& line = chart.chart.emplace_back();
    line.name = team.name;
    for (const SeasonCell& cell : team.weeks) line.ranks.push_back(cell.rank);
  }
  if (chart.dates.size() >= 2 && !chart.chart.empty()) writeChart(out, chart);
  writePageEnd(out);
}

}  // namespace

void writeSeason(std::ostream& out, const SeasonTable& season, Format format,
                 std::vector<std::string>& notes) {
  switch (format) {
    case Format::kText:
      writeText(out, season);
      break;
    case Format::kMarkdown:
      writeMarkdown(out, season);
      break;
    case Format::kCsv:
      writeCsv(out, season);
      break;
    case Format::kJson:
      writeJson(out, season, notes);
      break;
    case Format::kHtml:
      writeHtml(out, season);
      break;
  }
}

}  // namespace hoops
