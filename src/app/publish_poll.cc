// Publishing from the command line: the season read and ordered, the ballots checked against
// the week, the week written in its format.
#include "app/publish_poll.h"

#include <algorithm>
#include <functional>
#include <istream>
#include <string_view>

#include "app/mode_support.h"
#include "ballots/ballot_reader.h"
#include "ballots/tally.h"
#include "ballots/week_check.h"
#include "poll/date.h"
#include "poll/problem.h"
#include "pollfile/read_season.h"
#include "publish/formats.h"
#include "publish/season.h"
#include "publish/season_table.h"
#include "system/save_file.h"

namespace hoops {

namespace {

// First-place votes from the ballots of the newest week, checked against its votes; nullopt,
// with every reason on `err`, when they cannot be had or do not add up.
std::optional<std::unordered_map<std::string, int64_t>> firstPlaces(const PublishRequest& request,
                                                                    const Week& week,
                                                                    std::ostream& err,
                                                                    int& status) {
  ProblemList problems;
  std::vector<RosterTeam> roster;
  if (!readRosterFile(request.roster, roster, problems, err)) {
    status = 2;
    return std::nullopt;
  }
  // The known teams are the week's own, and the roster's spellings of them.
  KnownTeams known;
  if (request.roster) {
    known.roster = &roster;
    known.rosterFile = *request.roster;
  }
  for (const Week::Row& row : week.rows) known.teams.push_back(row.name);
  Tally tally(Poll(), known, problems);
  if (!countBallotFiles(request.ballots, tally, problems, err)) {
    status = 2;
    return std::nullopt;
  }
  // The ballots' points must be the week's votes, team by team.
  const std::vector<std::string> differ = ballotsAgainstWeek(tally.points(), week);
  tellProblems(err, problems);
  if (problems.empty() && !differ.empty()) {
    err << "hoops-ranking: the ballots are not the week's votes; publish the week the ballots "
           "were tallied into, or the ballots it was tallied from. Teams that differ:\n";
    for (const std::string& team : differ) err << "  " << team << '\n';
  }
  if (!problems.empty() || !differ.empty()) {
    status = 1;
    return std::nullopt;
  }
  return tally.firstPlaces();
}

// The words a save of a published form says.
constexpr SaveWords kFormWords{"the new form", "what the file held before"};

int publish(const PublishRequest& request, std::ostream& out, std::ostream& err) {
  std::vector<std::string> inputs = request.weeks;
  inputs.insert(inputs.end(), request.ballots.begin(), request.ballots.end());
  if (request.roster) inputs.push_back(*request.roster);
  if (request.output && !outputApart(*request.output, inputs, false, err)) return 2;
  std::vector<Week> weeks;
  std::vector<Problem> problems;
  if (const LoadOutcome read = readSeason(request.weeks, weeks, problems);
      read != LoadOutcome::kLoaded) {
    for (const Problem& problem : problems) err << problem << '\n';
    err << "hoops-ranking: nothing is published\n";
    return read == LoadOutcome::kFailed ? 2 : 1;
  }
  // A week missing from the season: its readers' "last week" is the week before the gap.
  for (const std::string& gap : gapsIn(weeks)) err << "hoops-ranking: " << gap << '\n';
  std::optional<std::unordered_map<std::string, int64_t>> votes;
  if (!request.ballots.empty()) {
    int status = 0;
    votes = firstPlaces(request, weeks.back(), err, status);
    if (!votes) return status;
  }
  std::vector<std::string> notes;
  std::function<void(std::ostream&, Format)> writeForm;
  // (A published week is made in place, never assigned over another: its teams live in its
  // own memory.)
  std::optional<PublishedWeek> week;
  SeasonTable season;
  if (request.wholeSeason) {
    season = seasonTable(weeks, request.top);
    if (request.title) season.title = *request.title;
    writeForm = [&](std::ostream& to, Format format) { writeSeason(to, season, format, notes); };
  } else {
    week.emplace(publishWeek(weeks, request.top, votes ? &*votes : nullptr));
    if (request.title) week->title = *request.title;
    writeForm = [&](std::ostream& to, Format format) { writePublished(to, *week, format, notes); };
  }
  if (!request.allFormats && !request.output) {
    writeForm(out, request.format);
  } else if (!request.allFormats) {
    if (!saveDocument(
            *request.output, [&](std::ostream& to) { writeForm(to, request.format); }, kFormWords,
            notes, err)) {
      return 2;
    }
  } else {
    // Every form at once, named by the newest week's date, and the feed beside them.
    std::string folder = request.outputDir.value_or(".");
    if (folder.back() != '/') folder += '/';
    const std::string stem = std::string(request.wholeSeason ? "season-" : "") +
                             isoDate(weeks.back().date).value_or(weeks.back().date);
    std::vector<std::pair<std::string, std::function<void(std::ostream&)>>> forms;
    forms.reserve(kAllFormats.size() + 1);
    for (const Format format : kAllFormats) {
      forms.emplace_back(folder + stem + "." + std::string(extensionOf(format)),
                         [&, format](std::ostream& to) { writeForm(to, format); });
    }
    if (request.feed) {
      forms.emplace_back(folder + "feed.xml", [&](std::ostream& to) {
        writeFeed(to, weeks, request.top, request.title.value_or(""), *request.feed);
      });
    }
    for (const auto& form : forms) {
      if (!outputApart(form.first, inputs, false, err)) return 2;
    }
    for (const auto& [path, write] : forms) {
      if (!saveDocument(path, write, kFormWords, notes, err)) return 2;
      out << "saved " << path << '\n';
    }
  }
  tellNotes(err, notes);
  return 0;
}

}  // namespace

int publishPoll(const PublishRequest& request, std::ostream& out, std::ostream& err) {
  return runMode("publish", out, err, [&] { return publish(request, out, err); });
}

}  // namespace hoops
