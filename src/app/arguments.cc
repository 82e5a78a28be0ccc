// The command line read in one pass into a CommandLine, then checked as a whole.
#include "app/arguments.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "poll/team.h"

namespace hoops {

namespace {

using Mode = CommandLine::Mode;

// An option that is not a mode of its own, the modes that take it, and where its value goes.
struct OptionRule {
  std::string_view name;
  bool takesValue;
  bool repeats;               // may be given more than once
  std::string_view goesWith;  // the modes, as the refusal names them
  bool (*allowed)(Mode);
};

// The modes that count ballots.
bool countsBallots(Mode mode) {
  return mode == Mode::kTally || mode == Mode::kAnalyze;
}
bool publishOnly(Mode mode) {
  return mode == Mode::kPublish;
}
// The modes that publish weeks.
bool publishes(Mode mode) {
  return mode == Mode::kPublish || mode == Mode::kSeason;
}
bool countsBallotsOrPublishes(Mode mode) {
  return countsBallots(mode) || mode == Mode::kPublish;
}
bool writesAFile(Mode mode) {
  return countsBallots(mode) || publishes(mode);
}

constexpr std::array<OptionRule, 9> kOptionRules = {{
    {"--ballots", false, false, "--publish", publishOnly},
    {"--records", true, false, "--tally or --analyze", countsBallots},
    {"--teams", true, false, "--tally, --analyze or --publish", countsBallotsOrPublishes},
    {"--new", true, true, "--tally or --analyze", countsBallots},
    {"--output", true, false, "--tally, --analyze, --publish or --season", writesAFile},
    {"--top", true, false, "--publish or --season", publishes},
    {"--title", true, false, "--publish or --season", publishes},
    {"--output-dir", true, false, "--publish or --season", publishes},
    {"--feed", true, false, "--publish or --season", publishes},
}};

// The modes, with the format --analyze and --publish take.
struct ModeRule {
  std::string_view name;
  Mode mode;
  bool takesValue;
};

constexpr std::array<ModeRule, 5> kModeRules = {{
    {"--check", Mode::kCheck, false},
    {"--tally", Mode::kTally, false},
    {"--analyze", Mode::kAnalyze, true},
    {"--publish", Mode::kPublish, true},
    {"--season", Mode::kSeason, true},
}};

// The number `text` spells, 1 to 2147483647, in decimal digits alone; nullopt otherwise.
std::optional<int64_t> topOf(std::string_view text) {
  const std::optional<int32_t> top = countOf(text);
  if (!top || *top < 1) return std::nullopt;
  return *top;
}

bool isGiven(const std::vector<const OptionRule*>& given, std::string_view name) {
  return std::any_of(given.begin(), given.end(),
                     [&](const OptionRule* option) { return option->name == name; });
}

// Checks what one pass gathered as a whole: each option with its mode, each mode with its files.
std::optional<ArgumentError> checkWhole(CommandLine& line, bool modeGiven,
                                        const std::vector<const OptionRule*>& given,
                                        const std::string& format, const std::string& top) {
  for (const OptionRule* option : given) {
    if (!modeGiven || !option->allowed(line.mode)) {
      return ArgumentError{std::string(option->name) + " goes with " +
                           std::string(option->goesWith)};
    }
  }
  switch (line.mode) {
    case Mode::kDialogue:
      if (!line.files.empty())
        return ArgumentError{"unexpected argument '" + line.files.front() + "'"};
      return ArgumentError{"'--' ends the options, but no mode was given"};
    case Mode::kCheck:
      if (line.files.empty()) return ArgumentError{"--check needs one or more poll files"};
      break;
    case Mode::kTally:
      if (line.files.size() < 2) {
        return ArgumentError{"--tally needs last week's poll and one or more ballot files"};
      }
      break;
    case Mode::kAnalyze: {
      if (line.files.size() < 2) {
        return ArgumentError{
            "--analyze needs a format, last week's poll and one or more ballot files"};
      }
      const std::optional<AnalysisFormat> named = analysisFormatNamed(format);
      if (!named) {
        return ArgumentError{"the format '" + format + "' is not one of text, csv, json, html"};
      }
      line.analysisFormat = *named;
      break;
    }
    case Mode::kPublish:
    case Mode::kSeason: {
      const std::string mode = line.mode == Mode::kPublish ? "--publish" : "--season";
      if (line.files.empty()) return ArgumentError{mode + " needs a format and one or more weeks"};
      if (isGiven(given, "--ballots") && line.ballots.empty()) {
        return ArgumentError{"--ballots needs one or more ballot files"};
      }
      const std::optional<Format> named = formatNamed(format);
      line.allFormats = format == "all";
      if (!named && !line.allFormats) {
        return ArgumentError{"the format '" + format +
                             "' is not one of text, markdown, csv, json, html, all"};
      }
      if (named) line.format = *named;
      if (line.allFormats != line.outputDir.has_value()) {
        return ArgumentError{line.allFormats ? mode + " all needs --output-dir DIR"
                                             : "--output-dir goes with the format all"};
      }
      if (line.allFormats && line.output) {
        return ArgumentError{"--output names one file; the format all writes to --output-dir"};
      }
      if (line.feed && !line.allFormats) return ArgumentError{"--feed goes with the format all"};
      if (isGiven(given, "--top")) {
        const std::optional<int64_t> number = topOf(top);
        if (!number) return ArgumentError{"--top takes a whole number from 1 to 2147483647"};
        line.top = *number;
      }
      break;
    }
    case Mode::kHelp:
    case Mode::kVersion:
      break;
  }
  return std::nullopt;
}

}  // namespace

std::variant<CommandLine, ArgumentError> parseArguments(int count, const char* const* arguments) {
  CommandLine line;
  if (count == 0) return line;  // the dialogue
  bool modeGiven = false;
  bool optionsEnded = false;
  std::string format, top;
  std::vector<const OptionRule*> given;
  std::optional<ArgumentError> mistake;  // the first one, told once help has had its chance
  const auto note = [&](std::string what) {
    if (!mistake) mistake = ArgumentError{std::move(what)};
  };
  std::vector<std::string>* operands = &line.files;  // --ballots takes the files after it
  for (int i = 0; i < count; ++i) {
    const std::string_view argument = arguments[i];
    if (optionsEnded || argument == "-" || argument.empty() || argument.front() != '-') {
      operands->emplace_back(argument);
      continue;
    }
    operands = &line.files;
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (argument == "-h" || argument == "--help" || argument == "--version") {
      CommandLine answer;
      answer.mode = argument == "--version" ? Mode::kVersion : Mode::kHelp;
      return answer;
    }
    // "--name=value" or "--name value".
    const std::size_t equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    const bool inlineValue = equals != std::string_view::npos;
    const auto takeValue = [&](bool takes) -> std::optional<std::string> {
      if (!takes) {
        if (inlineValue) note("option '" + std::string(name) + "' takes no value");
        return std::string();
      }
      if (inlineValue) return std::string(argument.substr(equals + 1));
      if (i + 1 < count) return std::string(arguments[++i]);
      note("option '" + std::string(name) + "' needs a value");
      return std::nullopt;
    };
    const auto mode = std::find_if(kModeRules.begin(), kModeRules.end(),
                                   [&](const ModeRule& m) { return m.name == name; });
    const auto option = std::find_if(kOptionRules.begin(), kOptionRules.end(),
                                     [&](const OptionRule& o) { return o.name == name; });
    if (argument.substr(0, 2) != "--" ||
        (mode == kModeRules.end() && option == kOptionRules.end())) {
      note("unexpected argument '" + std::string(argument) + "'");
    } else if (mode != kModeRules.end()) {
      const std::optional<std::string> value = takeValue(mode->takesValue);
      if (modeGiven && line.mode != mode->mode) {
        note(std::string(mode->name) + " is a second mode; give one at a time");
      } else if (modeGiven && mode->takesValue) {
        note("option '" + std::string(name) + "' is given twice");
      }
      modeGiven = true;
      line.mode = mode->mode;
      if (value && mode->takesValue) format = *value;
    } else {
      const std::optional<std::string> value = takeValue(option->takesValue);
      if (!option->repeats && isGiven(given, name)) {
        note("option '" + std::string(name) + "' is given twice");
      }
      given.push_back(&*option);
      if (option->name == "--ballots") operands = &line.ballots;
      if (!value) continue;
      if (option->name == "--records") line.records = *value;
      if (option->name == "--teams") line.roster = *value;
      if (option->name == "--new") line.newTeams.push_back(*value);
      if (option->name == "--output") line.output = *value;
      if (option->name == "--top") top = *value;
      if (option->name == "--title") line.title = *value;
      if (option->name == "--output-dir") line.outputDir = *value;
      if (option->name == "--feed") line.feed = *value;
    }
  }
  if (mistake) return *mistake;
  if (std::optional<ArgumentError> wrong = checkWhole(line, modeGiven, given, format, top)) {
    return *wrong;
  }
  return line;
}

}  // namespace hoops
