// Poll dates: the month tables, the leap rule and the weekly advance.
#include "poll/date.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

namespace hoops {

namespace {

constexpr const char* kMonthNames[12] = {"January",   "February", "March",    "April",
                                         "May",       "June",     "July",     "August",
                                         "September", "October",  "November", "December"};
constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// The longest part of each kind that the advance handles.
constexpr std::size_t kMaxDayLength = 2;
constexpr std::size_t kMaxYearLength = 4;

int monthIndexOf(std::string_view name) {
  for (int i = 0; i < 12; ++i) {
    if (name == kMonthNames[i]) return i;
  }
  return -1;
}

// Converts a short part by atoi's rules; `part` is at most kMaxYearLength characters.
int32_t partValue(std::string_view part) {
  char scratch[kMaxYearLength + 1] = {};
  std::memcpy(scratch, part.data(), part.size());
  return std::atoi(scratch);
}

// A date text split at its two spaces, with its month known and its parts no longer than the
// advance handles.
struct DateParts {
  int monthIndex;
  std::string_view day;
  std::string_view year;
};

std::optional<DateParts> splitDate(std::string_view text) {
  const std::size_t firstSpace = text.find(' ');
  if (firstSpace == std::string_view::npos) return std::nullopt;
  const std::size_t secondSpace = text.find(' ', firstSpace + 1);
  if (secondSpace == std::string_view::npos) return std::nullopt;
  DateParts parts{monthIndexOf(text.substr(0, firstSpace)),
                  text.substr(firstSpace + 1, secondSpace - firstSpace - 1),
                  text.substr(secondSpace + 1)};
  if (parts.monthIndex < 0 || parts.day.size() > kMaxDayLength ||
      parts.year.size() > kMaxYearLength) {
    return std::nullopt;
  }
  return parts;
}

bool isLeapYear(int32_t year) {
  return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
}

}  // namespace

int daysInMonth(int32_t year, int monthIndex) {
  if (monthIndex == 1 && isLeapYear(year)) return 29;
  return kMonthDays[monthIndex];
}

bool formatPollDate(PollDate& date, int monthIndex, int32_t day, int32_t year) {
  if (monthIndex < 0 || monthIndex > 11) return false;
  char scratch[48];
  int length = std::snprintf(scratch, sizeof scratch, "%s %d %d", kMonthNames[monthIndex],
                             static_cast<int>(day), static_cast<int>(year));
  if (length < 0 || static_cast<std::size_t>(length) >= sizeof date) return false;
  std::memcpy(date, scratch, static_cast<std::size_t>(length) + 1);
  return true;
}

bool isPollDate(std::string_view text) {
  const std::optional<DateParts> parts = splitDate(text);
  // A number as the program writes it: digits alone, no leading zero.
  const auto isNumber = [](std::string_view part) {
    if (part.empty() || part[0] == '0') return false;
    for (char c : part) {
      if (c < '0' || c > '9') return false;
    }
    return true;
  };
  return parts && isNumber(parts->day) && isNumber(parts->year) &&
         partValue(parts->day) <= daysInMonth(partValue(parts->year), parts->monthIndex);
}

std::optional<std::string> isoDate(std::string_view text) {
  if (!isPollDate(text)) return std::nullopt;
  const DateParts parts = *splitDate(text);
  char iso[32];
  std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", static_cast<int>(partValue(parts.year)),
                parts.monthIndex + 1, static_cast<int>(partValue(parts.day)));
  return std::string(iso);
}

std::optional<std::string> shortDate(std::string_view text, bool withYear) {
  if (!isPollDate(text)) return std::nullopt;
  const DateParts parts = *splitDate(text);
  std::string date = std::string(kMonthNames[parts.monthIndex]).substr(0, 3);
  date += ' ';
  date += parts.day;
  if (withYear) {
    date += ' ';
    date += parts.year;
  }
  return date;
}

int32_t yearOf(std::string_view text) {
  return isPollDate(text) ? partValue(splitDate(text)->year) : 0;
}

std::optional<int64_t> dayNumber(std::string_view text) {
  if (!isPollDate(text)) return std::nullopt;
  const DateParts parts = *splitDate(text);
  const int64_t year = partValue(parts.year);
  int64_t days = partValue(parts.day) - 1;
  for (int month = 0; month < parts.monthIndex; ++month) {
    days += daysInMonth(static_cast<int32_t>(year), month);
  }
  // The days of the years before, Gregorian leap rule (year 1 begins at day 0).
  const int64_t before = year - 1;
  return days + before * 365 + before / 4 - before / 100 + before / 400;
}

void advanceWeek(PollDate& date) {
  // A buffer without a terminator holds no text; leave it alone.
  std::string_view text(date, strnlen(date, sizeof date));
  if (text.size() == sizeof date) return;

  const std::optional<DateParts> parts = splitDate(text);
  if (!parts) return;

  int monthIndex = parts->monthIndex;
  int32_t year = partValue(parts->year);
  int32_t day = partValue(parts->day) + 7;
  int length = daysInMonth(year, monthIndex);
  // The month moves on at most once, even for a day already past its month's end.
  if (day > length) {
    day -= length;
    if (monthIndex == 11) {
      monthIndex = 0;
      ++year;
    } else {
      ++monthIndex;
    }
  }
  formatPollDate(date, monthIndex, day, year);
}

}  // namespace hoops
