#include "conversion/formats/statistics_figures.hpp"

#include <charconv>
#include <cmath>

#include "conversion/formats/markup_text.hpp"
#include "conversion/reading/fix_date.hpp"

namespace conversion {

namespace {

std::string Decimals(double value, int decimals) {
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, value + 0.0, std::chars_format::fixed, decimals).ptr;
  return {text, end};
}

// The fewest decimals up to `decimals`: 3600 s, 0.25 s.
std::string Trimmed(double value, int decimals) {
  std::string text = Decimals(value, decimals);
  if (text.find('.') == std::string::npos) return text;
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

// "1:02:03"; hours beyond a day go on counting.
std::string Duration(double seconds) {
  const long long whole = std::llround(seconds);
  std::string text = std::to_string(whole / 3600);
  for (const long long part : {whole / 60 % 60, whole % 60}) {
    text += ':';
    text += static_cast<char>('0' + part / 10);
    text += static_cast<char>('0' + part % 10);
  }
  return text;
}

std::string Speed(double kmh) {
  return Decimals(kmh, 1) + " km/h (" + Decimals(kmh / KmPerMile, 1) + " mph)";
}

std::string Coordinate(double degrees, char positive, char negative) {
  return Decimals(std::abs(degrees), 6) + " " + (degrees < 0 ? negative : positive);
}

// The time of day alone when the day is not known (or past what a date holds).
std::string IsoTime(const TrackPoint& point, const TimeZone& zone) {
  std::optional<ZonedTime> zoned = InZone(zone, point.Day, *point.SecondsOfDay);
  if (!zoned) zoned = InZone({}, point.Day, *point.SecondsOfDay);
  std::optional<TimeText> text =
      zoned->Day ? IsoTimeText(*zoned->Day, zoned->SecondsOfDay, zoned->Offset) : std::nullopt;
  const bool dated = text.has_value();
  if (!dated) text = IsoTimeText(0, zoned->SecondsOfDay, zoned->Offset);
  std::string_view view = text->View();
  if (!dated) view.remove_prefix(view.find('T') + 1);
  return std::string(view);
}

void Append(std::string& json, std::string_view key, const std::string& value, bool present = true) {
  json += ",\"";
  json += key;
  json += "\":";
  json += present ? value : "null";
}

}  // namespace

std::string TimeFigure(const TrackPoint& point, const TimeZone& zone) {
  std::string text = IsoTime(point, zone);
  if (const std::size_t t = text.find('T'); t != std::string::npos) text[t] = ' ';
  if (text.back() != 'Z') return text.insert(text.size() - 6, 1, ' ');
  text.back() = ' ';
  return text + "UTC";
}

// "5 without a fix, 2 beyond the maximum speed": what the options left out,
// empty when they left out nothing they could.
std::string DroppedFigure(const TrackStatistics& s) {
  std::string text;
  auto add = [&](long long count, std::string_view what) {
    text += (text.empty() ? "" : ", ") + std::to_string(count) + " " + std::string(what);
  };
  if (const auto notFixes = s.NotFixesDropped()) add(*notFixes, "without a fix");
  if (const auto outliers = s.OutliersDropped()) add(*outliers, "beyond the maximum speed");
  if (s.OffEarthDropped() > 0) add(s.OffEarthDropped(), "off the earth");
  return text;
}

std::vector<Figure> StatisticsFigures(const TrackStatistics& s, const TimeZone& zone) {
  std::vector<Figure> figures{{"Records", std::to_string(s.Records())}};
  if (std::string dropped = DroppedFigure(s); !dropped.empty()) figures.push_back({"Left out", std::move(dropped)});
  if (s.FirstTimed()) {
    if (!zone.IsUtc()) figures.push_back({"Time zone", zone.Name()});
    figures.push_back({"First fix", TimeFigure(*s.FirstTimed(), zone)});
    figures.push_back({"Last fix", TimeFigure(*s.LastTimed(), zone)});
    figures.push_back({"Duration", Duration(s.DurationSeconds())});
  }
  if (s.Records() > 0) {
    // Metres still show on a short track.
    const int decimals = s.DistanceKm() < 10 ? 3 : 2;
    figures.push_back({"Distance", Decimals(s.DistanceKm(), decimals) + " km (" +
                                       Decimals(s.DistanceKm() / KmPerMile, decimals) + " mi)"});
  }
  if (s.FirstTimed()) figures.push_back({"Moving time", Duration(s.MovingSeconds())});
  if (const auto average = s.AverageSpeedKmh()) figures.push_back({"Average speed", Speed(*average) + " moving"});
  if (const auto maximum = s.MaximumSpeedKmh()) {
    figures.push_back({"Maximum speed", Speed(*maximum) + (s.MaximumLogged() ? "" : " between fixes")});
  }
  if (const auto box = s.Box()) {
    figures.push_back({"Bounding box", Coordinate(box->South, 'N', 'S') + " to " + Coordinate(box->North, 'N', 'S') + ", " +
                                   Coordinate(box->West, 'E', 'W') + " to " + Coordinate(box->East, 'E', 'W')});
  }
  return figures;
}

std::string StatisticsJson(std::string_view logName, const TrackStatistics& s, const TimeZone& zone) {
  std::string json = "{\"log\":";
  AppendJsonString(json, logName);
  Append(json, "records", std::to_string(s.Records()));
  const auto count = [](const std::optional<long long>& value) { return std::to_string(value.value_or(0)); };
  Append(json, "left_out_without_fix", count(s.NotFixesDropped()), s.NotFixesDropped().has_value());
  Append(json, "left_out_beyond_speed", count(s.OutliersDropped()), s.OutliersDropped().has_value());
  Append(json, "left_out_off_earth", std::to_string(s.OffEarthDropped()));
  const bool timed = s.FirstTimed().has_value();
  const auto quoted = [](const std::string& text) { return "\"" + text + "\""; };
  if (!zone.IsUtc()) {
    json += ",\"time_zone\":";
    AppendJsonString(json, zone.Name());
  }
  // Scripts read a time as a full date-time or not at all: a time without
  // its day (an undated log, or a day past 9999-12-31) is null.
  const auto dateTime = [&](std::string_view key, const std::optional<TrackPoint>& point) {
    const std::string text = point ? IsoTime(*point, zone) : std::string();
    Append(json, key, quoted(text), text.find('T') != std::string::npos);
  };
  dateTime("first_time", s.FirstTimed());
  dateTime("last_time", s.LastTimed());
  Append(json, "duration_s", Trimmed(s.DurationSeconds(), 3), timed);
  Append(json, "distance_km", Trimmed(s.DistanceKm(), 3));
  Append(json, "distance_mi", Trimmed(s.DistanceKm() / KmPerMile, 3));
  Append(json, "moving_time_s", Trimmed(s.MovingSeconds(), 3), timed);
  const auto average = s.AverageSpeedKmh();
  Append(json, "average_speed_kmh", Trimmed(average.value_or(0), 2), average.has_value());
  const auto maximum = s.MaximumSpeedKmh();
  Append(json, "maximum_speed_kmh", Trimmed(maximum.value_or(0), 2), maximum.has_value());
  Append(json, "speed_logged", s.SpeedLogged() ? "true" : "false");
  const auto box = s.Box();
  if (box) {
    Append(json, "bounding_box",
           "{\"south\":" + Trimmed(box->South, 6) + ",\"west\":" + Trimmed(box->West, 6) + ",\"north\":" +
               Trimmed(box->North, 6) + ",\"east\":" + Trimmed(box->East, 6) + "}");
  } else {
    Append(json, "bounding_box", "", false);
  }
  return json + "}";
}

}  // namespace conversion
