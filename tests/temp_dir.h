// Scratch directories and whole-file helpers for tests.
#ifndef HOOPS_TESTS_TEMP_DIR_H_
#define HOOPS_TESTS_TEMP_DIR_H_

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

namespace hoops {

// A fresh directory under the system temporary directory, removed with everything in it
// when the object goes.
class TempDir {
 public:
  TempDir() {
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      auto candidate =
          std::filesystem::temp_directory_path() / ("hoops-" + std::to_string(random()));
      if (std::filesystem::create_directory(candidate)) path_ = candidate;
    }
    if (path_.empty()) throw std::runtime_error("no scratch directory could be made");
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// How many names `directory` holds.
inline std::size_t filesIn(const std::string& directory) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory)) ++count;
  return count;
}

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace hoops

#endif  // HOOPS_TESTS_TEMP_DIR_H_
