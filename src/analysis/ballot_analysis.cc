// The consensus of a week's ballots, and each ballot's distance from it.
#include "analysis/ballot_analysis.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace hoops {

int64_t hundredths(double value) {
  return std::llround(value * 100);
}

BallotAnalysis::BallotAnalysis(CountedBallots ballots) : ballots_(std::move(ballots)) {
  const std::size_t teams = ballots_.teams.size();
  const std::size_t count = ballots_.voters.size();
  const auto places = static_cast<int64_t>(ballots_.places);
  standings_.resize(teams);
  std::vector<double> squares(teams, 0);
  for (std::size_t ballot = 0; ballot < count; ++ballot) {
    for (int64_t place = 1; place <= places; ++place) {
      const uint32_t team =
          ballots_.picks[ballot * ballots_.places + static_cast<std::size_t>(place - 1)];
      TeamStanding& standing = standings_[team];
      const int64_t points = places + 1 - place;
      standing.points += points;
      squares[team] += static_cast<double>(points * points);
      if (place == 1) ++standing.firstPlaceVotes;
      if (standing.ballots++ == 0 || place < standing.best) standing.best = place;
      standing.worst = std::max(standing.worst, place);
      standing.onlyBallot = ballot;
    }
  }
  for (uint32_t team = 0; team < teams; ++team) {
    TeamStanding& standing = standings_[team];
    if (standing.points == 0 || count == 0) continue;
    const auto n = static_cast<double>(count);
    standing.mean = static_cast<double>(standing.points) / n;
    standing.spread = std::sqrt(std::max(0.0, squares[team] / n - standing.mean * standing.mean));
    byRank_.push_back(team);
  }
  std::sort(byRank_.begin(), byRank_.end(), [&](uint32_t a, uint32_t b) {
    if (standings_[a].points != standings_[b].points) {
      return standings_[a].points > standings_[b].points;
    }
    return ballots_.teams[a] < ballots_.teams[b];
  });
  for (std::size_t i = 0; i < byRank_.size(); ++i) {
    TeamStanding& standing = standings_[byRank_[i]];
    standing.rank = i > 0 && standings_[byRank_[i - 1]].points == standing.points
                        ? standings_[byRank_[i - 1]].rank
                        : static_cast<int64_t>(i) + 1;
    if (standing.rank <= places) top_.push_back(byRank_[i]);
  }
  seen_.assign(teams, 0);
  scores_.reserve(count);
  footrules_.reserve(count);
  for (std::size_t ballot = 0; ballot < count; ++ballot) {
    const BallotMeasures measures = measure(ballot);
    scores_.push_back(measures.score);
    footrules_.push_back(measures.footrule);
  }
}

BallotMeasures BallotAnalysis::measure(std::size_t ballot) const {
  BallotMeasures measures;
  const auto places = static_cast<int64_t>(ballots_.places);
  const auto zOf = [&](const TeamStanding& standing, int64_t points) {
    return (static_cast<double>(points) - standing.mean) / std::max(1.0, standing.spread);
  };
  const std::size_t stamp = ballot + 1;
  for (int64_t place = 1; place <= places; ++place) {
    const uint32_t team =
        ballots_.picks[ballot * ballots_.places + static_cast<std::size_t>(place - 1)];
    const TeamStanding& standing = standings_[team];
    seen_[team] = stamp;
    const Pick pick{team, place, zOf(standing, places + 1 - place)};
    measures.score += std::abs(pick.z);
    measures.footrule += std::abs(place - std::min(standing.rank, places + 1));
    measures.picks.push_back(pick);
  }
  for (const uint32_t team : top_) {
    if (seen_[team] == stamp) continue;
    const TeamStanding& standing = standings_[team];
    const Pick pick{team, 0, zOf(standing, 0)};
    measures.score += std::abs(pick.z);
    measures.footrule += places + 1 - standing.rank;
    measures.omitted.push_back(pick);
  }
  return measures;
}

}  // namespace hoops
