#include <charconv>

#include "conversion/formats/map_point.hpp"
#include "conversion/formats/track_writer.hpp"

namespace conversion {

namespace {

// CSV (RFC 4180): a row of column names, then a row per point, CR LF. A
// track in segments numbers them in a last column, from 1.
class CsvWriter final : public MapWriter {
 public:
  CsvWriter(std::string_view logName, bool segments, TimeZone zone)
      : MapWriter(logName, std::move(zone)), segments_(segments) {}

  bool Header(std::string& out) override {
    out += "name,time,latitude,longitude";
    for (const NamedValue& value : PointValues) Put(out, ",", value.Name);
    if (segments_) out += ",segment";
    out += "\r\n";
    return true;
  }

  void StartSegment(std::string&) override { ++segment_; }

  bool Finish(std::string&, OutputFile&) override { return true; }

 private:
  void Point(const MapPoint& p, std::string& out) override {
    Put(out, "Pt", p.Number.View(), ",", p.Time.View(), ",", p.Latitude.View(), ",", p.Longitude.View());
    for (const NamedValue& value : PointValues) Put(out, ",", (p.*value.Value).View());
    if (segments_) {
      char number[24] = {','};
      out.append(number, std::to_chars(number + 1, number + sizeof number, segment_).ptr);
    }
    out += "\r\n";
  }

  bool segments_;
  long long segment_ = 1;
};

}  // namespace

std::unique_ptr<TrackWriter> MakeCsvWriter(const WriterSettings& settings) {
  return std::make_unique<CsvWriter>(settings.LogName, settings.Segments, settings.Zone);
}

}  // namespace conversion
