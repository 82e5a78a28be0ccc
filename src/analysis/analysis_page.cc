// The analysis as one standalone page: a row per ballot, a column per place, far picks marked
// by a sign and words as well as a shade; then the teams. No script, nothing fetched.
#include <string>

#include "analysis/analysis_formats.h"
#include "publish/escape.h"

namespace hoops {

namespace {

using analysis_words::decimal;
using analysis_words::ordinal;

constexpr std::string_view kStyle =
    "body{max-width:none}.scroll{overflow-x:auto;margin-bottom:1.5rem}.grid td,.grid "
    "th{white-space:nowrap}"
    ".far.up{background:#fbd9bd}.far.down{background:#cfe2f3}"
    ".why{display:block;font-size:.8rem;color:#333}"
    "@media print{.scroll{overflow:visible}.grid{font-size:.7rem}}";

}  // namespace

void writeAnalysisPage(std::ostream& out, const BallotAnalysis& analysis, std::string_view date) {
  const CountedBallots& ballots = analysis.ballots();
  const auto& standings = analysis.standings();
  const std::string title = "Ballots against the consensus, the week of " + htmlEscaped(date);
  writePageStart(out, title, kStyle);
  out << "<h1>" << title << "</h1>\n<p>" << analysis.ballotCount()
      << (analysis.ballotCount() == 1 ? " ballot of " : " ballots of ") << ballots.places
      << " places. A pick is far (&#9650; above or &#9660; below the consensus) when its points "
         "are two standard deviations or more from the team's mean; the score adds up how far "
         "every pick is, and the footrule how many places the ballot is from the consensus "
         "ranks.</p>\n<div class=\"scroll\">\n<table class=\"grid\">\n<caption>The ballots by "
         "score, highest first</caption>\n<thead><tr><th scope=\"col\">Voter</th>"
         "<th scope=\"col\" class=\"n\">Score</th><th scope=\"col\" class=\"n\">Footrule</th>";
  for (std::size_t place = 1; place <= ballots.places; ++place) {
    out << "<th scope=\"col\">" << place << "</th>";
  }
  out << "<th scope=\"col\">Left off</th></tr></thead>\n<tbody>\n";
  for (const std::size_t ballot : analysis_words::byScore(analysis)) {
    const BallotMeasures measures = analysis.measure(ballot);
    out << "<tr><th scope=\"row\">" << htmlEscaped(ballots.voters[ballot])
        << "</th><td class=\"n\">" << decimal(hundredths(measures.score), false, true)
        << "</td><td class=\"n\">" << measures.footrule << "</td>";
    for (const Pick& pick : measures.picks) {
      const std::string name = htmlEscaped(ballots.teams[pick.team]);
      const std::string consensus = ordinal(standings[pick.team].rank);
      if (!pick.far()) {
        out << "<td>" << name << "</td>";
      } else if (pick.z > 0) {
        out << "<td class=\"far up\">" << name << "<span class=\"why\">&#9650; far above the "
            << "consensus (" << consensus << ")</span></td>";
      } else {
        out << "<td class=\"far down\">" << name << "<span class=\"why\">&#9660; far below the "
            << "consensus (" << consensus << ")</span></td>";
      }
    }
    out << "<td>";
    const char* separator = "";
    for (const Pick& pick : measures.omitted) {
      if (!pick.far()) continue;
      out << separator << "<span class=\"far down\">&#9660; "
          << htmlEscaped(ballots.teams[pick.team]) << " (consensus "
          << ordinal(standings[pick.team].rank) << ")</span>";
      separator = "<br>";
    }
    out << "</td></tr>\n";
  }
  out << "</tbody>\n</table>\n</div>\n<table>\n<caption>The teams by consensus rank: the ballots "
         "listing each, its best and worst place, and its spread (how split the voters "
         "are)</caption>\n<thead><tr><th scope=\"col\" class=\"n\">Rank</th><th "
         "scope=\"col\">Team</th><th scope=\"col\" class=\"n\">Points</th><th scope=\"col\" "
         "class=\"n\">First</th><th scope=\"col\" class=\"n\">Ballots</th><th scope=\"col\" "
         "class=\"n\">Best</th><th scope=\"col\" class=\"n\">Worst</th><th scope=\"col\" "
         "class=\"n\">Spread</th></tr></thead>\n<tbody>\n";
  for (const uint32_t team : analysis.byRank()) {
    const TeamStanding& standing = standings[team];
    out << "<tr><td class=\"n\">" << standing.rank << "</td><th scope=\"row\">"
        << htmlEscaped(ballots.teams[team]) << "</th><td class=\"n\">" << standing.points
        << "</td><td class=\"n\">" << standing.firstPlaceVotes << "</td><td class=\"n\">"
        << standing.ballots << "</td><td class=\"n\">" << standing.best << "</td><td class=\"n\">"
        << standing.worst << "</td><td class=\"n\">"
        << decimal(hundredths(standing.spread), false, false) << "</td></tr>\n";
  }
  out << "</tbody>\n</table>\n";
  writePageEnd(out);
}

}  // namespace hoops
