#include "conversion/formats/map_point.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "conversion/formats/markup_text.hpp"
#include "conversion/formats/number_fields.hpp"
#include "conversion/formats/track_statistics.hpp"

namespace conversion {

namespace {

// Rounded to the decimals; adding 0 makes a negative zero (a blank
// hemisphere at 0) plain 0.
NumberText Fixed(double value, int decimals) {
  NumberText text;
  text.SetEnd(WriteDecimals(text.End(), text.End() + NumberText::Capacity, value, decimals));
  return text;
}

// The shortest decimal that reads back as the float: 545.4 and not 545.400024.
// Always with a point, so that readers guessing a column's type from its
// first values do not take a measure for a count.
NumberText Shortest(float value) {
  NumberText text;
  if (!std::isfinite(value)) return text;
  char* const first = text.End();
  char* end = WriteShortest(first, first + NumberText::Capacity - 2, value);
  if (std::find(first, end, '.') == end) end = std::copy_n(".0", 2, end);
  text.SetEnd(end);
  return text;
}

NumberText Integer(long long value) {
  NumberText text;
  text.SetEnd(std::to_chars(text.End(), text.End() + NumberText::Capacity, value).ptr);
  return text;
}

// A course as a bearing from 0 up to but not including 360: receivers write
// north as 360 too, and some a course below 0.
float Bearing(float course) {
  double bearing = std::fmod(static_cast<double>(course), 360.0);
  if (bearing < 0) bearing += 360;
  // A hair below 0 comes back as 360 in a float.
  const auto rounded = static_cast<float>(bearing);
  return rounded >= 360 ? 0 : rounded;
}

}  // namespace

MapWriter::MapWriter(std::string_view logName, TimeZone zone) : title_(LogTitle(logName)), zone_(std::move(zone)) {}

void MapWriter::Record(const TrackRecord& record, std::string& out) {
  const FixState& fix = record.Fix;
  const TrackPoint track = PointOf(record);
  MapPoint point;
  point.Number = Integer(record.Number);
  point.Latitude = Fixed(track.Latitude, 6);
  point.Longitude = Fixed(track.Longitude, 6);
  // One meridian, and GPX takes only the western name of it.
  if (point.Longitude.View() == "180.000000") point.Longitude = Fixed(-180, 6);
  if (track.SecondsOfDay) {
    // A zone's offset needs the day, without which no time is written anyway.
    const std::optional<ZonedTime> zoned = InZone(zone_, track.Day, *track.SecondsOfDay);
    const std::optional<TimeText> time =
        zoned && zoned->Day ? IsoTimeText(*zoned->Day, zoned->SecondsOfDay, zoned->Offset) : std::nullopt;
    if (time) point.Time = *time;
    else ++(track.Day ? pointsPastLastDate_ : undatedPoints_);
  }
  const bool altitudeInRange = std::abs(fix.Altitude) <= MostAltitudeMetres;
  if (fix.AltitudeGiven && altitudeInRange) point.Altitude = Shortest(fix.Altitude);
  const bool speedInRange = !(fix.SpeedKmh > MostSpeedKmh) && !std::isnan(fix.SpeedKmh);
  valuesOutOfRange_ += (fix.AltitudeGiven && !altitudeInRange ? 1 : 0) + (fix.SpeedGiven && !speedInRange ? 1 : 0);
  if (track.SpeedKmh) {
    point.SpeedKmh = Shortest(fix.SpeedKmh);
    if (!point.SpeedKmh.Empty()) point.SpeedMetresPerSecond = Fixed(fix.SpeedKmh / 3.6, 2);
  }
  if (fix.CourseGiven) point.Course = Shortest(Bearing(fix.Course));
  if (fix.SatelliteCount > 0) point.Satellites = Integer(fix.SatelliteCount);
  Point(point, out);
  ++points_;
}

}  // namespace conversion
