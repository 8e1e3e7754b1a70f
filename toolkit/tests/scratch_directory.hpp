#pragma once
// A fresh, empty directory of the test's own, the current directory while it
// lasts; at its end it is left and removed with everything in it. It is made
// under the system's temporary directory, or in a given folder under a fixed
// name, where a run that could not remove it clears it the next time.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

struct ScratchDirectory {
  std::filesystem::path Path;

  explicit ScratchDirectory(const std::string& name)
      : ScratchDirectory(std::filesystem::temp_directory_path(),
                         "pinwell-" + name + "-" +
                             std::to_string(std::chrono::steady_clock::now().time_since_epoch().count())) {}
  ScratchDirectory(const std::filesystem::path& folder, const std::string& name) : Path(folder / name) {
    std::filesystem::remove_all(Path);
    std::filesystem::create_directories(Path);
    std::filesystem::current_path(Path);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  ~ScratchDirectory() {
    std::error_code ignored;
    // Windows does not remove the current directory.
    std::filesystem::current_path(Path.parent_path(), ignored);
    std::filesystem::remove_all(Path, ignored);
  }

  std::filesystem::path operator/(const std::filesystem::path& name) const { return Path / name; }
};

inline std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}
