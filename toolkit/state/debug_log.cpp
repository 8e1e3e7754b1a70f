#include "toolkit/state/debug_log.hpp"

#include <algorithm>
#include <array>
#include <cstdio>

namespace toolkit {
namespace {

constexpr std::size_t EntryTextLength = 511;

// The log is created on the first entry of the process and stays open until
// the process ends; when no name could be created it is not tried again.
std::FILE* OpenedLog() {
  static std::FILE* log = [] {
    for (const char* name : {"debug", "debug.txt", "debug.dat"}) {
      if (std::FILE* file = std::fopen(name, "wb")) {
        // Unbuffered: every entry reaches the file in one write, at once.
        std::setvbuf(file, nullptr, _IONBF, 0);
        return file;
      }
    }
    return static_cast<std::FILE*>(nullptr);
  }();
  return log;
}

// Texts end at their first NUL, as the strings they stand for would.
std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

void WriteEntry(std::string_view text) {
  std::FILE* log = OpenedLog();
  if (log == nullptr) return;
  std::array<char, EntryTextLength + 2> entry;
  const std::size_t n = std::min(text.size(), EntryTextLength);
  std::copy_n(text.data(), n, entry.data());
  entry[n] = '\r';
  entry[n + 1] = '\n';
  std::fwrite(entry.data(), 1, n + 2, log);
}

}  // namespace

void DebugLogLine(std::string_view text) { WriteEntry(UpToNul(text)); }

void DebugLogValue(std::string_view name, int value) {
  std::array<char, EntryTextLength + 1> text;
  const std::string_view shown = UpToNul(name);
  const int n = std::snprintf(text.data(), text.size(), "%.*s = %d",
                              static_cast<int>(std::min(shown.size(), EntryTextLength)), shown.data(), value);
  WriteEntry({text.data(), std::min(static_cast<std::size_t>(std::max(n, 0)), EntryTextLength)});
}

}  // namespace toolkit
