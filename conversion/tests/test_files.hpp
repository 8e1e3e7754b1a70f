#pragma once
// Files for the tests: a fresh folder under the system's temporary folder,
// removed afterwards, and whole-file reading and writing.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace conversion_tests {

namespace fs = std::filesystem;

struct TempFolder {
  fs::path Path;

  explicit TempFolder(std::string_view name) {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    Path = fs::temp_directory_path() / ("pinwell-" + std::string(name) + "-" + std::to_string(stamp));
    fs::create_directories(Path);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(Path, ignored);
  }

  std::string operator/(std::string_view file) const { return (Path / file).string(); }
};

inline void WriteFile(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace conversion_tests
