#include "conversion/formats/output_format.hpp"

#include <array>

#include "conversion/formats/track_writer.hpp"
#include "text/text_utilities.hpp"

namespace conversion {

std::unique_ptr<TrackWriter> MakePushpinWriter(const WriterSettings& settings);
std::unique_ptr<TrackWriter> MakeGpxWriter(const WriterSettings& settings);
std::unique_ptr<TrackWriter> MakeKmlWriter(const WriterSettings& settings);
std::unique_ptr<TrackWriter> MakeGeoJsonWriter(const WriterSettings& settings);
std::unique_ptr<TrackWriter> MakeCsvWriter(const WriterSettings& settings);
std::unique_ptr<TrackWriter> MakePictureWriter(const WriterSettings& settings);
std::unique_ptr<TrackWriter> MakeStatisticsWriter(const WriterSettings& settings);

namespace {

// Name, extension, summary, type name, count name; writes a file, segments,
// on the earth only, any dot an extension; writer.
constexpr FormatRow Rows[] = {
    {OutputFormat::Pushpin, "pushpin", ".txt", "pushpin text file for the mapping programs", "Pushpin text", "",
     true, false, false, true, MakePushpinWriter},
    {OutputFormat::Gpx, "gpx", ".gpx", "GPX 1.1 track for GPS programs", "GPX track", "GPX track", true, true, true,
     false, MakeGpxWriter},
    {OutputFormat::Kml, "kml", ".kml", "KML 2.2 track and points for virtual globes", "KML", "KML", true, true, true,
     false, MakeKmlWriter},
    {OutputFormat::GeoJson, "geojson", ".geojson", "GeoJSON track and points for GIS and web maps", "GeoJSON",
     "GeoJSON", true, true, true, false, MakeGeoJsonWriter},
    {OutputFormat::Csv, "csv", ".csv", "one row per point for spreadsheets", "CSV", "CSV", true, true, true, false,
     MakeCsvWriter},
    {OutputFormat::Svg, "svg", ".svg", "a picture of the track, to scale, with its statistics", "Track picture",
     "Track picture", true, true, true, false, MakePictureWriter},
    {OutputFormat::Statistics, "", "", "what the track holds, summed up", "", "", false, true, true, false,
     MakeStatisticsWriter},
};

}  // namespace

std::span<const FormatRow> FormatRows() { return Rows; }

const FormatRow& RowOf(OutputFormat format) {
  for (const FormatRow& row : Rows)
    if (row.Format == format) return row;
  return Rows[0];
}

std::optional<OutputFormat> FindFormat(std::string_view name) {
  for (const FormatRow& row : Rows)
    if (!row.Name.empty() && row.Name == name) return row.Format;
  return std::nullopt;
}

std::optional<OutputFormat> FormatOfFileName(std::string_view fileName) {
  for (const FormatRow& row : Rows) {
    if (row.Extension.empty() || fileName.size() < row.Extension.size()) continue;
    if (text::SameIgnoringCase(fileName.substr(fileName.size() - row.Extension.size()), row.Extension))
      return row.Format;
  }
  return std::nullopt;
}

std::string_view FormatExtension(OutputFormat format) { return RowOf(format).Extension; }

}  // namespace conversion
