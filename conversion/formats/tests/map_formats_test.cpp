#include <doctest/doctest.h>

#include <string>

#include "conversion/reading/fix_date.hpp"
#include "conversion/run/convert_log_file.hpp"
#include "conversion/tests/test_files.hpp"

using namespace conversion;
using namespace conversion_tests;

namespace {

// Two fixes of one epoch each: the first with everything, the second after a
// $GPVTG without a course and with a $GPGGA without altitude.
constexpr std::string_view TwoFixes =
    "$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47\n"
    "$GPRMC,123519.000,A,4807.0380,N,01131.0000,E,005.5,054.7,170503,,*6A\n"
    "$GPGSA,A,3,04,05,09,12,24,,,,,,,,2.5,1.3,2.1*39\n"
    "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\n"
    "$GPGGA,123520.250,3351.4080,S,00007.6560,W,1,08,0.9,,M,46.9,M,,*47\n"
    "$GPVTG,,T,,M,000.0,N,000.0,K*48\n";

struct MapRun {
  TempFolder Folder{"map"};
  std::string Log = Folder / "R&D trip.pgl";
  std::string Output = Folder / "out";

  ConversionResult Convert(std::string_view log, OutputFormat format, std::optional<long long> day = {}) {
    WriteFile(Log, log);
    return ConvertLogFile({.Logs = {Log}, .Output = Output, .Format = format, .Reading = {.FirstDay = day}});
  }
  std::string Text() const { return ReadFile(Output); }
};

// The times column of a CSV file, one time per row, blank when there is none.
std::string CsvTimes(const std::string& csv) {
  std::string times;
  for (std::size_t row = csv.find("\r\n") + 2; row < csv.size(); row = csv.find("\r\n", row) + 2) {
    const std::size_t start = csv.find(',', row) + 1;
    times += csv.substr(start, csv.find(',', start) - start) + " ";
  }
  return times;
}

std::string Gga(std::string_view time) {
  return "$GPGGA," + std::string(time) + ",4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47\n";
}

std::string Rmc(std::string_view time, std::string_view date, char status = 'A') {
  return "$GPRMC," + std::string(time) + "," + status + ",4807.0380,N,01131.0000,E,0.0,0.0," + std::string(date) +
         ",,*6A\n";
}

}  // namespace

