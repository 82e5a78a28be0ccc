// RFC 4180 records, parsed from a block of the input; a record that runs past the block is
// parsed again once more of the input is held.
#include "csv/csv_reader.h"

#include <algorithm>
#include <cstring>

namespace hoops {

namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 16;

}  // namespace

CsvReader::CsvReader(std::istream& in, char separator)
    : in_(in), separator_(separator), block_(kBlockSize) {}

bool CsvReader::fill() {
  if (begin_ > 0) {
    std::memmove(block_.data(), block_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == block_.size()) block_.resize(block_.size() * 2);  // one record fills it
  if (!in_) return false;
  in_.read(block_.data() + end_, static_cast<std::streamsize>(block_.size() - end_));
  const auto got = static_cast<std::size_t>(in_.gcount());
  end_ += got;
  return got > 0;
}

std::string_view CsvReader::lookAhead() {
  if (!started_) {
    started_ = true;
    while (end_ < 3 && fill()) {
    }
    if (std::string_view(block_.data(), end_).substr(0, 3) == "\xEF\xBB\xBF") begin_ = 3;
  }
  return std::string_view(block_.data() + begin_, end_ - begin_);
}

bool CsvReader::next(std::vector<std::string_view>& fields) {
  if (tooLong_) return false;
  lookAhead();
  while (true) {
    if (begin_ == end_ && (ended_ || !fill())) {
      ended_ = true;
      return false;
    }
    if (parse(ended_)) break;
    if (end_ - begin_ >= kLongestRecord) {
      tooLong_ = ended_ = true;
      return false;
    }
    if (!fill()) ended_ = true;
  }
  fields.clear();
  for (const Span& span : spans_) {
    const char* text = span.unquoted ? unquoted_.data() : block_.data();
    fields.emplace_back(text + span.offset, span.length);
  }
  return true;
}

bool CsvReader::parse(bool atEnd) {
  const char* b = block_.data();
  std::size_t at = begin_;
  // A CR not followed by a line feed ends a line too, as old Mac exports write them; a CR at
  // the end of what is held is not yet known to be one.
  const auto loneCr = [&](std::size_t i) {
    return b[i] == '\r' && (i + 1 < end_ ? b[i + 1] != '\n' : atEnd);
  };
  const auto blankHere = [&](std::size_t i) { return isBlank(b[i]) && !loneCr(i); };
  std::size_t lines = 0;
  spans_.clear();
  unquoted_.clear();
  problem_ = Problem::kNone;
  // A field, where it ends: the separator (another field follows), a line end, or the input's
  // end. False when the bytes held end first and more may come.
  while (true) {
    while (at < end_ && blankHere(at)) ++at;
    if (at < end_ && b[at] == '"') {
      const std::size_t start = ++at;
      bool doubled = false;
      std::size_t close = 0;
      while (true) {
        const auto* quote = static_cast<const char*>(std::memchr(b + at, '"', end_ - at));
        if (quote == nullptr) {
          if (!atEnd) return false;
          problem_ = Problem::kUnclosedQuote;
          close = end_;
          break;
        }
        const auto q = static_cast<std::size_t>(quote - b);
        if (q + 1 == end_ && !atEnd) return false;  // a doubled quote, or the closing one?
        if (q + 1 < end_ && b[q + 1] == '"') {
          doubled = true;
          at = q + 2;
          continue;
        }
        close = q;
        break;
      }
      lines += static_cast<std::size_t>(std::count(b + start, b + close, '\n'));
      at = std::min(close + 1, end_);
      if (doubled) {
        const std::size_t offset = unquoted_.size();
        for (std::size_t i = start; i < close; ++i) {
          unquoted_ += b[i];
          if (b[i] == '"') ++i;  // the second of a doubled quote
        }
        spans_.push_back({true, offset, unquoted_.size() - offset});
      } else {
        spans_.push_back({false, start, close - start});
      }
      while (at < end_ && blankHere(at)) ++at;
      if (at < end_ && b[at] != separator_ && b[at] != '\n' && !loneCr(at)) {
        // Text after the closing quote: kept with the field, as most readers keep it.
        problem_ = Problem::kTextAfterQuote;
        std::size_t stop = at;
        while (stop < end_ && b[stop] != separator_ && b[stop] != '\n' && !loneCr(stop)) ++stop;
        if (stop == end_ && !atEnd) return false;
        Span& span = spans_.back();
        if (!span.unquoted) {
          const std::size_t offset = unquoted_.size();
          unquoted_.append(b + span.offset, span.length);
          span = {true, offset, span.length};
        }
        std::size_t last = stop;
        while (last > at && isBlank(b[last - 1])) --last;
        unquoted_.append(b + at, last - at);
        span.length += last - at;
        at = stop;
      }
    } else {
      const std::size_t start = at;
      while (at < end_ && b[at] != separator_ && b[at] != '\n' && !loneCr(at)) ++at;
      if (at == end_ && !atEnd) return false;
      std::size_t last = at;
      while (last > start && isBlank(b[last - 1])) --last;
      spans_.push_back({false, start, last - start});
    }
    if (at == end_) {
      if (!atEnd) return false;
      break;
    }
    if (b[at] == '\n' || loneCr(at)) {
      ++at;
      ++lines;
      break;
    }
    ++at;
  }
  recordLine_ = nextLine_;
  nextLine_ += lines;
  begin_ = at;
  return true;
}

}  // namespace hoops
