// Stream buffers over descriptors that remember why a read or a write failed.
#include "pollfile/file_streams.h"

#include <cerrno>
#include <cstring>

FileWriteBuffer::FileWriteBuffer(FileSystem& files, int fd) : files_(files), fd_(fd) {
  setp(block_, block_ + sizeof block_);
}

FileWriteBuffer::~FileWriteBuffer() {
  drain();
}

bool FileWriteBuffer::drain() {
  std::size_t size = static_cast<std::size_t>(pptr() - pbase());
  setp(block_, block_ + sizeof block_);
  if (error_ != 0) return false;
  if (size > 0 && !files_.write(fd_, block_, size)) {
    error_ = errno != 0 ? errno : EIO;
    return false;
  }
  return true;
}

FileWriteBuffer::int_type FileWriteBuffer::overflow(int_type c) {
  if (!drain()) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

std::streamsize FileWriteBuffer::xsputn(const char* data, std::streamsize size) {
  std::streamsize room = epptr() - pptr();
  if (size <= room) {
    std::memcpy(pptr(), data, static_cast<std::size_t>(size));
    pbump(static_cast<int>(size));
    return size;
  }
  // Too large for what is left of the block: send the block, then the text itself.
  if (!drain()) return 0;
  if (size < static_cast<std::streamsize>(sizeof block_)) return xsputn(data, size);
  if (!files_.write(fd_, data, static_cast<std::size_t>(size))) {
    error_ = errno != 0 ? errno : EIO;
    return 0;
  }
  return size;
}

int FileWriteBuffer::sync() {
  return drain() ? 0 : -1;
}

FileReadBuffer::FileReadBuffer(FileSystem& files, int fd) : files_(files), fd_(fd) {
  setg(block_, block_, block_);
}

FileReadBuffer::int_type FileReadBuffer::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (error_ != 0) return traits_type::eof();
  long count = files_.read(fd_, block_, sizeof block_);
  if (count < 0) error_ = errno != 0 ? errno : EIO;
  if (count <= 0) return traits_type::eof();
  setg(block_, block_, block_ + count);
  return traits_type::to_int_type(*gptr());
}
