// The poll file reader, line by line: what loads and how, what is refused and what it is called.
#include "pollfile/poll_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "failing_streambuf.h"

namespace hoops {

namespace {

// A team as the reader gives it: name, lastWeek, wins, losses, votes.
struct Row {
  std::string name;
  int lastWeek, wins, losses, votes;
  bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
  return out << '{' << '"' << row.name << "\" " << row.lastWeek << ' ' << row.wins << ' '
             << row.losses << ' ' << row.votes << '}';
}

struct Read {
  std::string date;
  std::vector<Row> rows;
  std::string findings;  // "LINE: text" lines, a refusal marked "!"
};

Read readPoll(const std::string& text) {
  std::istringstream in(text);
  Poll poll;
  FindingTally tally;
  EXPECT_TRUE(readPollFile(in, poll, tally));
  Read result{poll.date, {}, ""};
  for (const Team& t : poll.teams) {
    result.rows.push_back({std::string(t.name), t.lastWeek, t.wins, t.losses, t.votes});
  }
  for (const Finding& f : tally.findings()) {
    result.findings += std::to_string(f.line) + (f.refuses ? "! " : ": ") + f.text() + "\n";
  }
  return result;
}

const std::string kDate = "March 28 2010\n";
const std::string kRow = "1\tRidgewater State\t24-2\t1512\t-\n";

TEST(PollReaderTest, RowsThatLoadAndWhatIsToldOfThem) {
  struct Case {
    const char* what;
    std::string text;
    std::string date;
    std::vector<Row> rows;
    std::string findings;
  };
  const Case cases[] = {
      {"two rows",
       kDate + "1\tExample Tech\t25-3\t875\t-\n2\tState\t20-8\t700\t7\n",
       "March 28 2010",
       {{"Example Tech", 1, 25, 3, 875}, {"State", 2, 20, 8, 700}},
       ""},
      {"a space between wins and losses, leading zeros",
       kDate + "007\tA\t005 03\t0875\t-\n",
       "March 28 2010",
       {{"A", 7, 5, 3, 875}},
       ""},
      {"blanks before a name are dropped, blanks after it kept; a name starting with digits",
       kDate + "1\t   A b \t1-2\t3\t-\n2 76ers U\t1-2\t3\t1\n",
       "March 28 2010",
       {{"A b ", 1, 1, 2, 3}, {"76ers U", 2, 1, 2, 3}},
       ""},
      {"CRLF, a byte-order mark, blanks at line ends, empty lines anywhere, no last column",
       "\xEF\xBB\xBFMarch 28 2010 \t\r\n\r\n1\tA\t1-2\t3\t-\t\r\n \t\n\n2\tB\t4-5\t6\r\n\n",
       "March 28 2010",
       {{"A", 1, 1, 2, 3}, {"B", 2, 4, 5, 6}},
       ""},
      {"17 characters and no line end at the end",
       "September 10 2010\n1234567890\tA\t1-2\t2147483647\t-",
       "September 10 2010",
       {{"A", 1234567890, 1, 2, 2147483647}},
       ""},
      {"the date alone, and an empty file", "March 28 2010", "March 28 2010", {}, ""},
      {"", "", "", {}, ""},
      {"names to be told of, and a team without votes",
       kDate + "1\t\"Quoted\"\t1-2\t3\t-\n2\tBell\x07\t1-2\t0\t1\n3\tCsi\xC2\x9B\t1-2\t3\t2\n",
       "March 28 2010",
       {{"\"Quoted\"", 1, 1, 2, 3}, {"Bell\x07", 2, 1, 2, 0}, {"Csi\xC2\x9B", 3, 1, 2, 3}},
       "2: a name in double quotes; the quotes are kept as part of it\n"
       "3: a name with control characters; a terminal shows each as ? (and 1 more line)\n"
       "3: a team with 0 votes; the ranking drops it\n"},
  };
  for (const Case& c : cases) {
    const Read result = readPoll(c.text);
    EXPECT_EQ(result.date, c.date) << c.what;
    EXPECT_EQ(result.rows, c.rows) << c.what;
    EXPECT_EQ(result.findings, c.findings) << c.what;
  }
}

TEST(PollReaderTest, LinesThatAreNotRowsRefuseTheFileAndSayWhatToChange) {
  const std::string notARow = "not a row: position, name, a tab, wins-losses, votes, last week";
  const struct {
    std::string text;
    std::string findings;
  } cases[] = {
      {"Sunday, March 2, 2025\n" + kRow,
       "1! the first line is longer than a poll date; put the date alone on it, as March 2 2025\n"},
      {kDate + "Rank\tTeam\tRecord\tVotes\tLast week\n" + kRow,
       "2! a header row; delete it: the date comes first, then one team a line\n"},
      {kDate + "1\t\"Ridgewater State\"\t\"24-2\"\t1512\t-\n\"2\",\"B\",\"1-2\",\"3\",\"-\"\n",
       "2! a field in double quotes; export the file without quoting text (and 1 more line)\n"},
      {kDate + "1,Ridgewater State,24-2,1512,-\n",
       "2! commas where tabs belong; export the file with tabs between the columns\n"},
      {kDate + "1 Alpha 24-2 1512 1\n2 Charlie 20-4 1400 2\n",
       "2! columns separated by spaces; put a tab after the name (and 1 more line)\n"},
      {kDate + "1\tA\t2/24/2026\t1512\t-\n2\tB\t24-Feb\t1400\t-\n",
       "2! a record turned into a date; read the record column as text, as 24-2 (and 1 more "
       "line)\n"},
      {kDate + "1\tA\t24-2\t1,512\t-\n" + kRow,
       "2! a number with a thousands separator; write it in digits alone\n"},
      {kDate + "1\tA\t2147483648-2\t3\t-\n12345678901\tB\t1-2\t3\t-\n",
       "2! a number over 2147483647 (and 1 more line)\n"},
      {kDate + "1\tA" + std::string(9000, 'a') + "\t1-2\t3\t-\n", "2! a line longer than 8 KiB\n"},
      {kDate + kRow + "2\tHalf a na", "3! " + notARow + "\n"},
      {kDate + kRow + "2\tB\t\n\tC\t-\t\t\n", "3! " + notARow + " (and 1 more line)\n"},
      {std::string("\xFF\xFEM\0a\0r\0", 8),
       "1! UTF-16 text or NUL bytes; export the file as plain text or UTF-8\n"},
      {kDate + kRow + std::string("2\tN\0L\t1-2\t3\t-\n", 13),
       "3! UTF-16 text or NUL bytes; export the file as plain text or UTF-8\n"},
      {"03/09/25\n1\t\"A\"\t1-2\t0\t-\n2\tB\t1-2\t3 x\t-\n",
       "2: a name in double quotes; the quotes are kept as part of it\n"
       "2: a team with 0 votes; the ranking drops it\n3! " +
           notARow + "\n"},
  };
  for (const auto& c : cases) {
    const Read result = readPoll(c.text);
    EXPECT_EQ(result.findings, c.findings) << c.text.substr(0, 60);
  }
}

TEST(PollReaderTest, LinesAcrossTheReadBlockBoundaryAreReadWhole) {
  // The reader takes 64 KiB at a time; put each byte of a row on the boundary in turn.
  const std::string row = "123\tName\t45-67\t8901\t2\n";
  const std::size_t block = std::size_t{1} << 16;
  const std::string head = "May 1 2010\n";
  for (std::size_t shift = 0; shift <= row.size(); ++shift) {
    std::string text = head;
    // Rows of at most 8 KiB fill the block up to the row under test.
    std::size_t fill = block - head.size() - shift;
    std::size_t rows = 0;
    while (fill > 0) {
      const std::size_t length = fill > 8000 ? 4000 : fill;
      text += "1\t" + std::string(length - 11, 'f') + "\t1-1\t1\t-\n";
      fill -= length;
      ++rows;
    }
    text += row;
    const Read result = readPoll(text);
    ASSERT_EQ(result.rows.size(), rows + 1) << "shift " << shift;
    EXPECT_EQ(result.rows.back(), (Row{"Name", 123, 45, 67, 8901})) << "shift " << shift;
    EXPECT_EQ(result.findings, "") << "shift " << shift;
  }
}

TEST(PollReaderTest, AReadErrorIsReportedAtAnyPoint) {
  const std::string text = "March 28 2010\n1\tA\t1-2\t3\t-\n2\tB\t4-5\t6\t1\n";
  for (int failAt = 1; failAt <= 4; ++failAt) {
    FailingStreambuf buffer(text, failAt);
    std::istream in(&buffer);
    Poll poll;
    FindingTally tally;
    EXPECT_FALSE(readPollFile(in, poll, tally)) << "read " << failAt << " fails";
  }
}

}  // namespace

}  // namespace hoops
