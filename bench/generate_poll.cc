// Writes a valid poll file of N teams to standard output, the same for the same seed:
// distinct school names of varied length, wins and losses, and votes with many ties, the
// rows in rank order as the program saves them.
//   generate_poll N [seed]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <numeric>
#include <random>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kDirections[] = {"",         "North ",   "South ",    "East ",
                                            "West ",    "Central ", "Northern ", "Southern ",
                                            "Eastern ", "Western "};
constexpr std::string_view kPlaces[] = {
    "Alabama",   "Arizona",    "Arkansas",  "Carolina",  "Colorado",    "Dakota",    "Florida",
    "Georgia",   "Idaho",      "Illinois",  "Indiana",   "Iowa",        "Kansas",    "Kentucky",
    "Maine",     "Maryland",   "Michigan",  "Missouri",  "Montana",     "Nebraska",  "Nevada",
    "Ohio",      "Oklahoma",   "Oregon",    "Texas",     "Utah",        "Vermont",   "Virginia",
    "Wyoming",   "Lakeside",   "Riverside", "Pinecrest", "Oakwood",     "Maplewood", "Ashford",
    "Bayview",   "Bridgeport", "Brookline", "Cedar",     "Clearwater",  "Elmhurst",  "Fairfield",
    "Glenwood",  "Greenville", "Hamilton",  "Highland",  "Hillcrest",   "Kingston",  "Lincoln",
    "Madison",   "Marion",     "Milford",   "Monroe",    "Newport",     "Oxford",    "Parkside",
    "Plainview", "Princeton",  "Redwood",   "Salem",     "Springfield", "Stanton",   "Summit",
    "Troy",      "Union",      "Vista",     "Wakefield", "Westbrook",   "Windsor",   "York"};
constexpr std::string_view kRegions[] = {"",       " Valley", " Coast", " Hills",
                                         " Lakes", " Plains", " Bay",   " Ridge"};
constexpr std::string_view kKinds[] = {" State",
                                       " University",
                                       " College",
                                       " Tech",
                                       " A&M",
                                       " Institute of Technology",
                                       " Christian",
                                       " Baptist",
                                       " Methodist",
                                       " Polytechnic",
                                       " State University",
                                       " Wesleyan"};
constexpr std::string_view kCampuses[] = {"",
                                          "",
                                          "",
                                          "",
                                          "",
                                          "",
                                          "",
                                          "",
                                          "",
                                          "",
                                          "",
                                          "",
                                          " at Springfield",
                                          " at Riverside",
                                          " at Kingston",
                                          " at Salem"};

constexpr uint64_t kDirectionCount = std::size(kDirections);
constexpr uint64_t kPlaceCount = std::size(kPlaces);
constexpr uint64_t kRegionCount = std::size(kRegions);
constexpr uint64_t kKindCount = std::size(kKinds);
constexpr uint64_t kCampusCount = std::size(kCampuses);
constexpr uint64_t kNameCount =
    kDirectionCount * kPlaceCount * kRegionCount * kKindCount * kCampusCount;

// The name with number `index` (below kNameCount). Each index picks one word of every list;
// the campus list repeats "" twelve times, and a number after the name keeps those apart.
std::string schoolName(uint64_t index) {
  std::string name;
  name += kDirections[index % kDirectionCount];
  index /= kDirectionCount;
  name += kPlaces[index % kPlaceCount];
  index /= kPlaceCount;
  name += kRegions[index % kRegionCount];
  index /= kRegionCount;
  name += kKinds[index % kKindCount];
  index /= kKindCount;
  uint64_t campus = index % kCampusCount;
  name += kCampuses[campus];
  if (campus > 0 && campus < 12) {
    name += ' ';
    name += std::to_string(campus + 1);
  }
  return name;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: generate_poll N [seed]\n";
    return 2;
  }
  const uint64_t count = std::strtoull(argv[1], nullptr, 10);
  const uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
  if (count > kNameCount) {
    std::cerr << "generate_poll: at most " << kNameCount << " distinct names\n";
    return 2;
  }
  std::mt19937_64 random(seed);
  // A step coprime with kNameCount walks every name once, in a seed-dependent order.
  uint64_t step = 7919;
  while (std::gcd(step, kNameCount) != 1) step += 2;
  uint64_t index = random() % kNameCount;

  std::string out = "March 28 2010\n";
  int64_t votes = static_cast<int64_t>(count) * 4 + 100;
  for (uint64_t position = 1; position <= count; ++position) {
    // Votes fall by 0 to 7 a row, so about one row in eight ties with the one above it.
    votes -= static_cast<int64_t>(random() % 8);
    if (votes < 1) votes = 1;
    out += std::to_string(position);
    out += '\t';
    out += schoolName(index);
    out += '\t';
    out += std::to_string(random() % 36);
    out += '-';
    out += std::to_string(random() % 36);
    out += '\t';
    out += std::to_string(votes);
    out += '\t';
    uint64_t lastWeek = random() % (count + count / 4 + 1);
    out += lastWeek == 0 || lastWeek > count ? std::string("-") : std::to_string(lastWeek);
    out += '\n';
    index = (index + step) % kNameCount;
    if (out.size() > (1 << 20)) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
