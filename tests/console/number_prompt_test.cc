// The bounded number prompt, line by line.
#include "console/number_prompt.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

namespace hoops {

namespace {

constexpr int32_t kMax = 2147483647;

struct Reply {
  std::optional<int32_t> value;
  std::string output;
  std::string unread;
};

Reply ask(const std::string& input, int32_t min, int32_t max) {
  std::istringstream in(input);
  std::ostringstream out;
  Reply reply;
  reply.value = promptNumber(in, out, "N: ", min, max);
  reply.output = out.str();
  std::getline(in, reply.unread, '\0');
  return reply;
}

// Whether one typed line is accepted alone, and with which value.
std::optional<int32_t> judge(const std::string& line, int32_t min, int32_t max) {
  Reply reply = ask(line + "\n" + std::to_string(min) + "\n", min, max);
  if (reply.output == "N: ") return reply.value;
  EXPECT_EQ(reply.output, "N: Invalid entry.\nN: ") << '"' << line << '"';
  EXPECT_EQ(reply.value, min);
  return std::nullopt;
}

TEST(PromptNumberTest, JudgesEachLineByTheBounds) {
  struct Case {
    const char* line;
    std::optional<int32_t> menu;   // bounds 1 to 9
    std::optional<int32_t> count;  // bounds 0 to 2147483647
  };
  const std::nullopt_t no = std::nullopt;
  const Case cases[] = {
      {"", no, no},
      {"5", 5, 5},
      {"+5", 5, 5},
      {"-5", no, no},
      {"--5", no, no},
      {"-+5", 5, 5},
      {"+-5", no, no},
      {"-0", no, 0},
      {"05", 5, 5},
      {"0000000009", 9, 9},
      {"00000000009", no, no},
      {"10", no, 10},
      {"2147483647", no, kMax},
      {"9999999999", no, kMax},
      {" 5", no, no},
      {"5 ", no, no},
      {"5-", no, no},
      {"-", no, no},
      {"+-", no, no},
      {"1e3", no, no},
      {"1,000", no, no},
      {"5\r", 5, 5},  // a CR LF line end
      {"5\r\r", no, no},
      {"\r5", no, no},
      {"\t5", no, no},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(judge(c.line, 1, 9), c.menu) << '"' << c.line << "\" with 1..9";
    EXPECT_EQ(judge(c.line, 0, kMax), c.count) << '"' << c.line << "\" with 0..max";
  }
}

TEST(PromptNumberTest, NegativeValuesReachNegativeBounds) {
  EXPECT_EQ(judge("-2147483647", -kMax, kMax), -kMax);
  EXPECT_EQ(judge("-99999999999", -kMax, kMax), std::nullopt);
  EXPECT_EQ(judge("-9999999999", -kMax, kMax), -kMax);
}

TEST(PromptNumberTest, BoundsOfAThreeTeamPoll) {
  EXPECT_EQ(judge("3", 1, 3), 3);
  EXPECT_EQ(judge("4", 1, 3), std::nullopt);
  EXPECT_EQ(judge("0", 1, 3), std::nullopt);
}

TEST(PromptNumberTest, AsksAgainUntilALineIsAccepted) {
  Reply reply = ask("x\n\n12\n4\nrest\n", 1, 9);
  EXPECT_EQ(reply.value, 4);
  EXPECT_EQ(reply.output, "N: Invalid entry.\nN: Invalid entry.\nN: Invalid entry.\nN: ");
  EXPECT_EQ(reply.unread, "rest\n");
}

TEST(PromptNumberTest, EndedInputClosesThePromptLine) {
  struct Case {
    const char* input;
    std::optional<int32_t> value;
    const char* output;
  };
  const Case cases[] = {
      {"", std::nullopt, "N: \n"},
      {"x\n", std::nullopt, "N: Invalid entry.\nN: \n"},
      // A last line without a line break is judged like a complete one ...
      {"6", 6, "N: "},
      {"x\n6", 6, "N: Invalid entry.\nN: "},
      // ... and a refused one ends the prompt without asking again.
      {"x", std::nullopt, "N: Invalid entry.\n"},
      {"12", std::nullopt, "N: Invalid entry.\n"},
  };
  for (const Case& c : cases) {
    Reply reply = ask(c.input, 1, 9);
    EXPECT_EQ(reply.value, c.value) << '"' << c.input << '"';
    EXPECT_EQ(reply.output, c.output) << '"' << c.input << '"';
  }
}

TEST(PromptNumberTest, ReadsAVeryLongLineWhole) {
  Reply reply = ask(std::string(1'000'000, '9') + "\n3\n", 1, 9);
  EXPECT_EQ(reply.value, 3);
  EXPECT_EQ(reply.output, "N: Invalid entry.\nN: ");
}

}  // namespace

}  // namespace hoops
