#include "conversion/formats/output_format.hpp"

#include <array>

#include "conversion/formats/writers.hpp"

namespace conversion {

namespace {

constexpr std::array<FormatRow, 7> Rows{{
    {OutputFormat::Pushpin, "pushpin", ".txt", "pushpin text file for the mapping programs", MakePushpinWriter},
    {OutputFormat::Gpx, "gpx", ".gpx", "GPX 1.1 track for GPS programs", MakeGpxWriter},
    {OutputFormat::Kml, "kml", ".kml", "KML 2.2 track and points for virtual globes", MakeKmlWriter},
    {OutputFormat::GeoJson, "geojson", ".geojson", "GeoJSON track and points for GIS and web maps",
     MakeGeoJsonWriter},
    {OutputFormat::Csv, "csv", ".csv", "one row per point for spreadsheets", MakeCsvWriter},
    {OutputFormat::Svg, "svg", ".svg", "a picture of the track, to scale, with its statistics", MakePictureWriter},
    {OutputFormat::Statistics, "", "", "what the track holds, summed up", MakeStatisticsWriter},
}};

}  // namespace

std::span<const FormatRow> FormatRows() { return Rows; }

const FormatRow& RowOf(OutputFormat format) {
  for (const FormatRow& row : Rows)
    if (row.Format == format) return row;
  return Rows.front();
}

std::optional<OutputFormat> FindFormat(std::string_view name) {
  for (const FormatRow& row : Rows)
    if (!row.Name.empty() && row.Name == name) return row.Format;
  return std::nullopt;
}

std::string_view FormatExtension(OutputFormat format) { return RowOf(format).Extension; }

}  // namespace conversion
