// A season's weeks read and ordered, and the newest one published: shared ranks and all.
#include "publish/season.h"

#include <algorithm>
#include <cerrno>
#include <istream>
#include <string_view>

#include "poll/date.h"
#include "poll/poll.h"
#include "pollfile/poll_reader.h"
#include "system/error_text.h"
#include "system/file_streams.h"
#include "system/standard_streams.h"

namespace {

// Reads one week file into `week`; false, with `problems`, when it cannot be published.
bool readWeek(const std::string& path, Week& week, std::vector<std::string>& problems,
              FileSystem& files) {
  const bool standardInput = path == "-";
  Descriptor file(files, standardInput ? -1 : files.openForReading(path));
  const int fd = standardInput ? kStandardInput : file.fd();
  const std::optional<FileSystem::Status> status =
      fd < 0 ? std::nullopt : files.status(fd);
  if (!status || status->directory) {
    problems.push_back(path + ": " + errorText(!status ? errno : EISDIR));
    return false;
  }
  FileReadBuffer buffer(files, fd);
  std::istream in(&buffer);
  Poll poll;
  FindingTally tally;
  std::vector<int32_t> lastWeeks;
  if (!readPollFile(in, poll, tally, &lastWeeks) || buffer.error() != 0) {
    problems.push_back(path + ": " + errorText(buffer.error() != 0 ? buffer.error() : EIO));
    return false;
  }
  if (tally.refuses()) {
    for (const Finding& finding : tally.findings()) {
      if (finding.refuses) problems.push_back(path + ":" + std::to_string(finding.line) + ": " + finding.text());
    }
    return false;
  }
  week.file = path;
  week.date = poll.date;
  const std::optional<int64_t> day = dayNumber(week.date);
  if (!day) {
    problems.push_back(path + ":1: '" + week.date + "' is not a poll date, so its week is not known");
    return false;
  }
  week.day = *day;
  std::size_t i = 0;
  for (const Team& team : poll.teams) {
    week.rows.push_back({std::string(team.name), team.wins, team.losses, team.votes, lastWeeks[i++]});
  }
  return true;
}

// The shared rank of each row of `week` in file order (0 for a team without points): one more
// than the teams with more points.
std::vector<int64_t> sharedRanks(const Week& week) {
  std::vector<int64_t> points;
  for (const Week::Row& row : week.rows) {
    if (row.votes > 0) points.push_back(row.votes);
  }
  std::sort(points.begin(), points.end(), std::greater<>());
  std::vector<int64_t> ranks;
  ranks.reserve(week.rows.size());
  for (const Week::Row& row : week.rows) {
    const auto higher = std::lower_bound(points.begin(), points.end(), int64_t{row.votes},
                                         std::greater<>()) -
                        points.begin();
    ranks.push_back(row.votes > 0 ? static_cast<int64_t>(higher) + 1 : 0);
  }
  return ranks;
}

// The teams of `week` ranked in the top `top`, by name.
std::unordered_map<std::string_view, int64_t> rankedIn(const Week& week, int64_t top) {
  const std::vector<int64_t> ranks = sharedRanks(week);
  std::unordered_map<std::string_view, int64_t> ranked;
  for (std::size_t i = 0; i < week.rows.size(); ++i) {
    if (ranks[i] > 0 && ranks[i] <= top) ranked.emplace(week.rows[i].name, ranks[i]);
  }
  return ranked;
}

}  // namespace

bool readSeason(const std::vector<std::string>& paths, std::vector<Week>& weeks,
                std::vector<std::string>& problems, FileSystem& files) {
  bool read = true;
  for (const std::string& path : paths) {
    Week week;
    if (readWeek(path, week, problems, files)) {
      weeks.push_back(std::move(week));
    } else {
      read = false;
    }
  }
  std::stable_sort(weeks.begin(), weeks.end(),
                   [](const Week& a, const Week& b) { return a.day < b.day; });
  for (std::size_t i = 1; i < weeks.size(); ++i) {
    if (weeks[i].day == weeks[i - 1].day) {
      problems.push_back(weeks[i].file + ": has the date " + weeks[i].date + ", as " +
                         weeks[i - 1].file + " has; a season has one poll a date");
      read = false;
    }
  }
  return read && !weeks.empty();
}

