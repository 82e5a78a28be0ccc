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

void rank(Week& week);

// Reads one week file into `week`; false, with `problems`, when it cannot be published.
bool readWeek(const std::string& path, Week& week, std::vector<std::string>& problems,
              FileSystem& files) {
  const bool standardInput = path == "-";
  Descriptor file(files, standardInput ? -1 : files.openToReadAll(path));
  const int fd = standardInput ? kStandardInput : file.fd();
  const std::optional<FileSystem::Status> status = fd < 0 ? std::nullopt : files.status(fd);
  if (!status || status->directory) {
    problems.push_back(path + ": " + errorText(!status ? errno : EISDIR));
    return false;
  }
  FileReadBuffer buffer(files, fd);
  std::istream in(&buffer);
  Poll& poll = week.teams;
  FindingTally tally;
  std::pmr::vector<int32_t> lastWeeks(week.rows.get_allocator());
  if (!readPollFile(in, poll, tally, &lastWeeks) || buffer.error() != 0) {
    problems.push_back(path + ": " + errorText(buffer.error() != 0 ? buffer.error() : EIO));
    return false;
  }
  if (tally.refuses()) {
    for (const Finding& finding : tally.findings()) {
      if (finding.refuses)
        problems.push_back(path + ":" + std::to_string(finding.line) + ": " + finding.text());
    }
    return false;
  }
  week.file = path;
  week.date = poll.date;
  const std::optional<int64_t> day = dayNumber(week.date);
  if (!day) {
    problems.push_back(path + ":1: '" + week.date +
                       "' is not a poll date, so its week is not known");
    return false;
  }
  week.day = *day;
  std::size_t i = 0;
  week.rows.reserve(week.teams.teamCount());
  for (const Team& team : week.teams.teams) {
    week.rows.push_back({team.name, team.wins, team.losses, team.votes, lastWeeks[i++], 0});
  }
  rank(week);
  return true;
}

// True when the rows of `week` stand by falling votes, as the program saves them.
bool byFallingVotes(const Week& week) {
  return std::is_sorted(week.rows.begin(), week.rows.end(),
                        [](const Week::Row& a, const Week::Row& b) { return a.votes > b.votes; });
}

// Gives each row of `week` its shared rank (0 for a team without points): one more than the
// teams with more points.
void rank(Week& week) {
  if (byFallingVotes(week)) {
    // A saved week: each rank in one pass, a tie keeping the rank of its first team.
    for (std::size_t i = 0; i < week.rows.size(); ++i) {
      Week::Row& row = week.rows[i];
      const bool tied = i > 0 && row.votes == week.rows[i - 1].votes;
      row.rank = row.votes <= 0 ? 0 : tied ? week.rows[i - 1].rank : static_cast<int64_t>(i) + 1;
    }
    return;
  }
  std::pmr::vector<int32_t> points(week.rows.get_allocator());
  for (const Week::Row& row : week.rows) {
    if (row.votes > 0) points.push_back(row.votes);
  }
  std::sort(points.begin(), points.end(), std::greater<>());
  for (Week::Row& row : week.rows) {
    const auto higher =
        std::lower_bound(points.begin(), points.end(), row.votes, std::greater<>()) -
        points.begin();
    row.rank = row.votes > 0 ? static_cast<int64_t>(higher) + 1 : 0;
  }
}

// The teams of `week` ranked in the top `top`, by name.
std::unordered_map<std::string_view, int64_t> rankedIn(const Week& week, int64_t top) {
  std::unordered_map<std::string_view, int64_t> ranked;
  for (const Week::Row& row : week.rows) {
    if (row.rank > 0 && row.rank <= top) ranked.emplace(row.name, row.rank);
  }
  return ranked;
}

}  // namespace

void Week::add(std::string_view name, int32_t wins, int32_t losses, int32_t votes,
               int32_t lastWeekColumn) {
  Team& team = teams.teams.emplace_back();
  team.name = name;
  rows.push_back({team.name, wins, losses, votes, lastWeekColumn, 0});
  rank(*this);
}

bool readSeason(const std::vector<std::string>& paths, std::vector<Week>& weeks,
                std::vector<std::string>& problems, FileSystem& files) {
  bool read = true;
  std::vector<Week> given;
  for (const std::string& path : paths) {
    Week week;
    if (readWeek(path, week, problems, files)) {
      given.push_back(std::move(week));
    } else {
      read = false;
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
  // Each week's teams ranked in the top, for last week's ranks, the dropped and the chart.
  std::vector<std::unordered_map<std::string_view, int64_t>> season;
  for (const Week& week : weeks) {
    season.push_back(rankedIn(week, top));
    published.dates.push_back(week.date);
  }
  const std::unordered_map<std::string_view, int64_t>& rankedNow = season.back();
  // Last week's ranks: the week before's, shared; with one week, its own last-week column.
  std::unordered_map<std::string_view, int64_t> before;
  if (weeks.size() > 1) {
    before = season[season.size() - 2];
  } else {
    for (const Week::Row& row : now.rows) {
      if (row.lastWeekColumn > 0 && row.lastWeekColumn <= top) {
        before.emplace(row.name, row.lastWeekColumn);
      }
    }
  }
  published.teams.reserve(now.rows.size());
  for (const Week::Row& row : now.rows) {
    if (row.rank == 0) continue;
    PublishedTeam team;
    team.rank = row.rank;
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
      if (const auto first = firstPlaces->find(std::string(row.name));
          first != firstPlaces->end()) {
        team.firstPlaceVotes = first->second;
      }
    }
    published.teams.push_back(team);
  }
  // By rank, then name. A saved week is in rank order already: only its ties are put in order.
  const auto byRankThenName = [](const PublishedTeam& a, const PublishedTeam& b) {
    return a.rank != b.rank ? a.rank < b.rank : a.name < b.name;
  };
  if (byFallingVotes(now)) {
    for (auto tie = published.teams.begin(); tie != published.teams.end();) {
      const auto end = std::find_if(tie, published.teams.end(), [&](const PublishedTeam& team) {
        return team.rank != tie->rank;
      });
      if (end - tie > 1) std::sort(tie, end, byRankThenName);
      tie = end;
    }
  } else {
    std::sort(published.teams.begin(), published.teams.end(), byRankThenName);
  }
  for (const auto& [name, rank] : before) {
    if (rankedNow.count(name) == 0) published.dropped.push_back({name, rank});
  }
  std::sort(published.dropped.begin(), published.dropped.end(),
            [](const PublishedWeek::Dropped& a, const PublishedWeek::Dropped& b) {
              return a.lastWeek != b.lastWeek ? a.lastWeek < b.lastWeek : a.name < b.name;
            });
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

std::vector<std::string> gapsIn(const std::vector<Week>& weeks) {
  std::vector<std::string> gaps;
  for (std::size_t i = 1; i < weeks.size(); ++i) {
    if (weeks[i].day - weeks[i - 1].day > 7) {
      gaps.push_back("no week between " + weeks[i - 1].date + " and " + weeks[i].date);
    }
  }
  return gaps;
}
