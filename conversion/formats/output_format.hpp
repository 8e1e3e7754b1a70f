#pragma once
// The kinds of file a conversion writes: the pushpin text file, the map
// formats today's GPS and GIS programs read, and a picture of the track. One
// table names them and makes their writers; a new format is one row and its
// writer.

#include <memory>
#include <optional>
#include <span>
#include <string_view>

namespace conversion {

// Statistics writes no file: the kept records are summed up in the
// statistics the options point to. It has no name of its own, being asked
// for by --stats rather than as a format.
enum class OutputFormat { Pushpin, Gpx, Kml, GeoJson, Csv, Svg, Statistics };

class TrackStatistics;
class TrackWriter;
struct WriterSettings;

struct FormatRow {
  OutputFormat Format;
  std::string_view Name;       // as the command line takes it; empty when it has none
  std::string_view Extension;  // of the file written
  std::string_view Summary;    // what the file holds, in a few words
  std::string_view TypeName;   // in a list of file types to save as; empty when it is none
  std::unique_ptr<TrackWriter> (*MakeWriter)(const WriterSettings& settings);
};

// Every format, those with names in the order the usage text lists them.
std::span<const FormatRow> FormatRows();
const FormatRow& RowOf(OutputFormat format);

std::optional<OutputFormat> FindFormat(std::string_view name);
// The format whose extension a file's name ends in, in any case, if any.
std::optional<OutputFormat> FormatOfFileName(std::string_view fileName);
std::string_view FormatExtension(OutputFormat format);

}  // namespace conversion
