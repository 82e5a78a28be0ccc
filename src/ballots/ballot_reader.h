// Voters' ballots, in the forms they arrive in.
#ifndef HOOPS_BALLOTS_BALLOT_READER_H_
#define HOOPS_BALLOTS_BALLOT_READER_H_

#include <cstddef>
#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "ballots/problem_list.h"
#include "csv/csv_reader.h"

namespace hoops {

// One ballot as read: who cast it, on which line, and its teams from first place down; for a
// list, the line of each team too (empty for a row, whose teams all stand on its line). The
// views hold until the next ballot is read.
struct Ballot {
  std::string_view voter;
  std::size_t line = 0;
  std::vector<std::string_view> teams;
  std::vector<std::size_t> lines;
};

// True for the digits 0 to 9 alone, whatever the locale.
inline bool isAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

// The most places a ballot may have: far more than any real poll's.
inline constexpr std::size_t kMostPlaces = 1000;

// At the end of `reader`'s records: a record too long for it is a problem of `file` (the
// reading stopped there). False when the input had a read error.
bool finishReading(const CsvReader& reader, const std::string& file, ProblemList& problems);

// Says in `problems` what was not as RFC 4180 writes it in the record `reader` read last;
// true when there was such a thing (the record's fields are then not what was meant).
bool notePoorQuoting(const CsvReader& reader, const std::string& file, ProblemList& problems);

// The first tab, semicolon or comma outside quotes in `text`, past blank lines: on its first
// row when `firstRowOnly`, else anywhere; 0 when there is none.
char firstSeparator(std::string_view text, bool firstRowOnly);

// The separator of a table whose text starts with `start`: firstSeparator on its first row
// that is not blank; 0 when that row holds none (a list).
inline char tableSeparator(std::string_view start) {
  return firstSeparator(start, true);
}

// Reads the ballots of the file `file` from `in`, its form told by its content:
// - a numbered list, every line "1. Team", "2) Team", "3<TAB>Team" and so on in order: one
//   ballot, cast by `listVoter` (the file's name without its folder and extension);
// - a table when its first row holds a separator (tableSeparator), one ballot a row: with a
//   header row (columns named like a voter, a submission time and places 1..N, as web forms
//   export them; ballot_table.h), the columns it names; without one, the voter first, then
//   the teams from first place down;
// - otherwise a list, one team a line, cast by `listVoter`.
// Blanks around a field, blank rows, a UTF-8 byte-order mark and CR LF or CR line ends are
// read as meant. Each ballot goes to `take`; what is wrong with the form to `problems`; what
// the reader passed over (columns that are not ballots', a ballot replaced by its voter's later
// one) to `notes`, a line each. Returns false on a read error.
bool readBallots(std::istream& in, const std::string& file, std::string_view listVoter,
                 const std::function<void(const Ballot&)>& take, ProblemList& problems,
                 std::vector<std::string>& notes);

// The voter of a one-list ballot file at `path`: its name without the folder and extension.
std::string voterOfListFile(const std::string& path);

}  // namespace hoops

#endif  // HOOPS_BALLOTS_BALLOT_READER_H_
