// Writing blocks of text from a second thread, or in turn when none can be started.
#include "pollfile/block_writer.h"

#include <cstring>
#include <system_error>

BlockWriter::BlockWriter(std::ostream& out) : out_(out) {}

BlockWriter::~BlockWriter() {
  if (!writer_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  writer_.join();
}

void BlockWriter::put(std::string_view text) {
  if (text.size() > kBlockSize - used_) {
    handOver();
    if (text.size() > kBlockSize) {
      // Too large for a block: written straight from the text, once the blocks before it are.
      waitForWriter();
      out_.write(text.data(), static_cast<std::streamsize>(text.size()));
      return;
    }
  }
  std::memcpy(blocks_[filling_] + used_, text.data(), text.size());
  used_ += text.size();
}

bool BlockWriter::finish() {
  handOver(/*last=*/true);
  waitForWriter();
  out_.flush();
  return !out_.fail();
}

void BlockWriter::handOver(bool last) {
  // The thread starts with the first full block: text that fits in one block (a poll of
  // a real size) is written without one.
  if (!writer_.joinable() && !last && !alone_) {
    try {
      writer_ = std::thread(&BlockWriter::writeBlocks, this);
    } catch (const std::system_error&) {
      alone_ = true;  // no thread to be had: each block is written in turn
    }
  }
  if (!writer_.joinable()) {
    out_.write(blocks_[filling_], static_cast<std::streamsize>(used_));
  } else {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return pending_ == nullptr; });  // the other block is free
    pending_ = blocks_[filling_];
    pendingSize_ = used_;
    lock.unlock();
    changed_.notify_all();
    filling_ = 1 - filling_;
  }
  used_ = 0;
}

void BlockWriter::waitForWriter() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return pending_ == nullptr; });
}

void BlockWriter::writeBlocks() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (true) {
    changed_.wait(lock, [this] { return pending_ != nullptr || stopping_; });
    if (pending_ == nullptr) return;  // stopping, with nothing left to write
    const char* block = pending_;
    const std::size_t size = pendingSize_;
    lock.unlock();
    out_.write(block, static_cast<std::streamsize>(size));
    lock.lock();
    pending_ = nullptr;
    changed_.notify_all();
  }
}
