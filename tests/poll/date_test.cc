// The weekly date advance and the month lengths.
#include "poll/date.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace hoops {

namespace {

std::string advanced(const std::string& text) {
  PollDate date = {};
  text.copy(date, sizeof date - 1);  // the rest stays zero, so the text is terminated
  advanceWeek(date);
  return date;
}

TEST(AdvanceWeekTest, MovesOnSevenDays) {
  struct Case {
    const char* before;
    const char* after;
  };
  const Case cases[] = {
      {"March 28 2010", "April 4 2010"},
      {"January 24 2010", "January 31 2010"},
      {"November 30 2010", "December 7 2010"},
      {"December 29 2010", "January 5 2011"},
      {"February 22 2012", "February 29 2012"},
      {"February 22 2011", "March 1 2011"},
      {"February 22 2000", "February 29 2000"},
      {"February 22 1900", "March 1 1900"},
      {"March 05 2010", "March 12 2010"},
      {"January 40 2010", "February 16 2010"},
      {"September 3 2010", "September 10 2010"},
      {"September 30 2010", "October 7 2010"},
      {"December 31 9999", "January 7 10000"},
      // Within the format atoi decides: an empty day is 0, a sign is taken, junk stops it.
      {"May  2010", "May 7 2010"},
      {"May -9 2010", "May -2 2010"},
      {"May 1x 20y", "May 8 20"},
      {"June 3 ", "June 10 0"},
  };
  for (const Case& c : cases) EXPECT_EQ(advanced(c.before), c.after) << c.before;
}

TEST(AdvanceWeekTest, LeavesTextsOutsideTheFormatUnchanged) {
  const char* texts[] = {
      "",
      "March",
      "March 28",
      "march 28 2010",
      "Mar 28 2010",
      " March 28 2010",
      "March 128 2010",
      "March 28 20100",
      "March 28 2010 x",
      "Septembers 1 201",
      "\r",
  };
  for (const char* text : texts) EXPECT_EQ(advanced(text), text) << '"' << text << '"';
}

TEST(AdvanceWeekTest, LeavesAnUnterminatedBufferAlone) {
  PollDate date;
  std::memset(date, 'x', sizeof date);
  advanceWeek(date);
  for (char c : date) EXPECT_EQ(c, 'x');
}

TEST(DaysInMonthTest, FollowsTheGregorianLeapRule) {
  struct Case {
    int year;
    int month;
    int days;
  };
  const Case cases[] = {{2010, 0, 31}, {2010, 1, 28}, {2012, 1, 29},  {2000, 1, 29},
                        {1900, 1, 28}, {2010, 3, 30}, {2010, 11, 31}, {-4, 1, 29}};
  for (const Case& c : cases) {
    EXPECT_EQ(daysInMonth(c.year, c.month), c.days) << c.year << "/" << c.month;
  }
}

}  // namespace

}  // namespace hoops
