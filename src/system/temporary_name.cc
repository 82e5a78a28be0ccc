// Random names for new files; the file is made only where no file has the name yet, so the
// randomness only keeps two saves from trying the same name.
#include "system/temporary_name.h"

#include <chrono>
#include <random>

namespace hoops {

namespace {

std::mt19937& generator() {
  static std::mt19937 random = [] {
    try {
      return std::mt19937(std::random_device{}());
    } catch (...) {  // no source of randomness: the clock will do
      return std::mt19937(static_cast<std::mt19937::result_type>(
          std::chrono::steady_clock::now().time_since_epoch().count()));
    }
  }();
  return random;
}

}  // namespace

std::string temporaryName() {
  constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  std::string name = ".hoops-ranking-";
  for (int i = 0; i < 6; ++i) name += kLetters[pick(generator())];
  return name;
}

}  // namespace hoops
