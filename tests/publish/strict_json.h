// A strict JSON checker (RFC 8259) for the tests: what any conforming parser would take.
#ifndef HOOPS_TESTS_PUBLISH_STRICT_JSON_H_
#define HOOPS_TESTS_PUBLISH_STRICT_JSON_H_

#include <cstddef>
#include <string_view>

namespace hoops {

class StrictJson {
 public:
  // True when `text` is one JSON value, with blanks around it at most, its strings valid UTF-8.
  static bool valid(std::string_view text) {
    StrictJson json(text);
    json.blanks();
    if (!json.value()) return false;
    json.blanks();
    return json.at_ == text.size();
  }

 private:
  explicit StrictJson(std::string_view text) : text_(text) {}
  bool more() const { return at_ < text_.size(); }
  char peek() const { return more() ? text_[at_] : '\0'; }
  bool take(char c) {
    if (peek() != c) return false;
    ++at_;
    return true;
  }
  void blanks() {
    while (more() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r')) ++at_;
  }
  bool word(std::string_view w) {
    if (text_.substr(at_, w.size()) != w) return false;
    at_ += w.size();
    return true;
  }
  bool value() {
    blanks();
    if (peek() == '{') return members('}', true);
    if (peek() == '[') return members(']', false);
    if (peek() == '"') return string();
    if (peek() == 't') return word("true");
    if (peek() == 'f') return word("false");
    if (peek() == 'n') return word("null");
    return number();
  }
  bool members(char close, bool object) {
    ++at_;
    blanks();
    if (take(close)) return true;
    do {
      blanks();
      if (object && (!string() || (blanks(), !take(':')))) return false;
      if (!value()) return false;
      blanks();
    } while (take(','));
    return take(close);
  }
  bool digits() {
    const std::size_t start = at_;
    while (peek() >= '0' && peek() <= '9') ++at_;
    return at_ > start;
  }
  bool number() {
    take('-');
    if (!take('0') && !digits()) return false;
    if (take('.') && !digits()) return false;
    if ((take('e') || take('E')) && ((take('+') || take('-')), !digits())) return false;
    return true;
  }
  bool string() {
    if (!take('"')) return false;
    while (more()) {
      const auto c = static_cast<unsigned char>(text_[at_]);
      if (c == '"') {
        ++at_;
        return true;
      }
      if (c < 0x20) return false;
      if (c == '\\') {
        ++at_;
        const char e = peek();
        ++at_;
        if (e == 'u') {
          for (int i = 0; i < 4; ++i, ++at_) {
            const char h = peek();
            if (!((h >= '0' && h <= '9') || (h >= 'a' && h <= 'f') || (h >= 'A' && h <= 'F'))) {
              return false;
            }
          }
        } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
          return false;
        }
        continue;
      }
      if (!utf8()) return false;
    }
    return false;
  }
  // One UTF-8 character: no overlong forms, no surrogates, nothing past U+10FFFF.
  bool utf8() {
    const auto byte = [&](std::size_t i) -> unsigned char {
      return at_ + i < text_.size() ? static_cast<unsigned char>(text_[at_ + i]) : 0;
    };

    const unsigned char lead = byte(0);
    std::size_t length = lead < 0x80                    ? 1
                         : lead >= 0xC2 && lead <= 0xDF ? 2
                         : lead >= 0xE0 && lead <= 0xEF ? 3
                         : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                        : 0;
    if (length == 0) return false;
    const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (length > 1 && (byte(1) < low || byte(1) > high)) return false;
    for (std::size_t i = 2; i < length; ++i) {
      if (byte(i) < 0x80 || byte(i) > 0xBF) return false;
    }
    at_ += length;
    return true;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace hoops

#endif  // HOOPS_TESTS_PUBLISH_STRICT_JSON_H_
