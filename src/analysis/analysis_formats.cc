// The analysis as text, CSV and JSON; the page is in analysis_page.cc.
#include "analysis/analysis_formats.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "publish/escape.h"

namespace hoops {

namespace analysis_words {

std::string ordinal(int64_t number) {
  const int64_t tens = number % 100;
  const int64_t units = number % 10;
  const char* suffix = (tens >= 11 && tens <= 13) ? "th"
                       : units == 1               ? "st"
                       : units == 2               ? "nd"
                       : units == 3               ? "rd"
                                                  : "th";
  return std::to_string(number) + suffix;
}

std::string decimal(int64_t hundredths, bool sign, bool trimWhole) {
  const int64_t whole = std::llabs(hundredths) / 100;
  const int64_t part = std::llabs(hundredths) % 100;
  std::string text = hundredths < 0 ? "-" : sign && hundredths > 0 ? "+" : "";
  text += std::to_string(whole);
  if (part == 0 && trimWhole) return text;
  text += '.';
  text += static_cast<char>('0' + part / 10);
  text += static_cast<char>('0' + part % 10);
  return text;
}

std::vector<std::size_t> byScore(const BallotAnalysis& analysis) {
  std::vector<std::size_t> order(analysis.ballotCount());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return hundredths(analysis.score(a)) > hundredths(analysis.score(b));
  });
  return order;
}

std::vector<uint32_t> mostSplit(const BallotAnalysis& analysis, std::size_t most) {
  std::vector<uint32_t> teams = analysis.byRank();
  std::stable_sort(teams.begin(), teams.end(), [&](uint32_t a, uint32_t b) {
    return hundredths(analysis.standings()[a].spread) > hundredths(analysis.standings()[b].spread);
  });
  if (teams.size() > most) teams.resize(most);
  return teams;
}

}  // namespace analysis_words

