#pragma once
// What --stats prints for one log.

#include <string>
#include <string_view>

#include "cli/command_line.hpp"
#include "conversion/formats/track_statistics.hpp"
#include "conversion/reading/log_counts.hpp"

namespace cli {

// Text: the log's name, then one figure a line, labels aligned, and a blank
// line after; JSON: one object on one line. The counts add the log's talker
// and the sentences without a position or with a wrong checksum.
std::string StatisticsReportText(StatisticsReport form, std::string_view logLabel,
                                 const conversion::TrackStatistics& statistics, const conversion::LogCounts& counts,
                                 const conversion::TimeZone& zone = {});

}  // namespace cli
