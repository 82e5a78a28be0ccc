// Which names on a ballot can stand as a team's name in the week's poll file.
#ifndef HOOPS_BALLOTS_TEAM_NAME_H_
#define HOOPS_BALLOTS_TEAM_NAME_H_

#include <cstddef>
#include <optional>
#include <string_view>

namespace hoops {

// The longest name a ballot may give a team: the longest the menu takes.
inline constexpr std::size_t kLongestTeamName = 4096;

// The length of the UTF-8 sequence that starts `text` at `at` (before its end), or 0 when it
// is not one (an overlong form, a surrogate, past U+10FFFF, cut short).
std::size_t utf8Length(std::string_view text, std::size_t at);

// Why `name` cannot be one field of one line of a poll file, in words that follow "it ..."
// ("holds a tab", "is not UTF-8 text"); nullopt when it can. A tab, a line end, a NUL byte or
// any other control character would break the line or forge another; bytes that are not UTF-8
// and names longer than kLongestTeamName would be refused when the week is loaded.
std::optional<std::string_view> whyNotATeamName(std::string_view name);

}  // namespace hoops

#endif  // HOOPS_BALLOTS_TEAM_NAME_H_
