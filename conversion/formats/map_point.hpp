#pragma once
// The map formats (GPX, KML, GeoJSON, CSV): one point per record, in the
// order the records fall due, each with what the log gives for it and
// nothing it lacks.

#include <array>
#include <string>
#include <string_view>

#include "conversion/formats/track_writer.hpp"
#include "conversion/reading/fix_date.hpp"
#include "text/inline_text.hpp"

namespace conversion {

// A number as the map formats write it; empty when the log lacks the value.
using NumberText = text::InlineText<64>;  // the longest float in full

struct MapPoint {
  NumberText Number;
  NumberText Latitude;
  NumberText Longitude;
  TimeText Time;  // empty without a time
  NumberText Altitude;
  NumberText SpeedKmh;
  NumberText SpeedMetresPerSecond;
  NumberText Course;
  NumberText Satellites;
};

// The values every format but GPX writes under these names, in this order.
struct NamedValue {
  std::string_view Name;
  NumberText MapPoint::*Value;
};
constexpr std::array<NamedValue, 4> PointValues{{
    {"altitude_m", &MapPoint::Altitude},
    {"speed_kmh", &MapPoint::SpeedKmh},
    {"course", &MapPoint::Course},
    {"satellites", &MapPoint::Satellites},
}};

// The pieces one after the other.
template <typename... Pieces>
void Put(std::string& out, const Pieces&... pieces) {
  (out.append(std::string_view(pieces)), ...);
}

class MapWriter : public TrackWriter {
 public:
  // The times in the zone, for a format people read.
  explicit MapWriter(std::string_view logName, TimeZone zone = {});
  void Record(const TrackRecord& record, std::string& out) final;
  long long UndatedPoints() const final { return undatedPoints_; }
  long long PointsPastLastDate() const final { return pointsPastLastDate_; }
  long long ValuesOutOfRange() const final { return valuesOutOfRange_; }

 protected:
  virtual void Point(const MapPoint& point, std::string& out) = 0;

  // The log's file name, UTF-8; empty for standard input.
  const std::string& Title() const { return title_; }
  // The points written before this one.
  long long Points() const { return points_; }

 private:
  std::string title_;
  TimeZone zone_;
  long long points_ = 0;
  long long undatedPoints_ = 0;
  long long pointsPastLastDate_ = 0;
  long long valuesOutOfRange_ = 0;
};

}  // namespace conversion
