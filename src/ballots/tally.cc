// Counting ballots: the checks a poll keeper makes by hand, and the points.
#include "ballots/tally.h"

#include <algorithm>
#include <cstring>

#include "ballots/name_folding.h"
#include "ballots/team_name.h"
#include "poll/problem.h"

namespace hoops {

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

// "'A'", "'A' or 'B'", "'A', 'B' or 'C'": the names a refusal suggests.
std::string choiceOf(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " or " : ", ";
    text += quoted(names[i]);
  }
  return text;
}

}  // namespace

Tally::Tally(const Poll& last, const KnownTeams& known, ProblemList& problems) {
  for (const Team& team : last.teams) {
    Entry& entry = entries_[know(std::string(team.name), team.lastWeek)];
    entry.hasRecord = true;
    entry.wins = team.wins;
    entry.losses = team.losses;
  }
  for (const std::string_view name : known.teams) {
    if (!names_.named(name)) know(std::string(name), -1);
  }
  if (known.roster != nullptr) learnRoster(*known.roster, known.rosterFile, problems);
  if (known.records != nullptr) {
    for (const TeamRecord& record : *known.records) {
      const std::optional<std::size_t> team =
          learn(record.name, known.recordsFile, record.line, problems);
      if (!team) continue;
      Entry& entry = entries_[*team];
      entry.hasRecord = true;
      entry.wins = record.wins;
      entry.losses = record.losses;
    }
  }
  for (const std::string& name : known.newTeams) {
    if (const std::optional<std::string_view> why = whyNotATeamName(name)) {
      problems.push_back({"", 0,
                          "--new " + quoted(name) +
                              ": a name that cannot stand in a poll file: it " +
                              std::string(*why)});
      continue;
    }
    learn(name, "", 0, problems);
  }
}

std::size_t Tally::know(std::string name, int32_t lastPosition) {
  names_.add(name, entries_.size());
  Entry entry;
  entry.name = std::move(name);
  entry.lastPosition = lastPosition;
  entries_.push_back(std::move(entry));
  return entries_.size() - 1;
}

std::optional<std::size_t> Tally::learn(std::string_view name, const std::string& file,
                                        std::size_t line, ProblemList& problems) {
  if (const std::optional<std::size_t> team = names_.named(name)) return team;
  if (const std::optional<std::size_t> other = names_.alike(name)) {
    const std::string what = quoted(name) + " is another spelling of " +
                             quoted(entries_[*other].name) +
                             "; write one team one way, or its other spellings in the roster";
    problems.push_back({file, line, file.empty() ? "--new " + what : what});
    return std::nullopt;
  }
  return know(std::string(name), -1);
}

void Tally::learnRoster(const std::vector<RosterTeam>& roster, const std::string& file,
                        ProblemList& problems) {
  std::unordered_map<std::size_t, std::size_t> lineOf;  // each roster team's line
  for (const RosterTeam& listed : roster) {
    const std::optional<std::size_t> team = learn(listed.name, file, listed.line, problems);
    if (!team) continue;
    if (const auto [met, added] = lineOf.emplace(*team, listed.line); !added) {
      problems.push_back({file, listed.line,
                          quoted(listed.name) + " is on the roster already, at line " +
                              std::to_string(met->second)});
      continue;
    }
    for (const std::string& alias : listed.aliases) {
      std::optional<std::size_t> other = names_.named(alias);
      if (!other) other = names_.alike(alias);
      if (other && *other != *team) {
        problems.push_back({file, listed.line,
                            "the spelling " + quoted(alias) + " is " +
                                quoted(entries_[*other].name) + "'s already"});
        continue;
      }
      names_.add(alias, *team);
    }
  }
}

