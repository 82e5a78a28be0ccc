// The bounded number prompt: the one reader of numbers from the keyboard.
#include "console/number_prompt.h"

#include <cstddef>

#include "poll/team.h"

namespace hoops {

namespace {

constexpr std::size_t kMaxDigits = 10;

// One typed line as the prompt judges it, character by character.
class Attempt {
 public:
  void judge(char c) {
    if (invalid_) return;
    if (digitCount_ == 0 && (c == '+' || c == '-')) {
      negative_ = c == '-';
    } else if (c >= '0' && c <= '9' && digitCount_ < kMaxDigits) {
      magnitude_ = magnitude_ * 10 + (c - '0');
      ++digitCount_;
    } else {
      invalid_ = true;
    }
  }

  // The line's value, or nullopt when it breaks a rule or holds no digit.
  std::optional<int32_t> value() const {
    if (invalid_ || digitCount_ == 0) return std::nullopt;
    int64_t magnitude = magnitude_ > kMaxCount ? kMaxCount : magnitude_;
    return static_cast<int32_t>(negative_ ? -magnitude : magnitude);
  }

 private:
  int64_t magnitude_ = 0;  // 10 digits stay far below the int64_t range
  std::size_t digitCount_ = 0;
  bool negative_ = false;
  bool invalid_ = false;
};

}  // namespace

std::optional<int32_t> promptNumber(std::istream& in, std::ostream& out, std::string_view prompt,
                                    int32_t min, int32_t max) {
  while (true) {
    out << prompt << std::flush;
    Attempt attempt;
    bool anyCharacter = false;
    bool ended = false;
    for (int c = in.get(); c != '\n'; c = in.get()) {
      if (c == std::istream::traits_type::eof()) {
        ended = true;
        break;
      }
      if (c == '\r' && in.peek() == '\n') continue;  // a CR LF line end
      anyCharacter = true;
      attempt.judge(static_cast<char>(c));
    }
    if (ended && !anyCharacter) {
      out << '\n';
      return std::nullopt;
    }
    std::optional<int32_t> value = attempt.value();
    if (value && *value >= min && *value <= max) return value;
    out << "Invalid entry.\n";
    if (ended) return std::nullopt;
  }
}

}  // namespace hoops
