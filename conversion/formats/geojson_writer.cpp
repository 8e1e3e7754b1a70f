#include "conversion/formats/map_point.hpp"
#include "conversion/formats/markup_text.hpp"
#include "conversion/formats/track_line.hpp"
#include "conversion/formats/writers.hpp"

namespace conversion {

namespace {

// GeoJSON (RFC 7946): a feature collection of points with their values as
// properties, then the track as a line.
class GeoJsonWriter final : public MapWriter {
 public:
  using MapWriter::MapWriter;

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
    if (!line_.Write(",\n{\"type\":\"Feature\",\"geometry\":{\"type\":\"LineString\",\"coordinates\":[",
                     "]},\"properties\":{\"name\":\"Track\"}}", out, output))
      return Fail(line_.Reason());
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
    line_.Add(first ? "[" : ",[", p, "]");
  }

  TrackLine line_;
};

}  // namespace

std::unique_ptr<TrackWriter> MakeGeoJsonWriter(const WriterSettings& settings) {
  return std::make_unique<GeoJsonWriter>(settings.LogName);
}

}  // namespace conversion
