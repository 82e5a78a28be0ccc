// The measures on ballot sets small enough to work out by hand.
#include "analysis/ballot_analysis.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "analysis/analysis_formats.h"

namespace hoops {

namespace {

// Ballots of `teams` (names by index), each a list of indexes from first place.
CountedBallots ballotsOf(std::vector<std::string> teams,
                         const std::vector<std::pair<std::string, std::vector<uint32_t>>>& cast) {
  CountedBallots ballots;
  ballots.teams = std::move(teams);
  ballots.places = cast.front().second.size();
  for (const auto& [voter, picks] : cast) {
    ballots.voters.push_back(voter);
    ballots.picks.insert(ballots.picks.end(), picks.begin(), picks.end());
  }
  return ballots;
}

TEST(BallotAnalysisTest, AUnanimousSetIsNowhereFar) {
  const BallotAnalysis analysis(ballotsOf({"A", "B", "C"}, {{"V1", {0, 1, 2}}, {"V2", {0, 1, 2}}}));
  for (std::size_t ballot = 0; ballot < 2; ++ballot) {
    EXPECT_EQ(hundredths(analysis.score(ballot)), 0);
    EXPECT_EQ(analysis.footrule(ballot), 0);
  }
  EXPECT_EQ(analysis.standings()[0].spread, 0);
}

// Four ballots A, B, C and one D, B, A. A: points 3,3,3,3,1, mean 2.6, spread 0.8 (z divides
// by 1); B: 2 on each, spread 0; C: 1,1,1,1,0, mean 0.8; D: 0,0,0,0,3, mean 0.6, spread 1.2.
// The contrarian's picks: D 1st z (3 - 0.6) / 1.2 = +2, B 0, A 3rd (1 - 2.6) / 1 = -1.6; it
// leaves off C (consensus 3rd), z -0.8. Score 4.4; footrule |1 - 4| + 0 + |3 - 1| + |4 - 3| = 6.
TEST(BallotAnalysisTest, TheContrarianScoresHighestWithItsFarPicksNamed) {
  const BallotAnalysis analysis(ballotsOf({"A", "B", "C", "D"}, {{"V1", {0, 1, 2}},
                                                                 {"V2", {0, 1, 2}},
                                                                 {"V3", {0, 1, 2}},
                                                                 {"V4", {0, 1, 2}},
                                                                 {"Contrarian", {3, 1, 0}}}));
  EXPECT_EQ(hundredths(analysis.score(4)), 440);
  EXPECT_EQ(analysis.footrule(4), 6);
  EXPECT_EQ(hundredths(analysis.score(0)), 60);  // A +0.4, C +0.2
  EXPECT_EQ(analysis.footrule(0), 0);
  const BallotMeasures measures = analysis.measure(4);
  ASSERT_EQ(measures.omitted.size(), 1U);
  EXPECT_EQ(hundredths(measures.omitted[0].z), -80);
  EXPECT_TRUE(measures.picks[0].far());
  EXPECT_FALSE(measures.picks[2].far());
  const TeamStanding& d = analysis.standings()[3];
  EXPECT_EQ(d.rank, 4);
  EXPECT_EQ(d.ballots, 1);
  EXPECT_EQ(d.onlyBallot, 4U);

  std::ostringstream out;
  std::vector<std::string> notes;
  writeAnalysis(out, analysis, AnalysisFormat::kText, "March 9 2025", notes);
  EXPECT_EQ(out.str(),
            "5 ballots of 3 places, the week of March 9 2025\n\n"
            "Ballots by score, highest first\n"
            "1. Contrarian: score 4.40, footrule 6\n"
            "   D 1st (consensus 4th, z +2.00)\n"
            "2. V1: score 0.60, footrule 0\n3. V2: score 0.60, footrule 0\n"
            "4. V3: score 0.60, footrule 0\n5. V4: score 0.60, footrule 0\n\n"
            "Teams the voters split on most\n"
            "  D: spread 1.20, on 1 ballot, best 1st, worst 1st\n"
            "  A: spread 0.80, on 5 ballots, best 1st, worst 3rd\n"
            "  C: spread 0.40, on 4 ballots, best 3rd, worst 3rd\n"
            "  B: spread 0.00, on 5 ballots, best 2nd, worst 2nd\n\n"
            "Teams on one ballot\n  D (Contrarian)\n");
}

// Equal points share a consensus rank, and both are in the consensus top.
TEST(BallotAnalysisTest, TiesInTheConsensusShareARank) {
  const BallotAnalysis analysis(ballotsOf({"A", "B", "C"}, {{"V1", {0, 1}}, {"V2", {1, 0}}}));
  EXPECT_EQ(analysis.standings()[0].rank, 1);
  EXPECT_EQ(analysis.standings()[1].rank, 1);
  EXPECT_EQ(analysis.standings()[2].rank, 0);  // no points
  EXPECT_EQ(analysis.footrule(0), 1);          // A |1 - 1|, B |2 - 1|
  EXPECT_TRUE(analysis.measure(0).omitted.empty());
}

TEST(BallotAnalysisTest, NumbersAreWordedAsReadersReadThem) {
  using analysis_words::decimal;
  using analysis_words::ordinal;
  const struct {
    int64_t number;
    const char* ordinal;
  } ordinals[] = {{1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"},     {11, "11th"},
                  {12, "12th"}, {13, "13th"}, {21, "21st"}, {102, "102nd"}, {111, "111th"}};
  for (const auto& c : ordinals) EXPECT_EQ(ordinal(c.number), c.ordinal);
  EXPECT_EQ(decimal(241, true, false), "+2.41");
  EXPECT_EQ(decimal(-5, true, false), "-0.05");
  EXPECT_EQ(decimal(0, true, false), "0.00");
  EXPECT_EQ(decimal(1200, false, true), "12");
  EXPECT_EQ(decimal(1250, false, true), "12.50");
  EXPECT_EQ(hundredths(-1.6), -160);
}

}  // namespace

}  // namespace hoops
