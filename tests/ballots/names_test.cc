// Names as voters spell them: one team in any Unicode form, only known teams counted, and the
// known teams near a name that is not one suggested.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ballots/name_folding.h"
#include "tally_of.h"

namespace hoops {

namespace {

const std::string kRoster =
    "Gonzaga\tZags\nSaint Amberly\nRidgewater State\nMount Halvard\nHarborview\n"
    "Saint Mary's\nJos\xC3\xA9 Vale\n";

TEST(TeamNamesTest, FoldingKeepsWhatTellsNamesApart) {
  EXPECT_EQ(normalizedName("Jose\xCC\x81"), normalizedName("Jos\xC3\xA9"));  // é two ways
  EXPECT_EQ(normalizedName("\xEF\xBC\xA4uke"), "Duke");                      // fullwidth D
  EXPECT_EQ(normalizedName("Saint\xC2\xA0Mary's"), "Saint Mary's");          // no-break space
  EXPECT_NE(normalizedName("duke"), normalizedName("Duke"));
  EXPECT_EQ(foldedVoter(" \xEF\xBC\xA1VERY  QUINN "), "avery quinn");
  EXPECT_EQ(foldedVoter("Stra\xC3\x9F"
                        "e"),
            foldedVoter("STRASSE"));
  EXPECT_EQ(foldedName("SAINT MARY\xE2\x80\x99S"), foldedName("saint marys"));  // ’
  EXPECT_EQ(foldedName("Jos\xC3\xA9-Vale"), "josevale");
  EXPECT_EQ(foldedName("Texas A&M"), "texasaandm");
  EXPECT_EQ(abbreviatedName("St. Amberly"), abbreviatedName("Saint Amberly"));
  EXPECT_EQ(abbreviatedName("Ridgewater St"), abbreviatedName("Ridgewater State"));
  EXPECT_EQ(abbreviatedName("Mt. Halvard U"), abbreviatedName("Mount Halvard University"));
  EXPECT_EQ(foldedName("\xFF"
                       "A"),
            "a");  // a stray byte is no letter
}

// Every spelling below is refused with the known team it is near, and only a known team.
TEST(TeamNamesTest, ANameThatIsNoKnownTeamIsRefusedWithTheTeamsNearIt) {
  const struct {
    std::string name;
    std::string suggests;
  } cases[] = {
      {"St. Amberly", "'Saint Amberly'"},
      {"Ridgewater St", "'Ridgewater State'"},
      {"Mt. Halvard", "'Mount Halvard'"},
      {"Harbourview", "'Harborview'"},
      {"SAINT MARY\xE2\x80\x99S", "'Saint Mary's'"},
      {"gonzaga", "'Gonzaga'"},
      {"Houstn", "'Houston'"},
      {"Duk", "'Duke'"},
  };
  for (const auto& c : cases) {
    // The other ballot's misspelling is never suggested.
    const Outcome outcome =
        tallyOf(kLast, {{"a.csv", "Ann,Duke," + c.name + "\nBob,Duke,Nwe Team\n"}},
                {std::nullopt, kRoster, {}});
    EXPECT_EQ(outcome.problems, "a.csv:1: '" + c.name + "' is not a known team; did you mean " +
                                    c.suggests + "?\na.csv:2: 'Nwe Team' is not a known team\n");
  }
}

TEST(TeamNamesTest, OneTeamInEverySpellingItIsKnownBy) {
  // An alias, another Unicode form, a fullwidth letter and a no-break space: no new row.
  const Outcome outcome =
      tallyOf(kLast,
              {{"a.csv",
                "Ann,Zags,Jose\xCC\x81 Vale,\xEF\xBC\xA4uke\nBob,Gonzaga,Jos\xC3\xA9 Vale,Duke\n"
                "Cy,Saint\xC2\xA0Mary's,Gonzaga,Duke\n"},
               {"\xEF\xBC\xA1nn.txt", "Gonzaga\nDuke\nHouston\n"}},
              {std::nullopt, kRoster, {}});
  EXPECT_EQ(outcome.problems,
            "\xEF\xBC\xA1nn.txt:1: '\xEF\xBC\xA1nn' has cast a ballot already, at a.csv:1\n");
  const Outcome counted =
      tallyOf(kLast,
              {{"a.csv",
                "Ann,Zags,Jose\xCC\x81 Vale,\xEF\xBC\xA4uke\nBob,Gonzaga,Jos\xC3\xA9 Vale,Duke\n"}},
              {std::nullopt, kRoster, {}});
  EXPECT_EQ(counted.week,
            "March 9 2025\n1\tGonzaga\t24-2\t6\t1\n2\tJos\xC3\xA9 Vale\t0-0\t4\t-\n"
            "3\tDuke\t23-3\t2\t2\n");
}

TEST(TeamNamesTest, ANameRefusedOnManyBallotsIsOneProblem) {
  std::string ballots;
  for (int voter = 1; voter <= 5; ++voter) {
    // (A piece at a time: GCC 12 warns falsely of overlaps in "V" + std::to_string(...).)
    ballots += 'V';
    ballots += std::to_string(voter) + ",Gonzga,Duke\n";
  }
  const Outcome outcome = tallyOf(kLast, {{"a.csv", ballots + "V6,Duke,Gonzga\n"}});
  EXPECT_EQ(outcome.problems,
            "a.csv:1: 'Gonzga' is not a known team; did you mean 'Gonzaga'? (on 6 ballots; also "
            "at a.csv:2, a.csv:3, a.csv:4, ...)\n");
}

// Two spellings of one team among the known names are refused, never two rows.
TEST(TeamNamesTest, KnownNamesHaveOneSpellingATeam) {
  const struct {
    Known known;
    std::string problems;
  } cases[] = {
      {{std::nullopt, "Saint Amberly\nSaint Amberly\n", {}},
       "roster.txt:2: 'Saint Amberly' is on the roster already, at line 1\n"},
      {{std::nullopt, "Gonzaga\tZags\nDuke\tZags\n", {}},
       "roster.txt:2: the spelling 'Zags' is 'Gonzaga''s already\n"},
      {{std::nullopt, "duke\n", {}},
       "roster.txt:1: 'duke' is another spelling of 'Duke'; write one team one way, or its "
       "other spellings in the roster\n"},
      {{"gonzaga,1-2\n", std::nullopt, {}},
       "records.txt:1: 'gonzaga' is another spelling of 'Gonzaga'; write one team one way, or "
       "its other spellings in the roster\n"},
      {{std::nullopt, std::nullopt, {"HOUSTON", "Bad\tName"}},
       ":0: --new 'HOUSTON' is another spelling of 'Houston'; write one team one way, or its "
       "other spellings in the roster\n"
       ":0: --new 'Bad\tName': a name that cannot stand in a poll file: it holds a tab\n"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = tallyOf(kLast, {{"a.csv", "Ann,Duke,Gonzaga\n"}}, c.known);
    EXPECT_EQ(outcome.problems, c.problems);
  }
}

}  // namespace

}  // namespace hoops
