#include "cli/progress_display.hpp"

#include <cstdio>

namespace cli {

namespace {

using namespace std::chrono_literals;

constexpr auto QuietStart = 1s;
constexpr auto RedrawInterval = 100ms;

// A line that wraps cannot be redrawn in place, so long names keep their end.
constexpr std::size_t LabelWidth = 40;

}  // namespace

ProgressDisplay ProgressStart(std::string_view logName, ProgressClock::time_point now) {
  ProgressDisplay display;
  if (logName.size() > LabelWidth) {
    display.Label = "...";
    logName.remove_prefix(logName.size() - (LabelWidth - 3));
  }
  display.Label += logName;
  display.Start = now;
  return display;
}

std::string ProgressText(std::string_view label, std::uint64_t bytesRead, std::uint64_t totalBytes) {
  char text[160];
  const double megabytesRead = static_cast<double>(bytesRead) / 1e6;
  const int length =
      totalBytes == 0
          ? std::snprintf(text, sizeof text, "%.*s: %.1f MB", static_cast<int>(label.size()), label.data(),
                          megabytesRead)
          : std::snprintf(text, sizeof text, "%.*s: %d%% (%.1f of %.1f MB)", static_cast<int>(label.size()),
                          label.data(), static_cast<int>(bytesRead * 100 / totalBytes), megabytesRead,
                          static_cast<double>(totalBytes) / 1e6);
  return std::string(text, static_cast<std::size_t>(length));
}

std::string ProgressUpdate(ProgressDisplay& display, std::uint64_t bytesRead, std::uint64_t totalBytes,
                           ProgressClock::time_point now) {
  if (now - display.Start < QuietStart) return {};
  if (display.DrawnWidth > 0 && now - display.LastDrawn < RedrawInterval) return {};
  const std::string text = ProgressText(display.Label, bytesRead, totalBytes);
  std::string update = "\r" + text;
  // Blanks over what is left of a longer line before.
  if (text.size() < display.DrawnWidth) update.append(display.DrawnWidth - text.size(), ' ');
  display.DrawnWidth = text.size();
  display.LastDrawn = now;
  return update;
}

std::string ProgressClear(ProgressDisplay& display) {
  if (display.DrawnWidth == 0) return {};
  std::string clear(display.DrawnWidth + 2, ' ');
  clear.front() = '\r';
  clear.back() = '\r';
  display.DrawnWidth = 0;
  return clear;
}

}  // namespace cli