namespace {

using analysis_words::decimal;
using analysis_words::ordinal;

void writeText(std::ostream& out, const BallotAnalysis& analysis, std::string_view date) {
  const CountedBallots& ballots = analysis.ballots();
  const auto& standings = analysis.standings();
  out << analysis.ballotCount() << (analysis.ballotCount() == 1 ? " ballot of " : " ballots of ")
      << ballots.places << " places, the week of " << date
      << "\n\nBallots by score, highest first\n";
  std::size_t number = 0;
  for (const std::size_t ballot : analysis_words::byScore(analysis)) {
    const BallotMeasures measures = analysis.measure(ballot);
    out << ++number << ". " << ballots.voters[ballot] << ": score "
        << decimal(hundredths(measures.score), false, true) << ", footrule " << measures.footrule
        << '\n';
    for (const Pick& pick : measures.picks) {
      if (!pick.far()) continue;
      out << "   " << ballots.teams[pick.team] << ' ' << ordinal(pick.place) << " (consensus "
          << ordinal(standings[pick.team].rank) << ", z "
          << decimal(hundredths(pick.z), true, false) << ")\n";
    }
    for (const Pick& pick : measures.omitted) {
      if (!pick.far()) continue;
      out << "   left off " << ballots.teams[pick.team] << " (consensus "
          << ordinal(standings[pick.team].rank) << ")\n";
    }
  }
  out << "\nTeams the voters split on most\n";
  for (const uint32_t team : analysis_words::mostSplit(analysis, 10)) {
    const TeamStanding& standing = standings[team];
    out << "  " << ballots.teams[team] << ": spread "
        << decimal(hundredths(standing.spread), false, false) << ", on " << standing.ballots
        << (standing.ballots == 1 ? " ballot" : " ballots") << ", best " << ordinal(standing.best)
        << ", worst " << ordinal(standing.worst) << '\n';
  }
  out << "\nTeams on one ballot\n";
  bool any = false;
  for (const uint32_t team : analysis.byRank()) {
    if (standings[team].ballots != 1) continue;
    out << "  " << ballots.teams[team] << " (" << ballots.voters[standings[team].onlyBallot]
        << ")\n";
    any = true;
  }
  if (!any) out << "  none\n";
}

void writeCsv(std::ostream& out, const BallotAnalysis& analysis) {
  const CountedBallots& ballots = analysis.ballots();
  const auto& standings = analysis.standings();
  const auto places = static_cast<int64_t>(ballots.places);
  out << "voter,place,team,points,consensus,z,far\r\n";
  for (std::size_t ballot = 0; ballot < analysis.ballotCount(); ++ballot) {
    const BallotMeasures measures = analysis.measure(ballot);
    const std::string voter = csvField(ballots.voters[ballot]);
    const auto row = [&](const Pick& pick) {
      out << voter << ',';
      if (pick.place > 0) out << pick.place;
      out << ',' << csvField(ballots.teams[pick.team]) << ','
          << (pick.place > 0 ? places + 1 - pick.place : 0) << ',' << standings[pick.team].rank
          << ',' << decimal(hundredths(pick.z), false, false) << ',' << (pick.far() ? "yes" : "no")
          << "\r\n";
    };
    for (const Pick& pick : measures.picks) row(pick);
    for (const Pick& pick : measures.omitted) row(pick);
  }
}

void writeJson(std::ostream& out, const BallotAnalysis& analysis, std::vector<std::string>& notes) {
  const CountedBallots& ballots = analysis.ballots();
  const auto& standings = analysis.standings();
  const auto name = [&](std::string_view text) {
    if (writeJsonString(out, text)) {
      notes.push_back("the voter '" + std::string(text) +
                      "' is not UTF-8; the JSON has U+FFFD for each byte that is not");
    }
  };
  const auto z = [](double value) { return decimal(hundredths(value), false, false); };
  out << "{\n  \"ballots\": [";
  const char* separator = "\n";
  for (std::size_t ballot = 0; ballot < analysis.ballotCount(); ++ballot) {
    const BallotMeasures measures = analysis.measure(ballot);
    out << separator << "    {\"voter\": ";
    name(ballots.voters[ballot]);
    out << ", \"score\": " << z(measures.score) << ", \"footrule\": " << measures.footrule
        << ",\n     \"picks\": [";
    const char* inner = "";
    for (const Pick& pick : measures.picks) {
      out << inner << "{\"team\": ";
      name(ballots.teams[pick.team]);
      out << ", \"place\": " << pick.place << ", \"consensus\": " << standings[pick.team].rank
          << ", \"z\": " << z(pick.z) << '}';
      inner = ", ";
    }
    out << "],\n     \"omitted\": [";
    inner = "";
    for (const Pick& pick : measures.omitted) {
      out << inner << "{\"team\": ";
      name(ballots.teams[pick.team]);
      out << ", \"consensus\": " << standings[pick.team].rank << ", \"z\": " << z(pick.z) << '}';
      inner = ", ";
    }
    out << "]}";
    separator = ",\n";
  }
  out << (analysis.ballotCount() == 0 ? "],\n" : "\n  ],\n") << "  \"teams\": [";
  separator = "\n";
  for (const uint32_t team : analysis.byRank()) {
    const TeamStanding& standing = standings[team];
    out << separator << "    {\"team\": ";
    name(ballots.teams[team]);
    out << ", \"rank\": " << standing.rank << ", \"points\": " << standing.points
        << ", \"first_place_votes\": " << standing.firstPlaceVotes
        << ", \"ballots\": " << standing.ballots << ", \"best\": " << standing.best
        << ", \"worst\": " << standing.worst << ", \"spread\": " << z(standing.spread) << '}';
    separator = ",\n";
  }
  out << (analysis.byRank().empty() ? "],\n" : "\n  ],\n") << "  \"single\": [";
  separator = "\n";
  bool any = false;
  for (const uint32_t team : analysis.byRank()) {
    if (standings[team].ballots != 1) continue;
    out << separator << "    {\"team\": ";
    name(ballots.teams[team]);
    out << ", \"voter\": ";
    name(ballots.voters[standings[team].onlyBallot]);
    out << '}';
    separator = ",\n";
    any = true;
  }
  out << (any ? "\n  ]\n}\n" : "]\n}\n");
}

}  // namespace

std::optional<AnalysisFormat> analysisFormatNamed(std::string_view name) {
  if (name == "text") return AnalysisFormat::kText;
  if (name == "csv") return AnalysisFormat::kCsv;
  if (name == "json") return AnalysisFormat::kJson;
  if (name == "html") return AnalysisFormat::kHtml;
  return std::nullopt;
}

void writeAnalysis(std::ostream& out, const BallotAnalysis& analysis, AnalysisFormat format,
                   std::string_view date, std::vector<std::string>& notes) {
  switch (format) {
    case AnalysisFormat::kText:
      writeText(out, analysis, date);
      break;
    case AnalysisFormat::kCsv:
      writeCsv(out, analysis);
      break;
    case AnalysisFormat::kJson:
      writeJson(out, analysis, notes);
      break;
    case AnalysisFormat::kHtml:
      writeAnalysisPage(out, analysis, date);
      break;
  }
}

}  // namespace hoops
