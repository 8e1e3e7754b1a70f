#pragma once
// The kinds of file a conversion writes: the pushpin text file, and the map
// formats today's GPS and GIS programs read.

#include <array>
#include <optional>
#include <string_view>

namespace conversion {

// Statistics writes no file: the kept records are summed up in the
// statistics the options point to. It has no name of its own, being asked
// for by --stats rather than as a format.
enum class OutputFormat { Pushpin, Gpx, Kml, GeoJson, Csv, Svg, Statistics };

class TrackStatistics;

struct FormatName {
  OutputFormat Format;
  std::string_view Name;
  std::string_view Extension;
};

constexpr std::array<FormatName, 6> FormatNames{{
    {OutputFormat::Pushpin, "pushpin", ".txt"},
    {OutputFormat::Gpx, "gpx", ".gpx"},
    {OutputFormat::Kml, "kml", ".kml"},
    {OutputFormat::GeoJson, "geojson", ".geojson"},
    {OutputFormat::Csv, "csv", ".csv"},
    {OutputFormat::Svg, "svg", ".svg"},
}};

constexpr std::optional<OutputFormat> FindFormat(std::string_view name) {
  for (const FormatName& entry : FormatNames)
    if (entry.Name == name) return entry.Format;
  return std::nullopt;
}

constexpr std::string_view FormatExtension(OutputFormat format) {
  for (const FormatName& entry : FormatNames)
    if (entry.Format == format) return entry.Extension;
  return ".txt";
}

// What a run writes beyond the number style and the resolution.
struct FormatOptions {
  OutputFormat Format = OutputFormat::Pushpin;
  // Days since 1970-01-01 of the log's first fix, for a log whose $GPRMC
  // sentences give no date (a $GPGGA time has none of its own).
  std::optional<long long> FirstDay;
  // Where the Statistics format sums up the records; not owned.
  TrackStatistics* Statistics = nullptr;
};

}  // namespace conversion
