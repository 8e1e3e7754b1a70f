#include "conversion/formats/map_point.hpp"
#include "conversion/formats/markup_text.hpp"
#include "conversion/formats/track_writer.hpp"

namespace conversion {

namespace {

// GPX 1.1: one track, a track point per record, in one segment or more.
class GpxWriter final : public MapWriter {
 public:
  using MapWriter::MapWriter;

  bool Header(std::string& out) override {
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<gpx version=\"1.1\" creator=\"pinwell\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
           "xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v2\">\n<trk>\n";
    AppendXmlName(out, Title());
    out += "<trkseg>\n";
    return true;
  }

  bool Finish(std::string& out, OutputFile&) override {
    out += "</trkseg>\n</trk>\n</gpx>\n";
    return true;
  }

  void StartSegment(std::string& out) override { out += "</trkseg>\n<trkseg>\n"; }

 private:
  void Point(const MapPoint& p, std::string& out) override {
    Put(out, "<trkpt lat=\"", p.Latitude.View(), "\" lon=\"", p.Longitude.View(), "\">");
    if (!p.Altitude.Empty()) Put(out, "<ele>", p.Altitude.View(), "</ele>");
    if (!p.Time.Empty()) Put(out, "<time>", p.Time.View(), "</time>");
    Put(out, "<name>Pt", p.Number.View(), "</name>");
    if (!p.Satellites.Empty()) Put(out, "<sat>", p.Satellites.View(), "</sat>");
    // GPX 1.1 has no speed or course of its own; GPS programs read them from
    // this extension, speed in metres per second.
    if (!p.SpeedKmh.Empty() || !p.Course.Empty()) {
      out += "<extensions><gpxtpx:TrackPointExtension>";
      if (!p.SpeedKmh.Empty()) Put(out, "<gpxtpx:speed>", p.SpeedMetresPerSecond.View(), "</gpxtpx:speed>");
      if (!p.Course.Empty()) Put(out, "<gpxtpx:course>", p.Course.View(), "</gpxtpx:course>");
      out += "</gpxtpx:TrackPointExtension></extensions>";
    }
    out += "</trkpt>\n";
  }
};

}  // namespace

std::unique_ptr<TrackWriter> MakeGpxWriter(const WriterSettings& settings) {
  return std::make_unique<GpxWriter>(settings.LogName);
}

}  // namespace conversion