TEST_CASE("The map formats, byte for byte") {
  MapRun run;
  SUBCASE("GPX") {
    REQUIRE(run.Convert(TwoFixes, OutputFormat::Gpx).Succeeded());
    CHECK(run.Text() ==
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<gpx version=\"1.1\" creator=\"pinwell\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
          "xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v2\">\n"
          "<trk>\n<name>R&amp;D trip.pgl</name>\n<trkseg>\n"
          "<trkpt lat=\"48.117300\" lon=\"11.516667\"><ele>545.4</ele><time>2003-05-17T12:35:19Z</time>"
          "<name>Pt1</name><sat>5</sat><extensions><gpxtpx:TrackPointExtension><gpxtpx:speed>2.83</gpxtpx:speed>"
          "<gpxtpx:course>54.7</gpxtpx:course></gpxtpx:TrackPointExtension></extensions></trkpt>\n"
          "<trkpt lat=\"-33.856800\" lon=\"-0.127600\"><time>2003-05-17T12:35:20.250Z</time><name>Pt2</name>"
          "<sat>8</sat><extensions><gpxtpx:TrackPointExtension><gpxtpx:speed>0.00</gpxtpx:speed>"
          "</gpxtpx:TrackPointExtension></extensions></trkpt>\n"
          "</trkseg>\n</trk>\n</gpx>\n");
  }
  SUBCASE("KML: the points in a folder, then the track") {
    REQUIRE(run.Convert(TwoFixes, OutputFormat::Kml).Succeeded());
    CHECK(run.Text() ==
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n<name>R&amp;D trip.pgl</name>\n"
          "<Folder>\n<name>Points</name>\n"
          "<Placemark><name>Pt1</name><TimeStamp><when>2003-05-17T12:35:19Z</when></TimeStamp><ExtendedData>"
          "<Data name=\"altitude_m\"><value>545.4</value></Data><Data name=\"speed_kmh\"><value>10.2</value></Data>"
          "<Data name=\"course\"><value>54.7</value></Data><Data name=\"satellites\"><value>5</value></Data>"
          "</ExtendedData><Point><coordinates>11.516667,48.117300,545.4</coordinates></Point></Placemark>\n"
          "<Placemark><name>Pt2</name><TimeStamp><when>2003-05-17T12:35:20.250Z</when></TimeStamp><ExtendedData>"
          "<Data name=\"speed_kmh\"><value>0.0</value></Data><Data name=\"satellites\"><value>8</value></Data>"
          "</ExtendedData><Point><coordinates>-0.127600,-33.856800</coordinates></Point></Placemark>\n"
          "</Folder>\n"
          "<Placemark>\n<name>Track</name>\n<LineString>\n<tessellate>1</tessellate>\n<coordinates>\n"
          "11.516667,48.117300\n-0.127600,-33.856800\n"
          "</coordinates>\n</LineString>\n</Placemark>\n</Document>\n</kml>\n");
  }
  SUBCASE("GeoJSON: the points, then the track") {
    REQUIRE(run.Convert(TwoFixes, OutputFormat::GeoJson).Succeeded());
    CHECK(run.Text() ==
          "{\"type\":\"FeatureCollection\",\"name\":\"R&D trip.pgl\",\"features\":[\n"
          "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[11.516667,48.117300]},"
          "\"properties\":{\"name\":\"Pt1\",\"time\":\"2003-05-17T12:35:19Z\",\"altitude_m\":545.4,"
          "\"speed_kmh\":10.2,\"course\":54.7,\"satellites\":5}},\n"
          "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[-0.127600,-33.856800]},"
          "\"properties\":{\"name\":\"Pt2\",\"time\":\"2003-05-17T12:35:20.250Z\",\"speed_kmh\":0.0,"
          "\"satellites\":8}},\n"
          "{\"type\":\"Feature\",\"geometry\":{\"type\":\"LineString\",\"coordinates\":"
          "[[11.516667,48.117300],[-0.127600,-33.856800]]},\"properties\":{\"name\":\"Track\"}}\n]}\n");
  }
  SUBCASE("CSV, with a point whatever the number style") {
    WriteFile(run.Log, TwoFixes);
    REQUIRE(ConvertLogFile({.Logs = {run.Log}, .Output = run.Output, .Format = OutputFormat::Csv,
                            .Style = NumberStyle::Continental})
                .Succeeded());
    CHECK(run.Text() ==
          "name,time,latitude,longitude,altitude_m,speed_kmh,course,satellites\r\n"
          "Pt1,2003-05-17T12:35:19Z,48.117300,11.516667,545.4,10.2,54.7,5\r\n"
          "Pt2,2003-05-17T12:35:20.250Z,-33.856800,-0.127600,,0.0,,8\r\n");
  }
}

TEST_CASE("The map formats with fewer than two points draw no track") {
  MapRun run;
  const std::string oneFix = Gga("123519.000");
  REQUIRE(run.Convert(oneFix, OutputFormat::GeoJson).Succeeded());
  CHECK(run.Text() ==
        "{\"type\":\"FeatureCollection\",\"name\":\"R&D trip.pgl\",\"features\":[\n"
        "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[11.516667,48.117300]},"
        "\"properties\":{\"name\":\"Pt1\",\"altitude_m\":545.4,\"satellites\":8}}\n]}\n");
  REQUIRE(run.Convert("", OutputFormat::Kml).Succeeded());
  CHECK(run.Text() ==
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n"
        "<name>R&amp;D trip.pgl</name>\n<Folder>\n<name>Points</name>\n</Folder>\n</Document>\n</kml>\n");
}

