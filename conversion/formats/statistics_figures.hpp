#pragma once
// The figures of a track's statistics as people read them, one label and one
// value each, for the command line's report and the track picture's caption
// alike; and the same as one JSON object, for scripts.

#include <string>
#include <string_view>
#include <vector>

#include "conversion/formats/time_zone.hpp"
#include "conversion/formats/track_statistics.hpp"

namespace conversion {

struct Figure {
  std::string_view Label;
  std::string Value;
};

// Only the figures the track has: a log without times has no duration.
// Times in the zone, which is then a figure of its own.
std::vector<Figure> StatisticsFigures(const TrackStatistics& statistics, const TimeZone& zone = {});

// One line, without its newline. The log's name is UTF-8; absent values are null.
std::string StatisticsJson(std::string_view logName, const TrackStatistics& statistics, const TimeZone& zone = {});

// "2003-05-17 12:35:19 UTC", or "12:35:19 UTC" without a day; in a zone
// "2003-05-17 14:35:19 +02:00", and UTC still where its offset needs the
// day the point lacks.
std::string TimeFigure(const TrackPoint& point, const TimeZone& zone = {});

}  // namespace conversion
