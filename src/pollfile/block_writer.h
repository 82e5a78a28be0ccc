// Text collected in blocks and written to a stream while the next block fills.
#ifndef HOOPS_POLLFILE_BLOCK_WRITER_H_
#define HOOPS_POLLFILE_BLOCK_WRITER_H_

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <ostream>
#include <string_view>
#include <thread>

// Collects text in a block and writes each full block to `out`. From the first full block
// on, a second thread does the writing when one can be started, so that the system's
// copying of a large file's text overlaps the making of the next block; otherwise each
// block is written in turn. Either way `out` sees the text in order, and is used by one
// thread at a time. One thread puts text; a stream that throws from write is not
// supported.
class BlockWriter {
 public:
  static constexpr std::size_t kBlockSize = std::size_t{1} << 17;

  explicit BlockWriter(std::ostream& out);
  // Waits for any block still being written.
  ~BlockWriter();
  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;

  void put(std::string_view text);

  // Room for `bytes` (at most kBlockSize) more characters, at the end of the block, which
  // is handed over first when it has less. Characters written there count once passed to
  // commit.
  char* room(std::size_t bytes) {
    if (bytes > kBlockSize - used_) handOver();
    return blocks_[filling_] + used_;
  }
  void commit(const char* end) { used_ = static_cast<std::size_t>(end - blocks_[filling_]); }

  // Writes all the text put so far, waits for it and flushes `out`. Returns false when
  // `out` has failed.
  bool finish();

 private:
  // Hands the block being filled to the writing, and fills the other one. The last block
  // never starts the thread.
  void handOver(bool last = false);
  // Waits until no block is being written.
  void waitForWriter();
  // The second thread's loop: writes each block handed over until told to stop.
  void writeBlocks();

  std::ostream& out_;
  char blocks_[2][kBlockSize];
  int filling_ = 0;
  std::size_t used_ = 0;

  std::mutex mutex_;
  std::condition_variable changed_;
  const char* pending_ = nullptr;  // the block handed over and not yet written
  std::size_t pendingSize_ = 0;
  bool stopping_ = false;
  bool alone_ = false;  // no thread could be started
  std::thread writer_;
};

#endif  // HOOPS_POLLFILE_BLOCK_WRITER_H_
