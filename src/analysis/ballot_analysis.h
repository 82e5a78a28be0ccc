// Every ballot against the consensus of all of them: how far each pick is, and each ballot.
#ifndef HOOPS_ANALYSIS_BALLOT_ANALYSIS_H_
#define HOOPS_ANALYSIS_BALLOT_ANALYSIS_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ballots/tally.h"

namespace hoops {

// A pick's distance from the consensus, |z| at least this, makes it far.
inline constexpr double kFar = 2.0;

// A team's standing over all N ballots of P places (a team's points on a ballot are P + 1 -
// place, 0 where it is not listed).
struct TeamStanding {
  int64_t points = 0;
  int64_t rank = 0;  // 1 + the number of teams with more points; 0 for a team with none
  int64_t firstPlaceVotes = 0;
  int64_t ballots = 0;  // how many list it
  int64_t best = 0;     // its best and worst place where listed
  int64_t worst = 0;
  double mean = 0;             // its points over all N ballots
  double spread = 0;           // their population standard deviation
  std::size_t onlyBallot = 0;  // the one ballot that lists it, where ballots == 1
};

// One team on a ballot, or one of the consensus top P that the ballot leaves off (place 0).
struct Pick {
  uint32_t team = 0;
  int64_t place = 0;
  double z = 0;  // (its points on the ballot - its mean) / max(1, its spread)
  bool far() const { return z >= kFar || z <= -kFar; }
};

// A ballot's picks and the two measures of it.
struct BallotMeasures {
  std::vector<Pick> picks;    // its teams, by place
  std::vector<Pick> omitted;  // the consensus top P it leaves off, by consensus rank
  double score = 0;           // the sum of |z| over both
  int64_t footrule = 0;       // the sum of |place - consensus rank| (see measure())
};

// The ballots with the consensus of them worked out: each team's standing, each ballot's
// score and footrule.
class BallotAnalysis {
 public:
  explicit BallotAnalysis(CountedBallots ballots);

  const CountedBallots& ballots() const { return ballots_; }
  std::size_t ballotCount() const { return ballots_.voters.size(); }
  const std::vector<TeamStanding>& standings() const { return standings_; }
  // The teams with points, by consensus rank, then name (byte order).
  const std::vector<uint32_t>& byRank() const { return byRank_; }
  double score(std::size_t ballot) const { return scores_[ballot]; }
  int64_t footrule(std::size_t ballot) const { return footrules_[ballot]; }

  // Ballot `ballot` measured: a team it lists counts its place and its consensus rank, capped
  // at P + 1; a team of the consensus top P it leaves off counts P + 1 and its rank.
  BallotMeasures measure(std::size_t ballot) const;

 private:
  CountedBallots ballots_;
  std::vector<TeamStanding> standings_;
  std::vector<uint32_t> byRank_;
  std::vector<uint32_t> top_;  // the consensus top P: rank at most P
  std::vector<double> scores_;
  std::vector<int64_t> footrules_;
  mutable std::vector<std::size_t> seen_;  // the last ballot measured that listed each team
};

// `value` rounded to two decimals, as hundredths: the same on every platform.
int64_t hundredths(double value);

}  // namespace hoops

#endif  // HOOPS_ANALYSIS_BALLOT_ANALYSIS_H_
