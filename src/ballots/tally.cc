// Counting ballots: the checks a poll keeper makes by hand, and the points.
#include "ballots/tally.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>

#include "ballots/team_name.h"

namespace {

// `name` in single quotes, as the messages name a team or voter. (Built a piece at a time: GCC 12
// warns falsely of overlaps in "'" + std::string(...).)
std::string quoted(std::string_view name) {
  std::string text;
  text.reserve(name.size() + 2);
  text += '\'';
  text += name;
  text += '\'';
  return text;
}

// A voter's name as the voter is told apart: letter case and blanks (runs of them, at the
// ends) do not count, so "Avery Quinn", " AVERY  QUINN " and a file avery quinn.txt are one.
std::string foldedVoter(std::string_view name) {
  std::string folded;
  bool blank = false;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == ' ' || byte == '\t' || byte == '\r') {
      blank = !folded.empty();
      continue;
    }
    if (blank) folded += ' ';
    blank = false;
    folded += static_cast<char>(std::tolower(byte));
  }
  return folded;
}

}  // namespace

std::string foldedName(std::string_view name) {
  std::string folded;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 || std::isalnum(byte) != 0) {
      folded += static_cast<char>(std::tolower(byte));
    }
  }
  return folded;
}

Tally::Tally(const Poll& last, const std::vector<TeamRecord>* records)
    : withRecords_(records != nullptr) {
  for (const Team& team : last.teams) {
    know(std::string(team.name), team.lastWeek);
    Entry& entry = entries_[index_.find(std::string_view(team.name))->second];
    entry.hasRecord = true;
    entry.wins = team.wins;
    entry.losses = team.losses;
  }
  if (records == nullptr) return;
  for (const TeamRecord& record : *records) {
    know(record.name, -1);
    Entry& entry = entries_[index_.find(std::string_view(record.name))->second];
    entry.hasRecord = true;
    entry.wins = record.wins;
    entry.losses = record.losses;
  }
}

void Tally::know(std::string name, int32_t lastWeek) {
  if (index_.find(std::string_view(name)) != index_.end()) return;  // named twice: the first
  folded_.emplace(foldedName(name), entries_.size());
  index_.emplace(name, entries_.size());
  Entry entry;
  entry.name = std::move(name);
  entry.lastWeek = lastWeek;
  entries_.push_back(std::move(entry));
}

std::ptrdiff_t Tally::find(std::string_view name, const std::string& file, std::size_t line,
                           ProblemList& problems) {
  if (const auto found = index_.find(name); found != index_.end()) {
    return static_cast<std::ptrdiff_t>(found->second);
  }
  const std::string named = quoted(name);
  const char* known =
      withRecords_ ? "a team of last week's poll or of the records" : "a team of last week's poll";
  if (const auto alike = folded_.find(foldedName(name)); alike != folded_.end()) {
    problems.push_back(
        {file, line,
         named + " is not " + known + "; did you mean '" + entries_[alike->second].name + "'?"});
    return -1;
  }
  if (withRecords_) {
    problems.push_back({file, line, named + " is not " + known});
    return -1;
  }
  know(std::string(name), -1);
  entries_.back().isNew = true;
  return static_cast<std::ptrdiff_t>(entries_.size() - 1);
}

