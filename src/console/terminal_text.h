// Text bound for a terminal, where a control character in a name could retitle the window,
// clear the screen or hide a line: each is shown as '?', as the menu shows a name.
#ifndef HOOPS_CONSOLE_TERMINAL_TEXT_H_
#define HOOPS_CONSOLE_TERMINAL_TEXT_H_

#include <streambuf>

namespace hoops {

// Passes what is written on to `to`, with each control character (C0 but the tab and the line
// feed, DEL, and C1 as UTF-8 writes it, C2 80 to C2 9F) as '?'. A C2 byte at the end of one
// write is held until the next shows what it starts, or the buffer goes.
class TerminalTextBuffer : public std::streambuf {
 public:
  explicit TerminalTextBuffer(std::streambuf* to) : to_(to) {}
  ~TerminalTextBuffer() override;
  TerminalTextBuffer(const TerminalTextBuffer&) = delete;
  TerminalTextBuffer& operator=(const TerminalTextBuffer&) = delete;

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;
  int sync() override;

 private:
  bool put(char c);
  std::streambuf* to_;
  bool heldC2_ = false;
};

}  // namespace hoops

#endif  // HOOPS_CONSOLE_TERMINAL_TEXT_H_
