// Tables in text, as spreadsheets and web forms write them: RFC 4180 records.
#ifndef HOOPS_CSV_CSV_READER_H_
#define HOOPS_CSV_CSV_READER_H_

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace hoops {

// Reads records from a stream: fields separated by one separator (a comma, a tab), a record a
// line. A field in double quotes may hold the separator, line ends and doubled quotes (one
// quote each). Blanks (spaces, tabs that are not the separator, and a CR before a line feed)
// around a field are not part of it; a CR alone ends a line, as a line feed does. A UTF-8
// byte-order mark at the start is skipped. The stream is read in blocks; a record longer than
// kLongestRecord ends the reading (tooLong()), so that no input, however made, takes more
// memory than that.
class CsvReader {
 public:
  // What was not as RFC 4180 writes it in the last record read; it is read all the same.
  enum class Problem {
    kNone,
    kUnclosedQuote,   // a quoted field runs to the end of the input: it takes the rest
    kTextAfterQuote,  // text between a closing quote and the separator: it is appended
  };

  static constexpr std::size_t kLongestRecord = std::size_t{1} << 20;

  // Takes its first block at once, which may throw std::bad_alloc.
  explicit CsvReader(std::istream& in, char separator = ',');
  CsvReader(const CsvReader&) = delete;
  CsvReader& operator=(const CsvReader&) = delete;

  // The first bytes of the input, past a byte-order mark, before any record is read: for a
  // caller that tells the separator from them (at most one block).
  std::string_view lookAhead();
  void separateBy(char separator) { separator_ = separator; }

  // Reads the next record into `fields`, whose views hold until the next call; false at the
  // end of the input, on a read error (readError()), or at a record longer than
  // kLongestRecord (tooLong(); it starts on line nextLine()).
  bool next(std::vector<std::string_view>& fields);
  // The line the last record read starts on, 1-based.
  std::size_t line() const { return recordLine_; }
  Problem problem() const { return problem_; }
  bool readError() const { return in_.bad(); }
  bool tooLong() const { return tooLong_; }
  // The line the next record starts on, 1-based.
  std::size_t nextLine() const { return nextLine_; }

 private:
  // Where a field's text is: in the block, or, unquoted, in unquoted_.
  struct Span {
    bool unquoted;
    std::size_t offset;
    std::size_t length;
  };

  // Reads more input after what is held; false at the end.
  bool fill();
  // Parses one record from the bytes held; false when they end before it does.
  bool parse(bool atEnd);
  bool isBlank(char c) const { return (c == ' ' || c == '\t' || c == '\r') && c != separator_; }

  std::istream& in_;
  char separator_;
  std::vector<char> block_;
  std::size_t begin_ = 0;  // the first byte not yet read as a record
  std::size_t end_ = 0;    // the end of what is held
  bool started_ = false;   // the byte-order mark was looked for
  bool ended_ = false;     // the input has no more
  bool tooLong_ = false;   // a record passed kLongestRecord
  std::size_t nextLine_ = 1;
  std::size_t recordLine_ = 0;
  Problem problem_ = Problem::kNone;
  std::vector<Span> spans_;
  std::string unquoted_;  // quoted fields with doubled quotes, made single
};

}  // namespace hoops

#endif  // HOOPS_CSV_CSV_READER_H_