TEST_CASE("A track in segments: a part of one point makes no line") {
  MapRun run;
  WriteFile(run.Log, Gga("120000.000") + Gga("120001.000") + Gga("121000.000") + Gga("122000.000") +
                         Gga("122001.000"));
  TrackOptions track;
  track.SplitGapMs = 60000;
  auto convert = [&](OutputFormat format) {
    REQUIRE(ConvertLogFile({.Logs = {run.Log}, .Output = run.Output, .Format = format, .Track = track}).Succeeded());
    return run.Text();
  };
  // The track line: from the line before its name on.
  auto line = [&](OutputFormat format) {
    const std::string text = convert(format);
    return text.substr(text.rfind('\n', text.find("Track") - 8) + 1);
  };
  CHECK(line(OutputFormat::GeoJson) ==
        "{\"type\":\"Feature\",\"geometry\":{\"type\":\"MultiLineString\",\"coordinates\":["
        "[[11.516667,48.117300],[11.516667,48.117300]],[[11.516667,48.117300],[11.516667,48.117300]]]},"
        "\"properties\":{\"name\":\"Track\"}}\n]}\n");
  CHECK(line(OutputFormat::Kml) ==
        "<Placemark>\n<name>Track</name>\n<MultiGeometry>\n"
        "<LineString>\n<tessellate>1</tessellate>\n<coordinates>\n11.516667,48.117300\n11.516667,48.117300\n"
        "</coordinates>\n</LineString>\n"
        "<LineString>\n<tessellate>1</tessellate>\n<coordinates>\n11.516667,48.117300\n11.516667,48.117300\n"
        "</coordinates>\n</LineString>\n</MultiGeometry>\n</Placemark>\n</Document>\n</kml>\n");
  // The points of each segment.
  const std::string gpx = convert(OutputFormat::Gpx);
  std::string segments;
  for (std::size_t at = gpx.find("<trkseg>"); at != std::string::npos; at = gpx.find("<trkseg>", at + 1)) {
    int points = 0;
    for (std::size_t p = gpx.find("<trkpt", at); p < gpx.find("</trkseg>", at); p = gpx.find("<trkpt", p + 1)) ++points;
    segments += std::to_string(points) + " ";
  }
  CHECK(segments == "2 1 2 ");
}

TEST_CASE("GPX values stay in the ranges of GPX and its track-point extension") {
  MapRun run;
  const auto gga = [](std::string_view longitude) {
    return "$GPGGA,123519.000,4807.0380,N," + std::string(longitude) + ",1,08,0.9,545.4,M,46.9,M,,*47\n";
  };
  const auto vtg = [](std::string_view course, std::string_view speed) {
    return "$GPVTG," + std::string(course) + ",T,,M,,N," + std::string(speed) + ",K*48\n";
  };
  const struct {
    std::string_view Case;
    std::string Log;
    std::string_view Longitude;
    std::string_view Extension;
  } rows[] = {
      {"north as 360", vtg("360.0", "36.0") + gga("18000.0000,E"), "-180.000000",
       "<gpxtpx:speed>10.00</gpxtpx:speed><gpxtpx:course>0.0</gpxtpx:course>"},
      {"a course below 0", vtg("-90.5", "0.0") + gga("18000.0000,W"), "-180.000000",
       "<gpxtpx:speed>0.00</gpxtpx:speed><gpxtpx:course>269.5</gpxtpx:course>"},
      {"a course past a turn", vtg("720.25", "-0.0") + gga("17959.9999,E"), "179.999998",
       "<gpxtpx:speed>0.00</gpxtpx:speed><gpxtpx:course>0.25</gpxtpx:course>"},
      {"a hair below 0, and a negative speed", vtg("-0.00001", "-5.0") + gga("01131.0000,E"), "11.516667",
       "<gpxtpx:course>0.0</gpxtpx:course>"},
      {"a speed beyond a float", vtg("10.0", "1e400") + gga("01131.0000,E"), "11.516667",
       "<gpxtpx:course>10.0</gpxtpx:course>"},
      {"a speed beyond ten times that of sound", vtg("10.0", "12349") + gga("01131.0000,E"), "11.516667",
       "<gpxtpx:course>10.0</gpxtpx:course>"},
  };
  for (const auto& row : rows) {
    CAPTURE(row.Case);
    REQUIRE(run.Convert(row.Log, OutputFormat::Gpx).Succeeded());
    const std::string text = run.Text();
    const std::size_t point = text.find("<trkpt");
    CHECK(text.substr(point, text.find('\n', point) - point) ==
          "<trkpt lat=\"48.117300\" lon=\"" + std::string(row.Longitude) +
              "\"><ele>545.4</ele><name>Pt1</name><sat>8</sat><extensions><gpxtpx:TrackPointExtension>" +
              std::string(row.Extension) + "</gpxtpx:TrackPointExtension></extensions></trkpt>");
  }
  SUBCASE("an altitude beyond 100 km is left out, and counted") {
    const ConversionResult result =
        run.Convert("$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,1e308,M,46.9,M,,*47\n"
                    "$GPGGA,123520.000,4807.0380,N,01131.0000,E,1,08,0.9,-100001,M,46.9,M,,*47\n"
                    "$GPGGA,123521.000,4807.0380,N,01131.0000,E,1,08,0.9,100000,M,46.9,M,,*47\n",
                    OutputFormat::Gpx);
    CHECK(result.ValuesOutOfRange == 2);
    const std::string text = run.Text();
    CHECK(text.find("<ele>") == text.rfind("<ele>"));
    CHECK(text.find("<ele>100000.0</ele>") != std::string::npos);
  }
}

