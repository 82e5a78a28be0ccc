// Stream buffers over open descriptors, for poll files and the console.
#ifndef HOOPS_POLLFILE_FILE_STREAMS_H_
#define HOOPS_POLLFILE_FILE_STREAMS_H_

#include <streambuf>

#include "pollfile/file_system.h"

// A stream buffer that writes to an open descriptor through a FileSystem, in blocks. The
// first failed write is remembered with its errno; from then on every write fails.
class FileWriteBuffer : public std::streambuf {
 public:
  FileWriteBuffer(FileSystem& files, int fd);
  ~FileWriteBuffer() override;
  FileWriteBuffer(const FileWriteBuffer&) = delete;
  FileWriteBuffer& operator=(const FileWriteBuffer&) = delete;

  // The errno of the first failed write; 0 while every write has succeeded.
  int error() const { return error_; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* data, std::streamsize size) override;
  int sync() override;

 private:
  bool drain();

  FileSystem& files_;
  int fd_;
  int error_ = 0;
  char block_[1 << 16];
};

// A stream buffer that reads from an open descriptor through a FileSystem. A read error
// ends the input as its end would, and is remembered with its errno.
class FileReadBuffer : public std::streambuf {
 public:
  FileReadBuffer(FileSystem& files, int fd);
  FileReadBuffer(const FileReadBuffer&) = delete;
  FileReadBuffer& operator=(const FileReadBuffer&) = delete;

  // The errno of the read error that ended the input; 0 when none did.
  int error() const { return error_; }
  // The descriptor read from, and whether characters read from it wait in the buffer.
  int fd() const { return fd_; }
  bool buffered() const { return gptr() != egptr(); }

 protected:
  int_type underflow() override;

 private:
  FileSystem& files_;
  int fd_;
  int error_ = 0;
  char block_[1 << 16];
};

#endif  // HOOPS_POLLFILE_FILE_STREAMS_H_
