// The poll file reader, case by case.
#include "pollfile/poll_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "failing_streambuf.h"

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
};

Read read(const std::string& text) {
  std::istringstream in(text);
  Poll poll;
  EXPECT_TRUE(readPollFile(in, poll));
  Read result{poll.date, {}};
  for (const Team& t : poll.teams) {
    result.rows.push_back({std::string(t.name), t.lastWeek, t.wins, t.losses, t.votes});
  }
  return result;
}

TEST(PollReaderTest, ReadsRowsByTheirDigitRunsTabsAndBlanks) {
  struct Case {
    const char* what;
    std::string text;
    std::string date;
    std::vector<Row> rows;
  };
  const std::string d = "March 28 2010\n";
  const Case cases[] = {
      {"two rows",
       d + "1\tExample Tech\t25-3\t875\t-\n2\tState\t20-8\t700\t7\n",
       "March 28 2010",
       {{"Example Tech", 1, 25, 3, 875}, {"State", 2, 20, 8, 700}}},
      {"space instead of dash",
       d + "1\tA\t25 3\t875\t-\n",
       "March 28 2010",
       {{"A", 1, 25, 3, 875}}},
      {"leading zeros", d + "007\tA\t005-03\t0875\t-\n", "March 28 2010", {{"A", 7, 5, 3, 875}}},
      {"blanks before a name are dropped, blanks after it kept",
       d + "1\t   A b \t1-2\t3\t-\n",
       "March 28 2010",
       {{"A b ", 1, 1, 2, 3}}},
      {"name starting with digits",
       d + "1\t76ers U\t1-2\t3\t-\n",
       "March 28 2010",
       {{"76ers U", 1, 1, 2, 3}}},
      {"CRLF rows",
       "March 28 2010\r\n1\tA\t1-2\t3\t-\r\n2\tB\t4-5\t6\t1\r\n",
       "March 28 2010",
       {{"A", 1, 1, 2, 3}, {"B", 2, 4, 5, 6}}},
      {"empty lines and blanks between rows",
       d + "1\tA\t1-2\t3\t-\n\n \t\n  2\tB\t4-5\t6\t1\n\n\n",
       "March 28 2010",
       {{"A", 1, 1, 2, 3}, {"B", 2, 4, 5, 6}}},
      {"blank lines before the first row",
       d + "\n\n  1\tA\t1-2\t3\t-\n",
       "March 28 2010",
       {{"A", 1, 1, 2, 3}}},
      {"last row without a line end", d + "1\tA\t1-2\t3\t-", "March 28 2010", {{"A", 1, 1, 2, 3}}},
      {"17-character date line",
       "September 10 2010\n1\tA\t1-2\t3\t-\n",
       "September 10 2010",
       {{"A", 1, 1, 2, 3}}},
      {"17 characters and CRLF",
       "September 10 2010\r\n1\tA\t1-2\t3\t-\r\n",
       "September 10 2010",
       {{"A", 1, 1, 2, 3}}},
      {"18-character date line", "September 10 20101\n1\tA\t1-2\t3\t-\n", "September 10 2010", {}},
      {"a carriage return inside the date stays", "May\r1 2010\n", "May\r1 2010", {}},
      {"byte-order mark and trailing blanks",
       "\xEF\xBB\xBFMarch 28 2010 \t \r\n1\tA\t1-2\t3\t-\n",
       "March 28 2010",
       {{"A", 1, 1, 2, 3}}},
      {"trailing blanks past 17 characters",
       "September 10 2010" + std::string(30, ' ') + "\n1\tA\t1-2\t3\t-\n",
       "September 10 2010",
       {{"A", 1, 1, 2, 3}}},
      {"a byte-order mark later is kept", "\xEF\xBB\xBF\xEF\xBB\xBF\n", "\xEF\xBB\xBF", {}},
      {"blanks then more text past 17",
       "September 10 2010  x\n1\tA\t1-2\t3\t-\n",
       "September 10 2010",
       {}},
      {"date line alone", "March 28 2010\n", "March 28 2010", {}},
      {"date without a line end", "March 28 2010", "March 28 2010", {}},
      {"empty file", "", "", {}},
      {"cut off inside a name",
       d + "1\tA\t1-2\t3\t-\n2\tHalf a na",
       "March 28 2010",
       {{"A", 1, 1, 2, 3}}},
      {"cut off after the name's tab",
       d + "1\tA\t1-2\t3\t-\n2\tB\t",
       "March 28 2010",
       {{"A", 1, 1, 2, 3}, {"B", 2, 0, 0, 0}}},
      {"digit runs saturate",
       d + "99999999999\tA\t2147483648-4294967296\t99999999999999\t-\n",
       "March 28 2010",
       {{"A", 2147483647, 2147483647, 2147483647, 2147483647}}},
      {"missing numbers give 0", d + "\tA\t-\t\t\n", "March 28 2010", {{"A", 0, 0, 0, 0}}},
      {"ten digits",
       d + "1234567890\tA\t1-2\t3\t-\n",
       "March 28 2010",
       {{"A", 1234567890, 1, 2, 3}}},
      {"a row without its last column runs on into the next row's number",
       d + "1\tA\t1-2\t3\t\n2\tB\t4-5\t6\t-\n",
       "March 28 2010",
       {{"A", 1, 1, 2, 3}, {"B", 0, 4, 5, 6}}},
  };
  for (const Case& c : cases) {
    Read result = read(c.text);
    EXPECT_EQ(result.date, c.date) << c.what;
    EXPECT_EQ(result.rows, c.rows) << c.what;
  }
}

TEST(PollReaderTest, FieldsAcrossTheReadBlockBoundaryAreReadWhole) {
  // The reader takes 64 KiB at a time; put each byte of a row on the boundary in turn.
  const std::string row = "123\tName\t45-67\t8901\t2\n";
  const std::size_t block = std::size_t{1} << 16;
  const std::string head = "May 1 2010\n";
  for (std::size_t shift = 0; shift <= row.size(); ++shift) {
    const std::size_t fill = block - head.size() - shift;
    // A first row whose name fills the rest of the block up to the row under test.
    const std::string first = "1\t" + std::string(fill - 11, 'f') + "\t1-1\t1\t-\n";
    ASSERT_EQ(first.size(), fill);
    std::string text = head;
    text += first;
    text += row;
    Read result = read(text);
    ASSERT_EQ(result.rows.size(), 2u) << "shift " << shift;
    EXPECT_EQ(result.rows[1], (Row{"Name", 123, 45, 67, 8901})) << "shift " << shift;
  }
}

TEST(PollReaderTest, AReadErrorIsReportedAtAnyPoint) {
  const std::string text = "March 28 2010\n1\tA\t1-2\t3\t-\n2\tB\t4-5\t6\t1\n";
  for (int failAt = 1; failAt <= 4; ++failAt) {
    FailingStreambuf buffer(text, failAt);
    std::istream in(&buffer);
    Poll poll;
    EXPECT_FALSE(readPollFile(in, poll)) << "read " << failAt << " fails";
  }
}

TEST(PollReaderTest, NamesLongerThanTheReadBlockAreKeptWhole) {
  std::string name(200000, 'x');
  Read result = read("May 1 2010\n1\t" + name + "\t1-2\t3\t-\n");
  ASSERT_EQ(result.rows.size(), 1u);
  EXPECT_EQ(result.rows[0].name, name);
  EXPECT_EQ(result.rows[0].votes, 3);
}

}  // namespace
