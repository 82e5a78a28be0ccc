// Unicode normalization and case folding for comparing names, from tables made at build time
// out of Unicode's own data files (make_unicode_tables.py).
#include "ballots/name_folding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

#include "ballots/team_name.h"

namespace hoops {

namespace {

struct Mapping {
  char32_t from;
  uint32_t at;  // in the table's pool
  uint32_t length;
};
struct CombiningClass {
  char32_t code;
  uint32_t value;
};
struct Range {
  char32_t first;
  char32_t last;
};

#include "unicode_tables.inc"

// A byte that is not part of UTF-8 stands for itself as one of the code points U+DC80 to
// U+DCFF (which UTF-8 text never holds), so that such text folds to itself.
constexpr char32_t kStrayByte = 0xDC00;

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The code points of `text`; a byte that starts no UTF-8 sequence is a stray byte.
std::u32string decode(std::string_view text) {
  std::u32string codes;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = utf8Length(text, at);
    const auto lead = static_cast<unsigned char>(text[at]);
    if (length == 0) {
      codes.push_back(kStrayByte + lead);
      ++at;
      continue;
    }
    // The lead byte's bits, then six from each byte after it.
    char32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
      code = (code << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3Fu);
    }
    codes.push_back(code);
    at += length;
  }
  return codes;
}

void encode(char32_t code, std::string& out) {
  if (code >= kStrayByte + 0x80 && code <= kStrayByte + 0xFF) {
    out += static_cast<char>(code - kStrayByte);
  } else if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

template <std::size_t N>
bool inRanges(const Range (&ranges)[N], char32_t code) {
  const auto after = std::upper_bound(std::begin(ranges), std::end(ranges), code,
                                      [](char32_t c, const Range& r) { return c < r.first; });
  return after != std::begin(ranges) && code <= std::prev(after)->last;
}

uint32_t combiningClassOf(char32_t code) {
  const auto found =
      std::lower_bound(std::begin(kCombiningClasses), std::end(kCombiningClasses), code,
                       [](const CombiningClass& entry, char32_t c) { return entry.code < c; });
  return found != std::end(kCombiningClasses) && found->code == code ? found->value : 0;
}

// `codes` with each one replaced by its mapping in `table` (pool `pool`), Hangul syllables by
// their letters, and the marks that follow a letter in the standard's order.
template <std::size_t N, std::size_t P>
std::u32string mapped(const std::u32string& codes, const Mapping (&table)[N],
                      const char32_t (&pool)[P]) {
  std::u32string out;
  out.reserve(codes.size());
  for (const char32_t code : codes) {
    if (code >= 0xAC00 && code <= 0xD7A3) {  // a Hangul syllable
      const char32_t index = code - 0xAC00;
      out += static_cast<char32_t>(0x1100 + index / 588);
      out += static_cast<char32_t>(0x1161 + (index % 588) / 28);
      if (index % 28 != 0) out += static_cast<char32_t>(0x11A7 + index % 28);
      continue;
    }
    const auto found =
        std::lower_bound(std::begin(table), std::end(table), code,
                         [](const Mapping& entry, char32_t c) { return entry.from < c; });
    if (found != std::end(table) && found->from == code) {
      out.append(pool + found->at, found->length);
    } else {
      out += code;
    }
  }
  // Canonical order: within each run of marks, by combining class, keeping equal ones in order.
  for (auto start = out.begin(); start != out.end();) {
    if (combiningClassOf(*start) == 0) {
      ++start;
      continue;
    }
    auto end = start;
    while (end != out.end() && combiningClassOf(*end) != 0) ++end;
    std::stable_sort(start, end, [](char32_t a, char32_t b) {
      return combiningClassOf(a) < combiningClassOf(b);
    });
    start = end;
  }
  return out;
}

std::u32string caseFolded(std::string_view name) {
  return mapped(decode(name), kFolded, kFoldedPool);
}

// The words of a name: its runs of letters and digits (marks dropped), "&" a word of its own.
template <typename Take>
void forEachWord(std::string_view name, Take take) {
  std::string word;
  const auto end = [&] {
    if (!word.empty()) take(word);
    word.clear();
  };
  for (const char32_t code : caseFolded(name)) {
    if (code == '&') {
      end();
      word = "and";
      end();
    } else if (code < 0x80 ? (code >= 'a' && code <= 'z') || (code >= '0' && code <= '9')
                           : inRanges(kLettersAndDigits, code)) {
      encode(code, word);
    } else if (code < 0x80 || !inRanges(kMarks, code)) {
      end();
    }
  }
  end();
}

}  // namespace

std::string normalizedName(std::string_view name) {
  if (isAscii(name)) return std::string(name);
  std::string out;
  for (const char32_t code : mapped(decode(name), kDecomposed, kDecomposedPool)) encode(code, out);
  return out;
}

std::string foldedVoter(std::string_view name) {
  std::string folded;
  bool blank = false;
  const auto add = [&](char32_t code) {
    if (code == ' ' || code == '\t' || code == '\r' || code == '\n') {
      blank = !folded.empty();
      return;
    }
    if (blank) folded += ' ';
    blank = false;
    encode(code, folded);
  };
  if (isAscii(name)) {
    for (const char c : name) add(static_cast<char32_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
  } else {
    for (const char32_t code : caseFolded(name)) add(code);
  }
  return folded;
}

std::string foldedName(std::string_view name) {
  std::string folded;
  forEachWord(name, [&](const std::string& word) { folded += word; });
  return folded;
}

std::string abbreviatedName(std::string_view name) {
  // Each group's spellings, and the one they are written as.
  struct Abbreviation {
    std::string_view word;
    std::string_view as;
  };
  static constexpr std::array<Abbreviation, 5> kAbbreviations = {
      {{"saint", "st"}, {"state", "st"}, {"mount", "mt"}, {"university", "u"}, {"univ", "u"}}};
  std::string folded;
  forEachWord(name, [&](const std::string& word) {
    const auto found = std::find_if(kAbbreviations.begin(), kAbbreviations.end(),
                                    [&](const Abbreviation& a) { return a.word == word; });
    folded += found != kAbbreviations.end() ? found->as : std::string_view(word);
  });
  return folded;
}

}  // namespace hoops
