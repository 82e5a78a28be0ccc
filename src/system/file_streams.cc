// Stream buffers over descriptors that remember why a read or a write failed.
#include "system/file_streams.h"

#include <algorithm>
#include <cstring>

namespace hoops {

FileWriteBuffer::FileWriteBuffer(FileSystem& files, int fd)
    : files_(files), fd_(fd), block_(new char[kBlockSize]) {
  setp(block_.get(), block_.get() + kBlockSize);
}

FileWriteBuffer::~FileWriteBuffer() {
  drain();
}

bool FileWriteBuffer::send(const char* data, std::size_t size) {
  if (!status_.ok()) return false;
  if (size > 0) status_ = files_.write(fd_, data, size);
  return status_.ok();
}

bool FileWriteBuffer::drain() {
  const auto size = static_cast<std::size_t>(pptr() - pbase());
  setp(block_.get(), block_.get() + kBlockSize);
  return send(block_.get(), size);
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
  if (size <= epptr() - pptr()) {
    std::memcpy(pptr(), data, static_cast<std::size_t>(size));
    pbump(static_cast<int>(size));
    return size;
  }
  // Too large for what is left of the block: send the block, then keep or send the text.
  if (!drain()) return 0;
  if (size < static_cast<std::streamsize>(kBlockSize)) return xsputn(data, size);
  return send(data, static_cast<std::size_t>(size)) ? size : 0;
}

int FileWriteBuffer::sync() {
  return drain() ? 0 : -1;
}

FileReadBuffer::FileReadBuffer(FileSystem& files, int fd)
    : files_(files), fd_(fd), block_(new char[kBlockSize]) {
  setg(block_.get(), block_.get(), block_.get());
}

std::size_t FileReadBuffer::fetch(char* data, std::size_t size) {
  if (!status_.ok()) return 0;
  std::size_t count = 0;
  status_ = files_.read(fd_, data, size, count);
  return status_.ok() ? count : 0;
}

FileReadBuffer::int_type FileReadBuffer::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  std::size_t count = fetch(block_.get(), kBlockSize);
  setg(block_.get(), block_.get(), block_.get() + count);
  if (count == 0) return traits_type::eof();
  return traits_type::to_int_type(*gptr());
}

std::streamsize FileReadBuffer::xsgetn(char* data, std::streamsize size) {
  // What the block holds first; a large rest is read straight into the caller's memory.
  std::streamsize taken = std::min(size, static_cast<std::streamsize>(egptr() - gptr()));
  std::memcpy(data, gptr(), static_cast<std::size_t>(taken));
  gbump(static_cast<int>(taken));
  while (taken < size) {
    const auto wanted = static_cast<std::size_t>(size - taken);
    if (wanted < kBlockSize) {
      if (traits_type::eq_int_type(underflow(), traits_type::eof())) break;
      return taken + xsgetn(data + taken, size - taken);
    }
    std::size_t count = fetch(data + taken, wanted);
    if (count == 0) break;
    taken += static_cast<std::streamsize>(count);
  }
  return taken;
}

}  // namespace hoops