void Tally::count(const std::string& file, const Ballot& ballot, ProblemList& problems) {
  const std::size_t number = ++seen_;
  const std::size_t before = problems.size();
  if (ballot.teams.empty()) {
    problems.push_back({file, ballot.line, "a ballot of no teams"});
    return;
  }
  if (places_ == 0) places_ = ballot.teams.size();
  if (ballot.teams.size() != places_) {
    problems.push_back({file, ballot.line,
                        "a ballot of " + std::to_string(ballot.teams.size()) +
                            " teams; the first ballot has " + std::to_string(places_)});
  }
  if (files_.empty() || files_.back() != file) files_.push_back(file);
  std::string voter = foldedVoter(ballot.voter);
  if (const auto cast = voters_.find(voter); cast != voters_.end()) {
    problems.push_back({file, ballot.line,
                        quoted(ballot.voter) + " has cast a ballot already, at " +
                            files_[cast->second.file] + ":" + std::to_string(cast->second.line)});
  } else {
    voters_.emplace(std::move(voter), Cast{files_.size() - 1, ballot.line});
  }
  std::vector<std::ptrdiff_t>& teams = onBallot_;
  teams.clear();
  for (std::size_t place = 1; place <= ballot.teams.size(); ++place) {
    const std::string_view name = ballot.teams[place - 1];
    // A list's places are lines of their own; a row's all stand on its line.
    const std::size_t placeLine = ballot.lines.empty() ? ballot.line : ballot.lines[place - 1];
    if (name.empty()) {
      problems.push_back({file, placeLine, "place " + std::to_string(place) + " is empty"});
      teams.push_back(-1);
      continue;
    }
    // A name that is not one field of one line would break the week's file, or forge rows in it.
    if (const std::optional<std::string_view> why = whyNotATeamName(name)) {
      problems.push_back({file, placeLine,
                          "place " + std::to_string(place) +
                              ": a name that cannot stand in a poll file: it " +
                              std::string(*why)});
      teams.push_back(-1);
      continue;
    }
    const std::ptrdiff_t team = find(name, file, placeLine, problems);
    teams.push_back(team);
    if (team < 0) continue;
    Entry& entry = entries_[static_cast<std::size_t>(team)];
    if (entry.lastBallot == number) {
      problems.push_back({file, placeLine,
                          "'" + entry.name + "' is on this ballot twice, in places " +
                              std::to_string(entry.lastPlace) + " and " + std::to_string(place)});
    }
    entry.lastBallot = number;
    entry.lastPlace = place;
  }
  if (problems.size() != before) return;
  for (std::size_t place = 1; place <= teams.size(); ++place) {
    Entry& entry = entries_[static_cast<std::size_t>(teams[place - 1])];
    entry.points += static_cast<int64_t>(places_ + 1 - place);
    if (place == 1) ++entry.firstPlaces;
  }
  ++ballots_;
}

std::vector<std::string> Tally::newTeams() const {
  std::vector<std::string> names;
  for (const Entry& entry : entries_) {
    // A name met only on a ballot that was refused is no team of the week.
    if (entry.isNew && entry.points > 0) names.push_back(entry.name);
  }
  return names;
}

bool Tally::week(const PollDate& date, Poll& poll, std::vector<std::string>& noRecord,
                 ProblemList& problems) const {
  std::vector<const Entry*> ranked;
  for (const Entry& entry : entries_) {
    if (entry.points > 0) ranked.push_back(&entry);
  }
  // By points; then last week's order, the unranked after the ranked, by name.
  std::sort(ranked.begin(), ranked.end(), [](const Entry* a, const Entry* b) {
    if (a->points != b->points) return a->points > b->points;
    const bool aRanked = a->lastWeek > 0, bRanked = b->lastWeek > 0;
    if (aRanked != bRanked) return aRanked;
    if (aRanked && a->lastWeek != b->lastWeek) return a->lastWeek < b->lastWeek;
    return a->name < b->name;
  });
  std::memcpy(poll.date, date, sizeof poll.date);
  bool fits = true;
  for (const Entry* entry : ranked) {
    if (entry->points > kMaxCount) {
      problems.push_back({"", 0, "'" + entry->name + "' has more points than a poll file holds"});
      fits = false;
      continue;
    }
    Team team;
    team.name = entry->name;
    team.votes = static_cast<int32_t>(entry->points);
    team.lastWeek = entry->lastWeek > 0 ? entry->lastWeek : -1;
    team.wins = entry->wins;
    team.losses = entry->losses;
    if (!entry->hasRecord) noRecord.push_back(entry->name);
    poll.appendTeam(team);
  }
  return fits;
}

std::unordered_map<std::string, int64_t> Tally::points() const {
  std::unordered_map<std::string, int64_t> points;
  for (const Entry& entry : entries_) {
    if (entry.points > 0) points.emplace(entry.name, entry.points);
  }
  return points;
}

std::unordered_map<std::string, int64_t> Tally::firstPlaces() const {
  std::unordered_map<std::string, int64_t> counts;
  for (const Entry& entry : entries_) {
    if (entry.firstPlaces > 0) counts.emplace(entry.name, entry.firstPlaces);
  }
  return counts;
}
