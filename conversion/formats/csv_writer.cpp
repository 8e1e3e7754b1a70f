#include "conversion/formats/map_point.hpp"
#include "conversion/formats/writers.hpp"

namespace conversion {

namespace {

// CSV (RFC 4180): a row of column names, then a row per point, CR LF.
class CsvWriter final : public MapWriter {
 public:
  using MapWriter::MapWriter;

  bool Header(std::string& out) override {
    out += "name,time,latitude,longitude";
    for (const NamedValue& value : PointValues) Put(out, ",", value.Name);
    out += "\r\n";
    return true;
  }

  bool Finish(std::string&, OutputFile&) override { return true; }

 private:
  void Point(const MapPoint& p, std::string& out) override {
    Put(out, "Pt", p.Number.View(), ",", p.Time.View(), ",", p.Latitude.View(), ",", p.Longitude.View());
    for (const NamedValue& value : PointValues) Put(out, ",", (p.*value.Value).View());
    out += "\r\n";
  }
};

}  // namespace

std::unique_ptr<TrackWriter> MakeCsvWriter(const WriterSettings& settings) {
  return std::make_unique<CsvWriter>(settings.LogName);
}

}  // namespace conversion
