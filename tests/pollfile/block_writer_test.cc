// Text written a block at a time from a second thread: in order, whole, failures reported.
#include "pollfile/block_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "failing_streambuf.h"

namespace {

constexpr std::size_t kBlock = BlockWriter::kBlockSize;

// Puts each piece, half of them through room() and commit(), and returns what the stream got.
std::string writeAll(const std::vector<std::string>& pieces) {
  std::ostringstream out;
  BlockWriter writer(out);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const std::string& piece = pieces[i];
    if (i % 2 == 1 && piece.size() <= kBlock) {
      char* at = writer.room(piece.size());
      std::copy(piece.begin(), piece.end(), at);
      writer.commit(at + piece.size());
    } else {
      writer.put(piece);
    }
  }
  EXPECT_TRUE(writer.finish());
  return out.str();
}

TEST(BlockWriterTest, WritesEveryPieceInOrder) {
  struct Case {
    const char* label;
    std::vector<std::size_t> sizes;
  };
  const Case cases[] = {
      {"nothing", {}},
      {"one short piece", {10}},
      {"exactly a block", {kBlock}},
      {"a block and one more character", {kBlock, 1}},
      {"pieces larger than a block among small ones", {3, 2 * kBlock + 5, 7, kBlock + 1, 2}},
      {"many rows' worth", std::vector<std::size_t>(20'000, 61)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::vector<std::string> pieces;
    std::string expected;
    for (std::size_t i = 0; i < c.sizes.size(); ++i) {
      pieces.emplace_back(c.sizes[i], static_cast<char>('a' + i % 26));
      expected += pieces.back();
    }
    const std::string written = writeAll(pieces);
    EXPECT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected);
  }
}

TEST(BlockWriterTest, AFailedWriteIsReportedAtTheEnd) {
  for (int failAt : {1, 2, 5}) {
    SCOPED_TRACE("failing write " + std::to_string(failAt));
    FailingStreambuf failing("", failAt);
    std::ostream out(&failing);
    BlockWriter writer(out);
    for (int i = 0; i < 10; ++i) writer.put(std::string(kBlock / 2 + 1, 'x'));
    EXPECT_FALSE(writer.finish());
  }
}

}  // namespace
