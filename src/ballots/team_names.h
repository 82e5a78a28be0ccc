// The names the week's teams are known by, and the known names near one that is not.
#ifndef HOOPS_BALLOTS_TEAM_NAMES_H_
#define HOOPS_BALLOTS_TEAM_NAMES_H_

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace hoops {

// Spellings of teams, each team an index of the caller's. A spelling names its team in any
// Unicode form of it (normalizedName); other near spellings are only suggested.
class TeamNames {
 public:
  // Makes `spelling` a name of `team`; a spelling already known keeps its first team.
  void add(std::string_view spelling, std::size_t team);

  // The team `spelling` names byte for byte; nullopt when none (one hash look-up).
  std::optional<std::size_t> spelled(std::string_view spelling) const {
    const auto found = exact_.find(spelling);
    return found != exact_.end() ? std::optional<std::size_t>(found->second) : std::nullopt;
  }

  // The team `spelling` names, byte for byte or in another Unicode form; nullopt when none.
  std::optional<std::size_t> named(std::string_view spelling) const;

  // The first team with a spelling that folds as `spelling` does (foldedName: letter case,
  // blanks, punctuation, accents); nullopt when none.
  std::optional<std::size_t> alike(std::string_view spelling) const;

  // At most `most` teams whose spellings are near `spelling`, nearest first: alike it, alike
  // once abbreviations are written one way (abbreviatedName), or a misspelling of it (a few
  // letters added, dropped, changed or swapped).
  std::vector<std::size_t> near(std::string_view spelling, std::size_t most) const;

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>{}(text);
    }
  };
  using Index = std::unordered_map<std::string, std::size_t, Hash, std::equal_to<>>;
  struct Spelling {
    std::string folded;
    std::string abbreviated;
    std::size_t team;
  };

  Index exact_;
  Index normalized_;
  Index folded_;
  std::vector<Spelling> spellings_;
};

}  // namespace hoops

#endif  // HOOPS_BALLOTS_TEAM_NAMES_H_
