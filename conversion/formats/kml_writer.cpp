#include "conversion/formats/map_point.hpp"
#include "conversion/formats/markup_text.hpp"
#include "conversion/formats/track_line.hpp"
#include "conversion/formats/track_writer.hpp"

namespace conversion {

namespace {

// The track as one line, or with segments as a line of parts, each a line
// of its own in one geometry.
constexpr LineSyntax OneLine{
    .Opening = "<Placemark>\n<name>Track</name>\n<LineString>\n<tessellate>1</tessellate>\n<coordinates>\n",
    .Closing = "</coordinates>\n</LineString>\n</Placemark>\n",
    .PointClosing = "\n",
};
constexpr LineSyntax LineOfParts{
    .Opening = "<Placemark>\n<name>Track</name>\n<MultiGeometry>\n",
    .Closing = "</MultiGeometry>\n</Placemark>\n",
    .PartOpening = "<LineString>\n<tessellate>1</tessellate>\n<coordinates>\n",
    .PartClosing = "</coordinates>\n</LineString>\n",
    .PointClosing = "\n",
};

// KML 2.2: a folder of point placemarks, then the track as a line.
class KmlWriter final : public MapWriter {
 public:
  KmlWriter(std::string_view logName, bool segments) : MapWriter(logName), line_(segments ? LineOfParts : OneLine) {}

  bool Header(std::string& out) override {
    if (!line_.Open()) return Fail(line_.Reason());
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n";
    AppendXmlName(out, Title());
    out += "<Folder>\n<name>Points</name>\n";
    return true;
  }

  bool Finish(std::string& out, OutputFile& output) override {
    out += "</Folder>\n";
    if (!line_.Write(out, output)) return Fail(line_.Reason());
    out += "</Document>\n</kml>\n";
    return true;
  }

 private:
  void Point(const MapPoint& p, std::string& out) override {
    Put(out, "<Placemark><name>Pt", p.Number.View(), "</name>");
    if (!p.Time.Empty()) Put(out, "<TimeStamp><when>", p.Time.View(), "</when></TimeStamp>");
    out += "<ExtendedData>";
    for (const NamedValue& value : PointValues) {
      if ((p.*value.Value).Empty()) continue;
      Put(out, "<Data name=\"", value.Name, "\"><value>", (p.*value.Value).View(), "</value></Data>");
    }
    Put(out, "</ExtendedData><Point><coordinates>", p.Longitude.View(), ",", p.Latitude.View());
    if (!p.Altitude.Empty()) Put(out, ",", p.Altitude.View());
    out += "</coordinates></Point></Placemark>\n";
    line_.Add(p);
  }

  void StartSegment(std::string&) override { line_.Break(); }

  TrackLine line_;
};

}  // namespace

std::unique_ptr<TrackWriter> MakeKmlWriter(const WriterSettings& settings) {
  return std::make_unique<KmlWriter>(settings.LogName, settings.Segments);
}

}  // namespace conversion
