// A season's week files read as a load reads them, without moving their dates on, and ordered.
#include "pollfile/read_season.h"

#include <algorithm>
#include <istream>
#include <optional>
#include <string>

#include "poll/date.h"
#include "pollfile/poll_reader.h"
#include "system/file_streams.h"
#include "system/user_file.h"

namespace hoops {

namespace {

// Reads one week file into `week`: kLoaded, or why it cannot be published in `problems`.
LoadOutcome readWeek(const std::string& path, Week& week, std::vector<Problem>& problems,
                     FileSystem& files) {
  const UserFile file(files, path);
  if (!file.status().ok()) {
    problems.push_back({path, 0, file.status().text()});
    return LoadOutcome::kFailed;
  }
  FileReadBuffer buffer(files, file.fd());
  std::istream in(&buffer);
  Poll& poll = week.teams;
  FindingTally tally;
  std::pmr::vector<int32_t> lastWeeks(week.rows.get_allocator());
  if (!readPollFile(in, poll, tally, &lastWeeks) || !buffer.status().ok()) {
    problems.push_back({path, 0, buffer.failure().text()});
    return LoadOutcome::kFailed;
  }
  if (tally.refuses()) {
    for (const Finding& finding : tally.findings()) {
      if (finding.refuses) problems.push_back({path, finding.line, finding.text()});
    }
    return LoadOutcome::kRefused;
  }
  week.file = path;
  week.date = poll.date;
  const std::optional<int64_t> day = dayNumber(week.date);
  if (!day) {
    problems.push_back(
        {path, 1, "'" + week.date + "' is not a poll date, so its week is not known"});
    return LoadOutcome::kRefused;
  }
  week.day = *day;
  std::size_t i = 0;
  week.rows.reserve(week.teams.teamCount());
  for (const Team& team : week.teams.teams) {
    week.rows.push_back({team.name, team.wins, team.losses, team.votes, lastWeeks[i++], 0});
  }
  rankWeek(week);
  return LoadOutcome::kLoaded;
}

}  // namespace

LoadOutcome readSeason(const std::vector<std::string>& paths, std::vector<Week>& weeks,
                       std::vector<Problem>& problems, FileSystem& files) {
  // A file that cannot be read outweighs one that is refused, as a status does.
  LoadOutcome outcome = paths.empty() ? LoadOutcome::kRefused : LoadOutcome::kLoaded;
  std::vector<Week> given;
  for (const std::string& path : paths) {
    Week week;
    const LoadOutcome read = readWeek(path, week, problems, files);
    if (read == LoadOutcome::kLoaded) {
      given.push_back(std::move(week));
    } else if (outcome != LoadOutcome::kFailed) {
      outcome = read;
    }
  }
  // Ordered by moving each week into its place (weeks are not assigned over each other).
  std::vector<std::size_t> order(given.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return given[a].day < given[b].day; });
  for (const std::size_t i : order) weeks.push_back(std::move(given[i]));
  for (std::size_t i = 1; i < weeks.size(); ++i) {
    if (weeks[i].day == weeks[i - 1].day) {
      problems.push_back({weeks[i].file, 0,
                          "has the date " + weeks[i].date + ", as " + weeks[i - 1].file +
                              " has; a season has one poll a date"});
      if (outcome == LoadOutcome::kLoaded) outcome = LoadOutcome::kRefused;
    }
  }
  return outcome;
}

}  // namespace hoops
