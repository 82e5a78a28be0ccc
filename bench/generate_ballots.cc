// Writes a week of ballots as a web form exports them, the same for the same seed: last week's
// poll of T teams to the file LAST, then on standard output a CSV table with a Voter header and
// V ballots of 25 places, favourites more often near the top, a name with a comma in quotes.
//   generate_ballots LAST V [T] [seed]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: generate_ballots LAST VOTERS [TEAMS] [seed]\n");
    return 2;
  }
  const long voters = std::atol(argv[2]);
  const int teams = argc > 3 ? std::atoi(argv[3]) : 360;
  std::mt19937 random(argc > 4 ? static_cast<unsigned>(std::atoi(argv[4])) : 42u);
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(teams));
  for (int i = 0; i < teams; ++i) {
    names.push_back((i % 50 == 7 ? "A&M, Campus " : "School ") + std::to_string(i));
  }
  std::ofstream last(argv[1]);
  last << "March 2 2025\n";
  for (int i = 0; i < teams; ++i) {
    last << i + 1 << '\t' << names[static_cast<std::size_t>(i)] << "\t20-5\t" << 10000 - i << '\t'
         << i + 1 << '\n';
  }
  // Each voter ranks 25 teams near the top of last week's poll, each place drawn from a band
  // that widens down the ballot, skipping teams already on it.
  std::string out = "Voter";
  for (int place = 1; place <= 25; ++place) {
    out += ',';
    out += std::to_string(place);
  }
  std::cout << out << "\r\n";
  std::vector<int> onBallot(static_cast<std::size_t>(teams), -1);
  for (long voter = 0; voter < voters; ++voter) {
    out = "Voter " + std::to_string(voter);
    for (int place = 0; place < 25;) {
      std::uniform_int_distribution<int> band(0, std::min(teams - 1, 25 + place * 4));
      const int team = band(random);
      if (onBallot[static_cast<std::size_t>(team)] == voter) continue;
      onBallot[static_cast<std::size_t>(team)] = static_cast<int>(voter);
      const std::string& name = names[static_cast<std::size_t>(team)];
      const bool comma = name.find(',') != std::string::npos;
      out += comma ? ",\"" : ",";
      out += name;
      if (comma) out += '"';
      ++place;
    }
    std::cout << out << "\r\n";
  }
  return 0;
}
