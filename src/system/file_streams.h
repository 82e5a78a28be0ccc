// Stream buffers over open descriptors, for poll files and the standard streams.
#ifndef HOOPS_SYSTEM_FILE_STREAMS_H_
#define HOOPS_SYSTEM_FILE_STREAMS_H_

#include <cerrno>
#include <cstddef>
#include <memory>
#include <streambuf>

#include "system/file_system.h"

namespace hoops {

// A stream buffer that writes to an open descriptor through a FileSystem, in blocks kept on
// the heap. The first failed write is remembered with its Status; from then on every write
// fails. Whatever is still held is written when the buffer goes.
class FileWriteBuffer : public std::streambuf {
 public:
  static constexpr std::size_t kBlockSize = std::size_t{1} << 16;

  // Takes its block at once (which may throw std::bad_alloc); writes go to `fd`, or, while it
  // is -1, to no descriptor until one is given with attach().
  explicit FileWriteBuffer(FileSystem& files, int fd = -1);
  ~FileWriteBuffer() override;
  FileWriteBuffer(const FileWriteBuffer&) = delete;
  FileWriteBuffer& operator=(const FileWriteBuffer&) = delete;

  void attach(int fd) { fd_ = fd; }

  // Why the first failed write failed; done while every write has succeeded.
  const Status& status() const { return status_; }
  // Why a write through the buffer failed: the first failed write, or an I/O error where
  // nothing failed here (the stream was failed above it).
  Status failure() const { return status_.ok() ? Status::system(EIO) : status_; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* data, std::streamsize size) override;
  int sync() override;

 private:
  bool drain();
  bool send(const char* data, std::size_t size);

  FileSystem& files_;
  int fd_;
  Status status_;
  std::unique_ptr<char[]> block_;
};

// A stream buffer that reads from an open descriptor through a FileSystem, in blocks kept on
// the heap. A read error ends the input as its end would, and is remembered with its Status.
class FileReadBuffer : public std::streambuf {
 public:
  static constexpr std::size_t kBlockSize = std::size_t{1} << 16;

  // Takes its block at once, which may throw std::bad_alloc.
  FileReadBuffer(FileSystem& files, int fd);
  FileReadBuffer(const FileReadBuffer&) = delete;
  FileReadBuffer& operator=(const FileReadBuffer&) = delete;

  // Why a read error ended the input; done when none did.
  const Status& status() const { return status_; }
  // Why a read through the buffer failed: the read error, or an I/O error where nothing failed
  // here (the reader above it gave up).
  Status failure() const { return status_.ok() ? Status::system(EIO) : status_; }

 protected:
  int_type underflow() override;
  std::streamsize xsgetn(char* data, std::streamsize size) override;

 private:
  // Reads at most `size` bytes into `data`: the count, 0 at the end or after an error.
  std::size_t fetch(char* data, std::size_t size);

  FileSystem& files_;
  int fd_;
  Status status_;
  std::unique_ptr<char[]> block_;
};

}  // namespace hoops

#endif  // HOOPS_SYSTEM_FILE_STREAMS_H_
