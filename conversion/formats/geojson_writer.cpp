#include "conversion/formats/map_point.hpp"
#include "conversion/formats/markup_text.hpp"
#include "conversion/formats/track_line.hpp"
#include "conversion/formats/track_writer.hpp"

namespace conversion {

namespace {

constexpr std::string_view LineProperties = "]},\"properties\":{\"name\":\"Track\"}}";

// The track as a line string; with segments, or cut at the antimeridian
// (RFC 7946, 3.1.9), as a multi-line string.
constexpr std::string_view MultiLineOpening =
    ",\n{\"type\":\"Feature\",\"geometry\":{\"type\":\"MultiLineString\",\"coordinates\":[";
constexpr LineSyntax OneLine{
    .Opening = MultiLineOpening,
    .Closing = LineProperties,
    .OnePartOpening = ",\n{\"type\":\"Feature\",\"geometry\":{\"type\":\"LineString\",\"coordinates\":",
    .OnePartClosing = "},\"properties\":{\"name\":\"Track\"}}",
    .CutAtAntimeridian = true,
    .PartOpening = "[",
    .PartClosing = "]",
    .PartSeparator = ",",
    .PointOpening = "[",
    .PointClosing = "]",
    .PointSeparator = ",",
};
constexpr LineSyntax LineOfParts{
    .Opening = MultiLineOpening,
    .Closing = LineProperties,
    .CutAtAntimeridian = true,
    .PartOpening = "[",
    .PartClosing = "]",
    .PartSeparator = ",",
    .PointOpening = "[",
    .PointClosing = "]",
    .PointSeparator = ",",
};

// GeoJSON (RFC 7946): a feature collection of points with their values as
// properties, then the track as a line.
class GeoJsonWriter final : public MapWriter {
 public:
  GeoJsonWriter(std::string_view logName, bool segments)
      : MapWriter(logName), line_(segments ? LineOfParts : OneLine) {}

  bool Header(std::string& out) override {
    if (!line_.Open()) return Fail(line_.Reason());
    out += "{\"type\":\"FeatureCollection\",";
    if (!Title().empty()) {
      out += "\"name\":";
      AppendJsonString(out, Title());
      out += ',';
    }
    out += "\"features\":[\n";
    return true;
  }

  bool Finish(std::string& out, OutputFile& output) override {
    if (!line_.Write(out, output)) return Fail(line_.Reason());
    out += "\n]}\n";
    return true;
  }

 private:
  void Point(const MapPoint& p, std::string& out) override {
    const bool first = Points() == 0;
    if (!first) out += ",\n";
    Put(out, "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[", p.Longitude.View(), ",",
        p.Latitude.View(), "]},\"properties\":{\"name\":\"Pt", p.Number.View(), "\"");
    if (!p.Time.Empty()) Put(out, ",\"time\":\"", p.Time.View(), "\"");
    for (const NamedValue& value : PointValues) {
      if ((p.*value.Value).Empty()) continue;
      Put(out, ",\"", value.Name, "\":", (p.*value.Value).View());
    }
    out += "}}";
    line_.Add(p);
  }

  void StartSegment(std::string&) override { line_.Break(); }

  TrackLine line_;
};

}  // namespace

std::unique_ptr<TrackWriter> MakeGeoJsonWriter(const WriterSettings& settings) {
  return std::make_unique<GeoJsonWriter>(settings.LogName, settings.Segments);
}

}  // namespace conversion
