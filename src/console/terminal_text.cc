// Control characters shown as '?' on their way to a terminal.
#include "console/terminal_text.h"

namespace hoops {

TerminalTextBuffer::~TerminalTextBuffer() {
  if (heldC2_) to_->sputc('\xC2');
  to_->pubsync();
}

bool TerminalTextBuffer::put(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (heldC2_) {
    heldC2_ = false;
    if (byte >= 0x80 && byte <= 0x9F) return to_->sputc('?') != traits_type::eof();
    if (to_->sputc('\xC2') == traits_type::eof()) return false;
  }
  if (byte == 0xC2) {
    heldC2_ = true;
    return true;
  }
  const bool control = (byte < 0x20 && c != '\n' && c != '\t') || byte == 0x7F;
  return to_->sputc(control ? '?' : c) != traits_type::eof();
}

TerminalTextBuffer::int_type TerminalTextBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  return put(traits_type::to_char_type(c)) ? c : traits_type::eof();
}

std::streamsize TerminalTextBuffer::xsputn(const char* text, std::streamsize count) {
  for (std::streamsize i = 0; i < count; ++i) {
    if (!put(text[i])) return i;
  }
  return count;
}

int TerminalTextBuffer::sync() {
  return to_->pubsync();
}

}  // namespace hoops
