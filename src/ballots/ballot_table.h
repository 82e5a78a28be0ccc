// A table of ballots, a row each, with or without a web form's header row.
#ifndef HOOPS_BALLOTS_BALLOT_TABLE_H_
#define HOOPS_BALLOTS_BALLOT_TABLE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ballots/ballot_reader.h"
#include "csv/csv_reader.h"

namespace hoops {

// The columns a header row names: the voter's, the submission time's, and the places' in
// order; -1 where there is none.
struct BallotColumns {
  std::ptrdiff_t voter = -1;
  std::ptrdiff_t email = -1;  // the voter's when there is no name column
  std::ptrdiff_t submitted = -1;
  std::vector<std::size_t> places;
  std::vector<std::string> ignored;  // the other columns' headings
};

// The columns of `fields` when they are a header row: one of them names the voter (Voter,
// Name, Your name, Pollster, Email, Email Address) or a submission time (Timestamp, Start
// time, Completion time, Submitted), in any case; the places are the columns whose heading
// holds one number, 1, 2, 3 ... in order ("1", "1st", "#1", "No. 1", "Rank 1", "Ballot [1]"),
// or, when none does, every column after the voter's. nullopt when `fields` are no header.
std::optional<BallotColumns> headerColumns(const std::vector<std::string_view>& fields);

// Which of the first two numbers of a date written with the year last and slashes or dashes
// ("3/2/2025") is the month: the first, as American forms write it, or the day, as British
// and most other forms do.
enum class DateOrder { kMonthFirst, kDayFirst };

// A submission time as web forms write it ("3/2/2025 14:05:33", "2025-03-02T14:05:33Z",
// "2025/03/02 2:05:33 PM EST", "2.3.2025 14:05"), as a number that orders times; nullopt when
// it is not one. `order` says how a date with the year last and slashes or dashes is read; the
// year first is always year, month, day, and dots always day first.
std::optional<int64_t> submissionTime(std::string_view text,
                                      DateOrder order = DateOrder::kMonthFirst);

// Reads the rows of a table of ballots separated by `separator` from `reader`, as readBallots
// says. With a submission time column, a voter's later row replaces the earlier one (each
// replaced row is told in `notes`); the rows are then held until the table's end. Whether the
// export writes its dates month first or day first is told by its times as a whole: the one
// order that reads them all, or, where both do, either when they pick the same rows; where the
// later of a voter's rows depends on it, that is a problem.
bool readBallotTable(CsvReader& reader, char separator, const std::string& file,
                     const std::function<void(const Ballot&)>& take, ProblemList& problems,
                     std::vector<std::string>& notes);

}  // namespace hoops

#endif  // HOOPS_BALLOTS_BALLOT_TABLE_H_
