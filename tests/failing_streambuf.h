// A stream buffer for tests whose Nth read or write fails, as a disk or a pipe can.
#ifndef HOOPS_TESTS_FAILING_STREAMBUF_H_
#define HOOPS_TESTS_FAILING_STREAMBUF_H_

#include <cstddef>
#include <ios>
#include <streambuf>
#include <string>

namespace hoops {

// Reads `input` one block at a time, and keeps what is written, in blocks of `block` bytes.
// The `failAt`-th block read or written (counting from 1) fails: a read throws, which the
// stream records as an error, and a write is refused. Every later one fails as well.
class FailingStreambuf : public std::streambuf {
 public:
  FailingStreambuf(std::string input, int failAt, std::size_t block = 16)
      : input_(std::move(input)), failAt_(failAt), block_(block) {
    setg(input_.data(), input_.data(), input_.data());
  }

  const std::string& written() const { return written_; }

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (++blocks_ >= failAt_) throw std::ios_base::failure("read error");
    std::size_t at = static_cast<std::size_t>(egptr() - input_.data());
    if (at == input_.size()) return traits_type::eof();
    std::size_t size = std::min(block_, input_.size() - at);
    setg(input_.data() + at, input_.data() + at, input_.data() + at + size);
    return traits_type::to_int_type(*gptr());
  }

  std::streamsize xsputn(const char* data, std::streamsize size) override {
    if (++blocks_ >= failAt_) return 0;
    written_.append(data, static_cast<std::size_t>(size));
    return size;
  }

  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    char one = traits_type::to_char_type(c);
    return xsputn(&one, 1) == 1 ? c : traits_type::eof();
  }

 private:
  std::string input_;
  std::string written_;
  int failAt_;
  int blocks_ = 0;
  std::size_t block_;
};

}  // namespace hoops

#endif  // HOOPS_TESTS_FAILING_STREAMBUF_H_
