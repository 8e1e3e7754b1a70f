#pragma once
// The figures of a track's statistics as people read them, one label and one
// value each, for the command line's report and the track picture's caption
// alike; and the same as one JSON object, for scripts.

#include <string>
#include <string_view>
#include <vector>

#include "conversion/formats/track_statistics.hpp"

namespace conversion {

struct Figure {
  std::string_view Label;
  std::string Value;
};

// Only the figures the track has: a log without times has no duration.
std::vector<Figure> StatisticsFigures(const TrackStatistics& statistics);

// One line, without its newline. The log's name is UTF-8; absent values are null.
std::string StatisticsJson(std::string_view logName, const TrackStatistics& statistics);

// "2003-05-17 12:35:19 UTC", or "12:35:19 UTC" without a day.
std::string TimeFigure(const TrackPoint& point);

}  // namespace conversion
