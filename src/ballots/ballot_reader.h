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

// One ballot as read: who cast it, on which line, and its teams from first place down; for a
// list, the line of each team too (empty for a row, whose teams all stand on its line). The
// views hold until the next ballot is read.
struct Ballot {
  std::string_view voter;
  std::size_t line = 0;
  std::vector<std::string_view> teams;
  std::vector<std::size_t> lines;
};

// The most places a ballot may have: far more than any real poll's.
inline constexpr std::size_t kMostPlaces = 1000;

// At the end of `reader`'s records: a record too long for it is a problem of `file` (the
// reading stopped there). False when the input had a read error.
bool finishReading(const CsvReader& reader, const std::string& file, ProblemList& problems);

// The separator of a table whose text starts with `start`: the first tab, semicolon or comma
// outside quotes on its first row that is not blank; 0 when that row holds none (a list).
char tableSeparator(std::string_view start);

// Reads the ballots of the file `file` from `in`, told apart by content: a table when its first
// row holds a separator (tableSeparator: tab, semicolon or comma, RFC 4180), one ballot a row,
// the voter first, then the teams from first place down; otherwise one ballot, one team a
// line, cast by the voter `listVoter` (the file's name without its folder and extension).
// Blanks around a field, blank rows, a first row whose first field is "Voter" (in any case), a
// UTF-8 byte-order mark and CR LF or CR line ends are read as meant. Each ballot goes to `take`;
// what is wrong with the form (a row without a voter, a row separated otherwise than the first,
// quotes not closed, more than kMostPlaces places) goes to `problems`, and a row longer than a
// CSV record may be ends the reading there with a problem. Returns false on a read error.
bool readBallots(std::istream& in, const std::string& file, std::string_view listVoter,
                 const std::function<void(const Ballot&)>& take, ProblemList& problems);

// The voter of a one-list ballot file at `path`: its name without the folder and extension.
std::string voterOfListFile(const std::string& path);

#endif  // HOOPS_BALLOTS_BALLOT_READER_H_
