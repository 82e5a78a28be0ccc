// Poll dates and the weekly advance.
#ifndef HOOPS_POLL_DATE_H_
#define HOOPS_POLL_DATE_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hoops {

// A poll date is "<Month> <day> <year>", e.g. "April 4 2010": a full English month name,
// then day and year in decimal, single spaces between, at most 17 characters.

// The longest poll date text ("September 10 2010").
inline constexpr std::size_t kMaxPollDateLength = 17;

// A poll date as the poll keeps it: the text and its terminator in a fixed buffer.
using PollDate = char[kMaxPollDateLength + 1];

// Days in month `monthIndex` (0 = January .. 11 = December) of `year`, Gregorian leap rule.
int daysInMonth(int32_t year, int monthIndex);

// Writes "<Month> <day> <year>" into `date`. Returns false, leaving `date` unchanged, for a
// month index outside 0..11 or a text that would not fit.
bool formatPollDate(PollDate& date, int monthIndex, int32_t day, int32_t year);

// True when `text` is a poll date as the program writes it: a full month name, a day of that
// month and a year from 1 to 9999, with no leading zeros and single spaces between.
bool isPollDate(std::string_view text);

// The day `text` names, as a count of days that grows by one a day (for ordering and telling
// weeks apart), when it is a poll date as isPollDate() takes it; nullopt otherwise.
std::optional<int64_t> dayNumber(std::string_view text);

// The date `text` names in ISO 8601, "2025-03-16", when it is a poll date as isPollDate()
// takes it; nullopt otherwise.
std::optional<std::string> isoDate(std::string_view text);

// The date `text` names in a short form, "Mar 16", with its year ("Mar 16 2025") when
// `withYear`; nullopt when it is not a poll date.
std::optional<std::string> shortDate(std::string_view text, bool withYear);

// The year of the poll date `text`, or 0 when it is not one.
int32_t yearOf(std::string_view text);

// Moves the poll date in `date` on by seven days, in place. A text outside the format (not
// three space-separated parts, an unknown month name, a day over 2 or a year over 4
// characters) is left unchanged. Reads and writes nothing beyond the terminated text.
void advanceWeek(PollDate& date);

}  // namespace hoops

#endif  // HOOPS_POLL_DATE_H_
