// A ballot's name checked byte by byte against what one field of a poll file's line can hold.
#include "ballots/team_name.h"

namespace hoops {

std::size_t utf8Length(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // where the second byte may lie
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() - at < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

std::optional<std::string_view> whyNotATeamName(std::string_view name) {
  if (name.size() > kLongestTeamName) return "is longer than 4,096 bytes";
  for (std::size_t at = 0; at < name.size();) {
    const auto byte = static_cast<unsigned char>(name[at]);
    if (byte == '\t') return "holds a tab";
    if (byte == '\n' || byte == '\r') return "holds a line end";
    if (byte == '\0') return "holds a NUL byte";
    if (byte < 0x20 || byte == 0x7F) return "holds a control character";
    const std::size_t length = utf8Length(name, at);
    if (length == 0) return "is not UTF-8 text";
    // U+0080 to U+009F, the C1 controls.
    if (length == 2 && byte == 0xC2 && static_cast<unsigned char>(name[at + 1]) < 0xA0) {
      return "holds a control character";
    }
    at += length;
  }
  return std::nullopt;
}

}  // namespace hoops
