// Spellings of one name told apart or not: the keys names are compared by.
#ifndef HOOPS_BALLOTS_NAME_FOLDING_H_
#define HOOPS_BALLOTS_NAME_FOLDING_H_

#include <string>
#include <string_view>

namespace hoops {

// `name` in Unicode's compatibility decomposition (NFKD): two names have one normalized form
// when they are one text to a reader (composed and decomposed letters, a no-break space and a
// space, fullwidth and plain letters). Text that is not UTF-8 is returned as it is.
std::string normalizedName(std::string_view name);

// A voter's name as voters are told apart: normalized, letter case folded, blanks only between
// words and one at a time ("Avery Quinn", " AVERY  QUINN " and "ａｖｅｒｙ quinn" are one).
std::string foldedVoter(std::string_view name);

// What two spellings of one team share: the letters and digits alone, normalized, in one case,
// without accents ("Saint Mary’s", "saint marys" and "SAINT MARY'S" fold alike; "&" is "and").
std::string foldedName(std::string_view name);

// foldedName with the usual abbreviations written one way: St. and St for Saint and State, Mt.
// for Mount, U and Univ. for University ("St. Amberly" and "Saint Amberly" are near).
std::string abbreviatedName(std::string_view name);

}  // namespace hoops

#endif  // HOOPS_BALLOTS_NAME_FOLDING_H_
