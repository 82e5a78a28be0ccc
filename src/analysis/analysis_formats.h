// The analysis of a week's ballots in the forms its readers read it.
#ifndef HOOPS_ANALYSIS_ANALYSIS_FORMATS_H_
#define HOOPS_ANALYSIS_ANALYSIS_FORMATS_H_

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/ballot_analysis.h"

namespace hoops {

enum class AnalysisFormat {
  kText,  // the ballots by score with their far picks in words, the split teams, the singles
  kCsv,   // a row per ballot and pick, for a spreadsheet to pivot
  kJson,  // every ballot, team and single, numbers as numbers
  kHtml,  // one standalone page: the ballot grid, far picks marked, the team table
};

// The format called `name` (text, csv, json, html), or nullopt.
std::optional<AnalysisFormat> analysisFormatNamed(std::string_view name);

// Writes `analysis` of the ballots of the week dated `date` as `format` to `out`; `notes`
// gets what the operator should know (a voter's name that is not UTF-8, in JSON).
void writeAnalysis(std::ostream& out, const BallotAnalysis& analysis, AnalysisFormat format,
                   std::string_view date, std::vector<std::string>& notes);

// The page form: the ballot grid, far picks marked by sign, words and shade, the team table.
void writeAnalysisPage(std::ostream& out, const BallotAnalysis& analysis, std::string_view date);

// The parts the forms share.
namespace analysis_words {
// 1st, 2nd, 3rd, 4th, 11th, 21st ...
std::string ordinal(int64_t number);
// A number of hundredths as a decimal: "2.41", "-0.50", "+2.41" with `sign`, "12" for a whole
// number when `trimWhole`.
std::string decimal(int64_t hundredths, bool sign, bool trimWhole);
// The ballots' indexes by score, highest first (in the order read where equal).
std::vector<std::size_t> byScore(const BallotAnalysis& analysis);
// The teams with the widest spread, at most `most`, widest first (then by rank and name).
std::vector<uint32_t> mostSplit(const BallotAnalysis& analysis, std::size_t most);
}  // namespace analysis_words

}  // namespace hoops

#endif  // HOOPS_ANALYSIS_ANALYSIS_FORMATS_H_
