#pragma once
// The kinds of file a conversion writes: the pushpin text file, the map
// formats today's GPS and GIS programs read, and a picture of the track. One
// table holds each format's rules and makes its writer; a new format is its
// writer and its row, and the programs, their usage and their help follow.

#include <memory>
#include <optional>
#include <span>
#include <string_view>

namespace conversion {

// Statistics writes no file: the kept records are summed up in the
// statistics the request points to. It has no name of its own, being asked
// for by --stats rather than as a format.
enum class OutputFormat { Pushpin, Gpx, Kml, GeoJson, Csv, Svg, Statistics };

// What Save writes, the first type Save As offers, and the command line's
// format unless another is named.
inline constexpr OutputFormat DefaultFormat = OutputFormat::Pushpin;

class TrackWriter;
struct WriterSettings;

struct FormatRow {
  OutputFormat Format;
  std::string_view Name;       // as the command line takes it; empty when it has none
  std::string_view Extension;  // of the file written
  std::string_view Summary;    // what the file holds, in a few words, for the usage and the manual
  std::string_view TypeName;   // in a list of file types to save as; empty when it is none
  // How the desktop program's count line names what it wrote ("73 records
  // written as GPX track."); empty to name nothing.
  std::string_view CountName;
  bool WritesFile;        // false: the records are only summed up
  bool Segments;          // the track may break into segments at gaps
  bool EarthOnly;         // its readers reject positions beyond the earth's ranges, so they are left out
  // A name with a dot anywhere, even in a folder's name, counts as having
  // its extension already (the pushpin file's rule of old); otherwise only
  // a dot in the file's own name does.
  bool AnyDotIsExtension;
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