TEST_CASE("The day of each point") {
  MapRun run;
  struct Row {
    std::string_view Case;
    std::string Log;
    std::optional<long long> Day;
    std::string Times;
    long long Undated;
  };
  const long long may17 = *ReadDay("2003-05-17");
  const Row rows[] = {
      {"from $GPRMC", Rmc("123519.000", "170503") + Gga("123519.000") + Gga("123520.000"), {},
       "2003-05-17T12:35:19Z 2003-05-17T12:35:20Z ", 0},
      {"$GPRMC decides over --date", Gga("123519.000") + Rmc("123519.000", "170503") + Gga("123520.000"), 0,
       "2003-05-17T12:35:19Z 2003-05-17T12:35:20Z ", 0},
      {"without $GPRMC from --date", Gga("123519.000") + Gga("123520.000"), may17,
       "2003-05-17T12:35:19Z 2003-05-17T12:35:20Z ", 0},
      {"without either no time", Gga("123519.000") + Gga("123520.000"), {}, "  ", 2},
      {"a void $GPRMC gives no date", Rmc("123519.000", "170503", 'V') + Gga("123519.000"), {}, " ", 1},
      {"midnight after --date", Gga("235959.000") + Gga("000000.000") + Gga("000001.000"), may17,
       "2003-05-17T23:59:59Z 2003-05-18T00:00:00Z 2003-05-18T00:00:01Z ", 0},
      {"midnight between a fix and its $GPRMC, either way",
       Gga("235959.000") + Rmc("000000.000", "010100") + Gga("000000.000") + Rmc("235959.000", "311299"), {},
       "1999-12-31T23:59:59Z 2000-01-01T00:00:00Z ", 0},
      {"midnight after the last $GPRMC",
       Rmc("235959.000", "280204") + Gga("235959.000") + Gga("000000.000") + Gga("000000.000"), {},
       "2004-02-28T23:59:59Z 2004-02-29T00:00:00Z 2004-02-29T00:00:00Z ", 0},
      {"the next day only after a step back of more than 12 hours",
       Gga("120000.000") + Gga("115959.000") + Gga("235959.000") + Gga("115959.000") + Gga("235959.000") +
           Gga("115958.999"),
       may17,
       "2003-05-17T12:00:00Z 2003-05-17T11:59:59Z 2003-05-17T23:59:59Z 2003-05-17T11:59:59Z "
       "2003-05-17T23:59:59Z 2003-05-18T11:59:58.999Z ",
       0},
      {"up to 9999-12-31, undated past it", Gga("235959.999") + Gga("000000.000"), *ReadDay("9999-12-31"),
       "9999-12-31T23:59:59.999Z  ", 1},
      {"from 0001-01-01", Gga("000000.000"), *ReadDay("0001-01-01"), "0001-01-01T00:00:00Z ", 0},
      {"a leap second is the next day's first", Gga("235959.000") + Gga("235960.500") + Gga("000001.000"), may17,
       "2003-05-17T23:59:59Z 2003-05-18T00:00:00.500Z 2003-05-18T00:00:01Z ", 0},
      {"a time that is no time of day has none", Gga("120000.000") + Gga("126100.000") + Gga("250000.000"), may17,
       "2003-05-17T12:00:00Z   ", 0},
  };
  for (const Row& row : rows) {
    CAPTURE(row.Case);
    const ConversionResult result = run.Convert(row.Log, OutputFormat::Csv, row.Day);
    REQUIRE(result.Succeeded());
    CHECK(CsvTimes(run.Text()) == row.Times);
    CHECK(result.UndatedPoints + result.PointsPastLastDate == row.Undated);
  }
}

