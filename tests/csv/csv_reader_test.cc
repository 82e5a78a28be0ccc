// RFC 4180 records as spreadsheets and web forms write them, and what they get wrong.
#include "csv/csv_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace hoops {

namespace {

// The records of `text`, fields joined by '|', a record a line, each after its line number and
// a '!' when it was not as RFC 4180 writes it.
std::string recordsOf(const std::string& text, char separator = ',') {
  std::istringstream in(text);
  CsvReader reader(in, separator);
  std::vector<std::string_view> fields;
  std::string records;
  while (reader.next(fields)) {
    records += std::to_string(reader.line());
    records += reader.problem() == CsvReader::Problem::kNone ? ": " : "! ";
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) records += '|';
      records += fields[i];
    }
    records += "\n";
  }
  return records;
}

TEST(CsvReaderTest, ReadsRecordsAsRfc4180WritesThem) {
  const struct {
    std::string text;
    std::string records;
  } cases[] = {
      {"a,b,c\n1,2,3\n", "1: a|b|c\n2: 1|2|3\n"},
      {"a,b", "1: a|b\n"},  // no line end at the end
      {"\xEF\xBB\xBFVoter,1\r\nAnn,X\r\n", "1: Voter|1\n2: Ann|X\n"},
      {"\"a,b\",\"say \"\"hi\"\"\",\"\"\n", "1: a,b|say \"hi\"|\n"},
      {"\"two\nlines\",x\ny,z\n", "1: two\nlines|x\n3: y|z\n"},
      {"  a  , \"b\" ,\t c\t\n", "1: a|b|c\n"},                // blanks around fields
      {"a,,\n\n,\n", "1: a||\n2: \n3: |\n"},                   // empty fields and rows
      {"a\"b,c\n", "1: a\"b|c\n"},                             // a quote inside a bare field
      {"\"open,x\ny\n", "1! open,x\ny\n\n"},                   // never closed: takes the rest
      {"\"a\"b,c\n", "1! ab|c\n"},                             // text after the closing quote
      {"a,b\rc,\"d\"\r\re\r", "1: a|b\n2: c|d\n3: \n4: e\n"},  // CR alone ends lines
  };
  for (const auto& c : cases) EXPECT_EQ(recordsOf(c.text), c.records) << c.text;
  EXPECT_EQ(recordsOf("a\tb,c\t\"d\te\"\n", '\t'), "1: a|b,c|d\te\n");
}

TEST(CsvReaderTest, RecordsAcrossTheReadBlockAreReadWhole) {
  // The reader holds 64 KiB at a time; put each byte of a quoted record on the boundary.
  const std::string record = "\"x \"\"y\"\" z\",\"a\nb\",c\n";
  for (std::size_t shift = 0; shift <= record.size(); ++shift) {
    const std::size_t fill = (std::size_t{1} << 16) - shift;
    std::string text = std::string(fill - 3, 'f') + ",f\n" + record + std::string(70000, 'g');
    std::istringstream in(text);
    CsvReader reader(in);
    std::vector<std::string_view> fields;
    ASSERT_TRUE(reader.next(fields));
    ASSERT_TRUE(reader.next(fields)) << shift;
    ASSERT_EQ(fields.size(), 3u) << shift;
    EXPECT_EQ(fields[0], "x \"y\" z") << shift;
    EXPECT_EQ(fields[1], "a\nb") << shift;
    EXPECT_EQ(reader.line(), 2u);
    ASSERT_TRUE(reader.next(fields));
    EXPECT_EQ(fields[0].size(), 70000u);  // a record longer than the block
    EXPECT_EQ(reader.line(), 4u);
    EXPECT_FALSE(reader.next(fields));
  }
}

}  // namespace

}  // namespace hoops
