#pragma once
// Progress of a long conversion on a terminal: nothing during the first
// second (most logs are done by then), then one line redrawn in place.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace cli {

using ProgressClock = std::chrono::steady_clock;

struct ProgressDisplay {
  std::string Label;  // names the log
  ProgressClock::time_point Start;
  ProgressClock::time_point LastDrawn;
  std::size_t DrawnWidth = 0;  // columns the line takes on the screen now; 0 when none shows
};

ProgressDisplay ProgressStart(std::string_view logName, ProgressClock::time_point now);

// "trip.pgl: 45% (90.1 of 200.0 MB)", or "-: 90.1 MB" when the size is unknown.
std::string ProgressText(std::string_view label, std::uint64_t bytesRead, std::uint64_t totalBytes);

// What to write to the terminal for a report at `now`: the line drawn over
// the one before, or nothing when it is too early or too soon after the last.
std::string ProgressUpdate(ProgressDisplay& display, std::uint64_t bytesRead, std::uint64_t totalBytes,
                           ProgressClock::time_point now);

// What to write to blank the line again; nothing when none shows.
std::string ProgressClear(ProgressDisplay& display);

}  // namespace cli
