#include "conversion/formats/map_output.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>

#include "conversion/constants.hpp"
#include "conversion/files/system_files.hpp"
#include "conversion/formats/markup_text.hpp"
#include "conversion/reading/comma_fields.hpp"
#include "conversion/reading/number_reading.hpp"

namespace conversion {

namespace {

// A number as the map formats write it; empty when the log lacks the value.
struct NumberText {
  std::array<char, 64> Bytes{};  // the longest float in full
  std::size_t Length = 0;
  std::string_view View() const { return {Bytes.data(), Length}; }
  bool Empty() const { return Length == 0; }
};

// Rounded to the decimals; adding 0 makes a negative zero (a blank
// hemisphere at 0) plain 0.
NumberText Fixed(double value, int decimals) {
  NumberText text;
  const auto end = std::to_chars(text.Bytes.data(), text.Bytes.data() + text.Bytes.size(), value + 0.0,
                                 std::chars_format::fixed, decimals);
  text.Length = static_cast<std::size_t>(end.ptr - text.Bytes.data());
  return text;
}

// The shortest decimal that reads back as the float: 545.4 and not 545.400024.
// Always with a point, so that readers guessing a column's type from its
// first values do not take a measure for a count.
NumberText Shortest(float value) {
  NumberText text;
  if (!std::isfinite(value)) return text;
  char* const first = text.Bytes.data();
  char* end = std::to_chars(first, first + text.Bytes.size() - 2, value + 0.0f, std::chars_format::fixed).ptr;
  if (std::find(first, end, '.') == end) end = std::copy_n(".0", 2, end);
  text.Length = static_cast<std::size_t>(end - first);
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

NumberText Integer(long long value) {
  NumberText text;
  const auto end = std::to_chars(text.Bytes.data(), text.Bytes.data() + text.Bytes.size(), value);
  text.Length = static_cast<std::size_t>(end.ptr - text.Bytes.data());
  return text;
}

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

// Whether the field holds a number as the $GPVTG decoder reads it: blanks
// before it, up to a blank or "/".
bool HasNumber(std::string_view field) {
  field.remove_prefix(std::min(field.find_first_not_of(' '), field.size()));
  field = field.substr(0, field.find_first_of(" /"));
  float unused = 0;
  return !field.empty() && ReadReal(field, unused);
}

bool HasText(std::string_view field) { return field.find_first_not_of(' ') != std::string_view::npos; }

// Seconds since midnight of the fix's time; negative when it is no time of day.
double SecondsOfDay(const FixState& fix) {
  const bool valid = fix.Hours >= 0 && fix.Hours < 24 && fix.Minutes >= 0 && fix.Minutes < 60 &&
                     fix.Seconds >= 0 && fix.Seconds < 60;
  return valid ? fix.Hours * 3600.0 + fix.Minutes * 60.0 + fix.Seconds : -1;
}

template <typename... Pieces>
void Put(std::string& out, const Pieces&... pieces) {
  (out.append(std::string_view(pieces)), ...);
}

void GpxPoint(const MapPoint& p, std::string& out) {
  Put(out, "<trkpt lat=\"", p.Latitude.View(), "\" lon=\"", p.Longitude.View(), "\">");
  if (!p.Altitude.Empty()) Put(out, "<ele>", p.Altitude.View(), "</ele>");
  if (p.Time.Length > 0) Put(out, "<time>", p.Time.View(), "</time>");
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

void KmlPoint(const MapPoint& p, std::string& out) {
  Put(out, "<Placemark><name>Pt", p.Number.View(), "</name>");
  if (p.Time.Length > 0) Put(out, "<TimeStamp><when>", p.Time.View(), "</when></TimeStamp>");
  out += "<ExtendedData>";
  for (const NamedValue& value : PointValues) {
    if ((p.*value.Value).Empty()) continue;
    Put(out, "<Data name=\"", value.Name, "\"><value>", (p.*value.Value).View(), "</value></Data>");
  }
  Put(out, "</ExtendedData><Point><coordinates>", p.Longitude.View(), ",", p.Latitude.View());
  if (!p.Altitude.Empty()) Put(out, ",", p.Altitude.View());
  out += "</coordinates></Point></Placemark>\n";
}

void GeoJsonPoint(const MapPoint& p, std::string& out) {
  Put(out, "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[", p.Longitude.View(), ",",
      p.Latitude.View(), "]},\"properties\":{\"name\":\"Pt", p.Number.View(), "\"");
  if (p.Time.Length > 0) Put(out, ",\"time\":\"", p.Time.View(), "\"");
  for (const NamedValue& value : PointValues) {
    if ((p.*value.Value).Empty()) continue;
    Put(out, ",\"", value.Name, "\":", (p.*value.Value).View());
  }
  out += "}}";
}

void CsvHeader(std::string& out) {
  out += "name,time,latitude,longitude";
  for (const NamedValue& value : PointValues) Put(out, ",", value.Name);
  out += "\r\n";
}

void CsvPoint(const MapPoint& p, std::string& out) {
  Put(out, "Pt", p.Number.View(), ",", p.Time.View(), ",", p.Latitude.View(), ",", p.Longitude.View());
  for (const NamedValue& value : PointValues) Put(out, ",", (p.*value.Value).View());
  out += "\r\n";
}

// One point of the track line: longitude, then latitude.
void SpoolCoordinate(SpoolFile& track, std::string_view before, const MapPoint& p, std::string_view after) {
  for (const std::string_view piece : {before, p.Longitude.View(), std::string_view(","), p.Latitude.View(), after})
    track.Write(piece);
}

void XmlName(std::string& out, std::string_view name) {
  if (name.empty()) return;
  out += "<name>";
  AppendXmlText(out, name);
  out += "</name>\n";
}

std::string FileName(std::string_view logName) {
  if (logName == StandardStreamName) return {};
  return Utf8Text(NameOf(PathOf(logName).filename()));
}

}  // namespace

MapOutput::MapOutput(const FormatOptions& options, std::string_view logName)
    : format_(options.Format), name_(FileName(logName)), days_(options.FirstDay), statistics_(options.Statistics) {}

bool MapOutput::Open() {
  if (format_ == OutputFormat::Svg) {
    if (picture_.Open()) return true;
    reason_ = picture_.Reason();
    return false;
  }
  if (format_ != OutputFormat::Kml && format_ != OutputFormat::GeoJson) return true;
  if (track_.Open()) return true;
  reason_ = track_.Reason();
  return false;
}

void MapOutput::Header(std::string& out) {
  switch (format_) {
    case OutputFormat::Gpx:
      out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<gpx version=\"1.1\" creator=\"pinwell\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
             "xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v2\">\n<trk>\n";
      XmlName(out, name_);
      out += "<trkseg>\n";
      break;
    case OutputFormat::Kml:
      out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n";
      XmlName(out, name_);
      out += "<Folder>\n<name>Points</name>\n";
      break;
    case OutputFormat::GeoJson:
      out += "{\"type\":\"FeatureCollection\",";
      if (!name_.empty()) {
        out += "\"name\":";
        AppendJsonString(out, name_);
        out += ',';
      }
      out += "\"features\":[\n";
      break;
    case OutputFormat::Csv:
      CsvHeader(out);
      break;
    case OutputFormat::Pushpin:
    case OutputFormat::Svg:
    case OutputFormat::Statistics:
      break;
  }
}

void MapOutput::NoteVtg(std::string_view line) {
  const auto fields = CommaFields<8>(line);
  courseLogged_ = HasNumber(fields[1]);
  speedLogged_ = HasNumber(fields[7]);
}

void MapOutput::NoteGga(std::string_view line) {
  const auto fields = CommaFields<10>(line);
  timeLogged_ = HasText(fields[1]);
  altitudeLogged_ = HasText(fields[9]);
}

TrackPoint MapOutput::Track(const FixState& fix) {
  TrackPoint track;
  track.Latitude = PreciseLatitude(fix);
  track.Longitude = PreciseLongitude(fix);
  if (const double seconds = SecondsOfDay(fix); timeLogged_ && seconds >= 0) {
    track.SecondsOfDay = seconds;
    track.Day = days_.DayOf(seconds);
  }
  // A negative speed is no speed at all.
  if (speedLogged_ && fix.SpeedKmh >= 0 && std::isfinite(fix.SpeedKmh)) track.SpeedKmh = fix.SpeedKmh;
  return track;
}

void MapOutput::Record(long long n, const FixState& fix, std::string& out) {
  const TrackPoint track = Track(fix);
  if (format_ == OutputFormat::Statistics) {
    if (statistics_ != nullptr) statistics_->Add(track);
    return;
  }
  if (format_ == OutputFormat::Svg) {
    picture_.Add(track);
    return;
  }
  MapPoint point;
  point.Number = Integer(n);
  point.Latitude = Fixed(track.Latitude, 6);
  point.Longitude = Fixed(track.Longitude, 6);
  // One meridian, and GPX takes only the western name of it.
  if (point.Longitude.View() == "180.000000") point.Longitude = Fixed(-180, 6);
  if (track.SecondsOfDay) {
    const std::optional<TimeText> time = track.Day ? UtcTimeText(*track.Day, *track.SecondsOfDay) : std::nullopt;
    if (time) point.Time = *time;
    else ++undatedPoints_;
  }
  if (altitudeLogged_) point.Altitude = Shortest(fix.Altitude);
  if (track.SpeedKmh) {
    point.SpeedKmh = Shortest(fix.SpeedKmh);
    if (!point.SpeedKmh.Empty()) point.SpeedMetresPerSecond = Fixed(fix.SpeedKmh / 3.6, 2);
  }
  if (courseLogged_) point.Course = Shortest(Bearing(fix.Course));
  if (fix.SatelliteCount > 0) point.Satellites = Integer(fix.SatelliteCount);

  const bool first = points_++ == 0;
  switch (format_) {
    case OutputFormat::Gpx:
      GpxPoint(point, out);
      break;
    case OutputFormat::Kml:
      KmlPoint(point, out);
      SpoolCoordinate(track_, "", point, "\n");
      break;
    case OutputFormat::GeoJson:
      if (!first) out += ",\n";
      GeoJsonPoint(point, out);
      SpoolCoordinate(track_, first ? "[" : ",[", point, "]");
      break;
    case OutputFormat::Csv:
      CsvPoint(point, out);
      break;
    case OutputFormat::Pushpin:
    case OutputFormat::Svg:
    case OutputFormat::Statistics:
      break;
  }
}

bool MapOutput::Finish(std::string& out, OutputFile& output) {
  const bool track = points_ >= 2;  // a line needs two points
  auto appendTrack = [&](std::string_view before, std::string_view after) {
    if (!track) return true;
    out += before;
    if (!output.Write(out)) {
      reason_ = output.Reason();
      return false;
    }
    out.clear();
    const bool written = track_.ReadBack([&](std::string_view block) { return output.Write(block); });
    if (!written) {
      reason_ = track_.Reason().empty() ? output.Reason() : track_.Reason();
      return false;
    }
    out += after;
    return true;
  };
  switch (format_) {
    case OutputFormat::Gpx:
      out += "</trkseg>\n</trk>\n</gpx>\n";
      return true;
    case OutputFormat::Kml:
      out += "</Folder>\n";
      if (!appendTrack("<Placemark>\n<name>Track</name>\n<LineString>\n<tessellate>1</tessellate>\n<coordinates>\n",
                       "</coordinates>\n</LineString>\n</Placemark>\n"))
        return false;
      out += "</Document>\n</kml>\n";
      return true;
    case OutputFormat::GeoJson:
      if (!appendTrack(",\n{\"type\":\"Feature\",\"geometry\":{\"type\":\"LineString\",\"coordinates\":[",
                       "]},\"properties\":{\"name\":\"Track\"}}"))
        return false;
      out += "\n]}\n";
      return true;
    case OutputFormat::Svg:
      if (picture_.Finish(name_, out, output)) return true;
      reason_ = picture_.Reason();
      return false;
    case OutputFormat::Csv:
    case OutputFormat::Pushpin:
    case OutputFormat::Statistics:
      return true;
  }
  return true;
}

}  // namespace conversion