std::vector<const PublishedTeam*> PublishedWeek::ranked() const {
  std::vector<const PublishedTeam*> chosen;
  for (const PublishedTeam& team : teams) {
    if (team.ranked) chosen.push_back(&team);
  }
  return chosen;
}

std::vector<const PublishedTeam*> PublishedWeek::others() const {
  std::vector<const PublishedTeam*> chosen;
  for (const PublishedTeam& team : teams) {
    if (!team.ranked) chosen.push_back(&team);
  }
  return chosen;  // by rank, then name: that is, by points, then name
}

PublishedWeek publishWeek(const std::vector<Week>& weeks, int64_t top,
                          const std::unordered_map<std::string, int64_t>* firstPlaces) {
  PublishedWeek published;
  const Week& now = weeks.back();
  published.date = now.date;
  published.top = top;
  published.firstPlaceVotes = firstPlaces != nullptr;
  // Last week's ranks: the week before's, shared; with one week, its own last-week column.
  std::unordered_map<std::string_view, int64_t> before;
  if (weeks.size() > 1) {
    before = rankedIn(weeks[weeks.size() - 2], top);
  } else {
    for (const Week::Row& row : now.rows) {
      if (row.lastWeekColumn > 0 && row.lastWeekColumn <= top) {
        before.emplace(row.name, row.lastWeekColumn);
      }
    }
  }
  const std::vector<int64_t> ranks = sharedRanks(now);
  published.teams.reserve(now.rows.size());
  for (std::size_t i = 0; i < now.rows.size(); ++i) {
    const Week::Row& row = now.rows[i];
    if (ranks[i] == 0) continue;
    PublishedTeam team;
    team.rank = ranks[i];
    team.name = row.name;
    team.wins = row.wins;
    team.losses = row.losses;
    team.points = row.votes;
    team.ranked = team.rank <= top;
    if (team.ranked) {
      if (const auto last = before.find(row.name); last != before.end()) {
        team.lastWeek = last->second;
      }
    }
    if (firstPlaces != nullptr) {
      if (const auto first = firstPlaces->find(row.name); first != firstPlaces->end()) {
        team.firstPlaceVotes = first->second;
      }
    }
    published.teams.push_back(std::move(team));
  }
  std::sort(published.teams.begin(), published.teams.end(),
            [](const PublishedTeam& a, const PublishedTeam& b) {
              return a.rank != b.rank ? a.rank < b.rank : a.name < b.name;
            });
  const std::unordered_map<std::string_view, int64_t> rankedNow = rankedIn(now, top);
  for (const auto& [name, rank] : before) {
    if (rankedNow.count(name) == 0) published.dropped.push_back({std::string(name), rank});
  }
  std::sort(published.dropped.begin(), published.dropped.end(),
            [](const PublishedWeek::Dropped& a, const PublishedWeek::Dropped& b) {
              return a.lastWeek != b.lastWeek ? a.lastWeek < b.lastWeek : a.name < b.name;
            });
  // The chart: each week's ranks of the teams ranked now.
  std::vector<std::unordered_map<std::string_view, int64_t>> season;
  for (const Week& week : weeks) {
    published.dates.push_back(week.date);
    season.push_back(rankedIn(week, top));
  }
  for (const PublishedTeam* team : published.ranked()) {
    PublishedWeek::Line line{team->name, {}};
    for (const auto& then : season) {
      const auto rank = then.find(team->name);
      line.ranks.push_back(rank != then.end() ? std::optional<int64_t>(rank->second)
                                              : std::nullopt);
    }
    published.chart.push_back(std::move(line));
  }
  return published;
}