namespace {

// A second of a log: its $GPVTG says 10 km/h and a course of 1 degree per
// second of the time, its $GPRMC 1 knot per second.
std::string Vtg(int second) {
  return "$GPVTG," + std::to_string(second) + ".0,T,,M,,N," + std::to_string(10 * second) + ".0,K*00\n";
}
std::string RmcMoving(int second) {
  return "$GPRMC,12000" + std::to_string(second) + ",A,4807.0380,N,01131.0000,E," + std::to_string(second) +
         ".0,9" + std::to_string(second) + ".0,170503,,*00\n";
}
std::string GgaAt(int second) { return Gga("12000" + std::to_string(second)); }

// The speed and course columns of a CSV file, row after row.
std::string CsvMotion(const std::string& csv) {
  std::string motion;
  for (std::size_t row = csv.find("\r\n") + 2; row < csv.size(); row = csv.find("\r\n", row) + 2) {
    std::size_t start = row;
    for (int column = 0; column < 5; ++column) start = csv.find(',', start) + 1;
    const std::size_t end = csv.find(',', csv.find(',', start) + 1);
    motion += csv.substr(start, end - start) + " ";
  }
  return motion;
}

}  // namespace

TEST_CASE("Each point takes the course and speed of its own second, in whatever order the receiver writes them") {
  MapRun run;
  struct Row {
    const char* Case;
    std::string Log;
    std::string Motion;  // speed_kmh,course of each point
  };
  auto seconds = [](auto second) { return second(1) + second(2) + second(3); };
  const Row rows[] = {
      {"VTG, RMC, GGA", seconds([](int s) { return Vtg(s) + RmcMoving(s) + GgaAt(s); }), "10.0,1.0 20.0,2.0 30.0,3.0 "},
      {"GGA, RMC, VTG", seconds([](int s) { return GgaAt(s) + RmcMoving(s) + Vtg(s); }), "10.0,1.0 20.0,2.0 30.0,3.0 "},
      {"RMC, VTG, GGA", seconds([](int s) { return RmcMoving(s) + Vtg(s) + GgaAt(s); }), "10.0,1.0 20.0,2.0 30.0,3.0 "},
      {"GGA, VTG, RMC", seconds([](int s) { return GgaAt(s) + Vtg(s) + RmcMoving(s); }), "10.0,1.0 20.0,2.0 30.0,3.0 "},
      {"GGA, VTG without RMC", seconds([](int s) { return GgaAt(s) + Vtg(s); }), "10.0,1.0 20.0,2.0 30.0,3.0 "},
      {"RMC without VTG: its knots", seconds([](int s) { return GgaAt(s) + RmcMoving(s); }),
       "1.852,91.0 3.704,92.0 5.556,93.0 "},
      {"a second without either has none",
       Vtg(1) + RmcMoving(1) + GgaAt(1) + GgaAt(2) + Vtg(3) + RmcMoving(3) + GgaAt(3), "10.0,1.0 , 30.0,3.0 "},
  };
  for (const Row& row : rows) {
    CAPTURE(row.Case);
    REQUIRE(run.Convert(row.Log, OutputFormat::Csv).Succeeded());
    CHECK(CsvMotion(run.Text()) == row.Motion);
  }
  SUBCASE("the pushpin file pairs a $GPVTG with the position before it") {
    REQUIRE(run.Convert(rows[0].Log, OutputFormat::Pushpin).Succeeded());
    const std::string text = run.Text();
    const std::size_t first = text.find("\r\n") + 2;
    CHECK(text.substr(first, text.find("\r\n", first) - first) ==
          "Pt1,   48.1173,   11.5167,\"Time: 12:00:01\rSpeed (mph/kph):  12.4/ 20.0\rCourse (true):    2.0\r"
          "Altitude (m): 545.4\"");
  }
}