std::ptrdiff_t Tally::find(std::string_view name, const std::string& file, std::size_t line,
                           ProblemList& problems) {
  if (const std::optional<std::size_t> team = names_.named(name)) {
    return static_cast<std::ptrdiff_t>(*team);
  }
  const std::string where = placeOf(file, line);
  if (const auto met = refused_.find(std::string(name)); met != refused_.end()) {
    Refusal& refusal = met->second;
    if (refusal.lastBallot == seen_) return -1;
    refusal.lastBallot = seen_;
    if (refusal.others.size() < 3) refusal.others.push_back(where);
    ++refusal.ballots;
    return -1;
  }
  // Suggestions are worked out only for a problem that is kept to be told.
  std::string what = quoted(name) + " is not a known team";
  if (problems.keepsNext()) {
    std::vector<std::string> near;
    for (const std::size_t team : names_.near(name, 3)) near.push_back(entries_[team].name);
    if (!near.empty()) what += "; did you mean " + choiceOf(near) + "?";
  }
  refused_.emplace(std::string(name), Refusal{problems.size(), 1, seen_, {}});
  problems.push_back({file, line, std::move(what)});
  return -1;
}

void Tally::finish(ProblemList& problems) {
  for (const auto& [name, refusal] : refused_) {
    Problem* problem = problems.kept(refusal.problem);
    if (problem == nullptr || refusal.ballots == 1) continue;
    problem->what += " (on " + std::to_string(refusal.ballots) + " ballots; also at ";
    for (std::size_t i = 0; i < refusal.others.size(); ++i) {
      problem->what += (i == 0 ? "" : ", ") + refusal.others[i];
    }
    // The first few places, then an ellipsis for the others.
    if (refusal.ballots - 1 > refusal.others.size()) problem->what += ", ...";
    problem->what += ")";
  }
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
                            placeOf(files_[cast->second.file], cast->second.line)});
  } else {
    voters_.emplace(std::move(voter), Cast{files_.size() - 1, ballot.line});
  }
  std::vector<std::ptrdiff_t>& teams = onBallot_;
  bool refused = false;
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
    // A name spelled as a known team is one (known names stand in a poll file already); any
    // other that is not one field of one line would break the week's file, or forge rows in it.
    const std::optional<std::size_t> spelled = names_.spelled(name);
    if (!spelled) {
      if (const std::optional<std::string_view> why = whyNotATeamName(name)) {
        problems.push_back({file, placeLine,
                            "place " + std::to_string(place) +
                                ": a name that cannot stand in a poll file: it " +
                                std::string(*why)});
        teams.push_back(-1);
        continue;
      }
    }
    const std::ptrdiff_t team =
        spelled ? static_cast<std::ptrdiff_t>(*spelled) : find(name, file, placeLine, problems);
    teams.push_back(team);
    if (team < 0) {
      refused = true;  // said once for every ballot that names it, not always anew
      continue;
    }
    Entry& entry = entries_[static_cast<std::size_t>(team)];
    if (entry.lastBallot == number) {
      problems.push_back({file, placeLine,
                          "'" + entry.name + "' is on this ballot twice, in places " +
                              std::to_string(entry.lastPlace) + " and " + std::to_string(place)});
    }
    entry.lastBallot = number;
    entry.lastPlace = place;
  }
  if (problems.size() != before || refused) return;
  for (std::size_t place = 1; place <= teams.size(); ++place) {
    Entry& entry = entries_[static_cast<std::size_t>(teams[place - 1])];
    entry.points += static_cast<int64_t>(places_ + 1 - place);
    if (place == 1) ++entry.firstPlaces;
    if (keep_) kept_.picks.push_back(static_cast<uint32_t>(teams[place - 1]));
  }
  if (keep_) kept_.voters.emplace_back(ballot.voter);
  ++ballots_;
}

CountedBallots Tally::takeBallots() {
  CountedBallots ballots = std::move(kept_);
  ballots.places = places_;
  ballots.teams.clear();
  for (const Entry& entry : entries_) ballots.teams.push_back(entry.name);
  kept_ = CountedBallots();
  return ballots;
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
    const bool aRanked = a->lastPosition > 0, bRanked = b->lastPosition > 0;
    if (aRanked != bRanked) return aRanked;
    if (aRanked && a->lastPosition != b->lastPosition) return a->lastPosition < b->lastPosition;
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
    team.lastWeek = entry->lastPosition > 0 ? entry->lastPosition : -1;
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

}  // namespace hoops
