// Real logs converted to every map format and read back by widely used
// programs that share no code with pinwell: GDAL (ogr2ogr), GPSBabel,
// xmllint, and for the track picture librsvg. Each must find the pushpin
// file's records: the same number, names, coordinates to the pushpin file's
// four decimals, and times. And every real log's GPX must pass the GPX 1.1
// schema.

#include <doctest/doctest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Row = std::map<std::string, std::string>;

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs a command line; its standard output, or the exit status as a failure.
std::string Output(const std::string& command) {
  const int status = std::system((command + " > reader.out 2> reader.err").c_str());
  INFO(command, "\n", Contents("reader.err"));
  REQUIRE(status == 0);
  return Contents("reader.out");
}

// A CSV text with a header row (fields in double quotes may hold commas).
std::vector<Row> CsvRows(const std::string& text) {
  std::vector<std::vector<std::string>> lines(1);
  std::string field;
  bool quoted = false;
  for (const char c : text) {
    if (c == '"') quoted = !quoted;
    else if (c == ',' && !quoted) lines.back().push_back(std::exchange(field, {}));
    else if (c == '\n' && !quoted) lines.back().push_back(std::exchange(field, {})), lines.emplace_back();
    else if (c != '\r') field += c;
  }
  std::vector<Row> rows;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (lines[i].size() != lines[0].size()) continue;
    Row& row = rows.emplace_back();
    for (std::size_t j = 0; j < lines[0].size(); ++j) row[lines[0][j]] = lines[i][j];
  }
  return rows;
}

struct Point {
  std::string Name;
  double Latitude = 0;
  double Longitude = 0;
  std::string Time;  // YYYY-MM-DD hh:mm:ss, the seconds truncated
};

// "2003/05/17 12:35:19.250+00" and "2003-05-17T12:35:19.250Z" alike.
std::string DateAndTime(const std::string& date, const std::string& time) {
  std::string text = date.substr(0, 10) + " " + time.substr(0, 8);
  for (char& c : text) c = c == '/' ? '-' : c;
  return text;
}

// The records of a pushpin file: "Pt1,   48.1173,   11.5167,"Time: 12:35:19...".
std::vector<Point> PushpinPoints(const std::string& text, const std::string& date) {
  std::vector<Point> points;
  for (std::size_t line = text.find("\r\n") + 2; line < text.size(); line = text.find("\r\n", line) + 2) {
    const std::size_t comma1 = text.find(',', line);
    const std::size_t comma2 = text.find(',', comma1 + 1);
    const std::size_t time = text.find("Time: ", comma2) + 6;
    points.push_back({text.substr(line, comma1 - line), std::stod(text.substr(comma1 + 1)),
                      std::stod(text.substr(comma2 + 1)), date + " " + text.substr(time, 8)});
  }
  return points;
}

const std::string Gdal = "ogr2ogr -f CSV /vsistdout/ ";

// The points of a layer as GDAL reads them, through its CSV writer.
std::vector<Point> GdalPoints(const std::string& source, const std::string& name, const std::string& time) {
  std::vector<Point> points;
  for (const Row& row : CsvRows(Output(Gdal + source + " -lco GEOMETRY=AS_XY -select " + name + "," + time))) {
    const std::string& stamp = row.at(time);
    points.push_back({row.at(name), std::stod(row.at("Y")), std::stod(row.at("X")),
                      DateAndTime(stamp, stamp.size() > 11 ? stamp.substr(11) : "")});
  }
  return points;
}

// The points GPSBabel reads, through its CSV writer.
std::vector<Point> GpsBabelPoints(const std::string& arguments) {
  std::vector<Point> points;
  for (const Row& row : CsvRows(Output("TZ=UTC gpsbabel " + arguments + " -o unicsv -F -"))) {
    points.push_back({row.at("Name"), std::stod(row.at("Latitude")), std::stod(row.at("Longitude")),
                      DateAndTime(row.at("Date"), row.at("Time"))});
  }
  return points;
}

// The vertices of the one line GDAL reads, "LINESTRING (x y,x y,...)", as
// points without name or time.
std::vector<Point> GdalLine(const std::string& source) {
  const std::vector<Row> rows = CsvRows(Output(Gdal + source + " -lco GEOMETRY=AS_WKT"));
  REQUIRE(rows.size() == 1);
  const std::string& wkt = rows[0].at("WKT");
  std::vector<Point> points;
  for (std::size_t at = wkt.find('(') + 1; at > 0 && at < wkt.size(); at = wkt.find(',', at) + 1) {
    std::size_t used = 0;
    const double x = std::stod(wkt.substr(at), &used);
    points.push_back({"", std::stod(wkt.substr(at + used)), x, ""});
  }
  return points;
}

// The reader's points against the pushpin records: the coordinates within
// half a unit of the pushpin file's fourth decimal.
void CheckSame(std::string_view reader, const std::vector<Point>& read, const std::vector<Point>& pushpins,
               bool namesAndTimes = true) {
  CAPTURE(reader);
  REQUIRE(read.size() == pushpins.size());
  for (std::size_t i = 0; i < read.size(); ++i) {
    CAPTURE(pushpins[i].Name);
    if (namesAndTimes) {
      CHECK(read[i].Name == pushpins[i].Name);
      CHECK(read[i].Time == pushpins[i].Time);
    }
    CHECK(std::abs(read[i].Latitude - pushpins[i].Latitude) <= 0.5e-4 + 1e-9);
    CHECK(std::abs(read[i].Longitude - pushpins[i].Longitude) <= 0.5e-4 + 1e-9);
  }
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// A number of the picture's text after `key` ("cx=\"").
double NumberAfter(const std::string& text, const std::string& key, std::size_t from = 0) {
  const std::size_t at = text.find(key, from);
  REQUIRE(at != std::string::npos);
  return std::stod(text.substr(at + key.size()));
}

struct Colour {
  int Red, Green, Blue;
};

// A pixel of a PNG file, as ImageMagick reads it.
Colour PixelAt(const std::string& png, double x, double y) {
  const std::string at = "p{" + std::to_string(std::lround(x)) + "," + std::to_string(std::lround(y)) + "}";
  const std::string rgb = Output("convert " + png + " -format '%[fx:int(255*" + at + ".r)] %[fx:int(255*" + at +
                                 ".g)] %[fx:int(255*" + at + ".b)]' info:");
  Colour c{};
  std::sscanf(rgb.c_str(), "%d %d %d", &c.Red, &c.Green, &c.Blue);
  return c;
}

// The track picture: well-formed, drawn by a renderer that shares no code
// with pinwell, its start marked green and its end red where the file says,
// east to the right and north up.
void CheckPicture(const std::vector<Point>& pushpins) {
  Output("xmllint --noout out.svg");
  Output("rsvg-convert out.svg -o out.png");
  const std::string svg = Contents("out.svg");
  const std::size_t start = svg.find("id=\"start\""), end = svg.find("id=\"end\"");
  const double startX = NumberAfter(svg, "cx=\"", start), startY = NumberAfter(svg, "cy=\"", start);
  const double endX = NumberAfter(svg, "cx=\"", end), endY = NumberAfter(svg, "cy=\"", end);
  const Colour green = PixelAt("out.png", startX, startY);
  CHECK((green.Red < 60 && green.Green > 120 && green.Blue < 60));
  const Colour red = PixelAt("out.png", endX + 11, endY);
  CHECK((red.Red > 160 && red.Green < 60 && red.Blue < 60));
  const double east = pushpins.back().Longitude - pushpins.front().Longitude;
  const double north = pushpins.back().Latitude - pushpins.front().Latitude;
  if (std::abs(east) > 1e-4) CHECK((endX - startX) * east > 0);
  if (std::abs(north) > 1e-4) CHECK((endY - startY) * north < 0);
}

// A fresh folder to work in, left behind for a look after a failure.
struct Scratch {
  fs::path Before = fs::current_path();
  Scratch() {
    const fs::path folder = Before / "map_readers";
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::current_path(folder);
  }
  ~Scratch() { fs::current_path(Before); }
};

}  // namespace

TEST_CASE("Map formats read back by GDAL, GPSBabel, xmllint and librsvg") {
  Scratch scratch;
  const struct {
    std::string_view Log;
    std::string_view Date;  // the log's day, given with --date where it has no valid $GPRMC first
    bool GivenDate;
  } logs[] = {
      {"signalk-server-gps.log", "2014-04-03", false},         // $GPVTG speeds, 1202 fixes
      {"nmea-log-player-logs_gps.nmea", "2008-11-15", false},  // west of Greenwich
      {"gpsd-haicom-305N.log", "2007-04-08", true},            // south, milliseconds, void $GPRMC first
      {"gpsd-sirfstarv-nmea.log", "2019-02-05", false},        // $GPGGA positions, $GNRMC dates
  };
  for (const auto& log : logs) {
    CAPTURE(log.Log);
    const fs::path path = fs::path(PINWELL_DATA_DIR) / "nmea-real" / log.Log;
    const std::string date(log.Date);
    // A checkout gives the logs today's time, which is no evidence of a GPS
    // week rollover: a true 2007 log would move on the days 1024 weeks on.
    const std::string pinwell =
        "'" PINWELL_EXECUTABLE "' -q --week-rollover off" + (log.GivenDate ? " --date " + date : "");
    Output(pinwell + " -o pushpins.txt " + Quoted(path));
    const std::vector<Point> pushpins = PushpinPoints(Contents("pushpins.txt"), date);
    REQUIRE(pushpins.size() > 10);
    for (const std::string format : {"gpx", "kml", "geojson", "csv", "svg"})
      Output(pinwell + " -f " + format + " -o out." + format + " " + Quoted(path));

    Output("xmllint --noout out.gpx");
    CheckSame("GDAL, GPX", GdalPoints("out.gpx track_points", "name", "time"), pushpins);
    CheckSame("GPSBabel, GPX", GpsBabelPoints("-t -i gpx -f out.gpx"), pushpins);
    Output("xmllint --noout out.kml");
    CheckSame("GDAL, KML", GdalPoints("out.kml Points", "Name", "timestamp"), pushpins);
    CheckSame("GPSBabel, KML", GpsBabelPoints("-i kml -f out.kml"), pushpins);
    CheckSame("GDAL, KML track", GdalLine("out.kml '" + std::string(log.Log) + "'"), pushpins, false);
    CheckSame("GDAL, GeoJSON", GdalPoints("out.geojson -where \"name <> 'Track'\"", "name", "time"), pushpins);
    CheckSame("GDAL, GeoJSON track", GdalLine("out.geojson -where \"name = 'Track'\""), pushpins, false);
    CheckSame("GDAL, CSV",
              GdalPoints("out.csv -oo X_POSSIBLE_NAMES=longitude -oo Y_POSSIBLE_NAMES=latitude", "name", "time"),
              pushpins);
    CheckPicture(pushpins);
    // One rendered picture for people to look at.
    if (log.Log == logs[0].Log) {
      fs::create_directories(PINWELL_SCREENS_DIR);
      fs::copy_file("out.png", fs::path(PINWELL_SCREENS_DIR) / "track-picture.png",
                    fs::copy_options::overwrite_existing);
    }
  }
}

// The numbers of every element `tag` of an XML text.
std::vector<double> ElementValues(const std::string& text, const std::string& tag) {
  std::vector<double> values;
  const std::string open = "<" + tag + ">";
  for (std::size_t at = text.find(open); at != std::string::npos; at = text.find(open, at + 1))
    values.push_back(std::stod(text.substr(at + open.size())));
  return values;
}

TEST_CASE("Every real log's GPX passes the GPX 1.1 schema, and the extension's values their ranges") {
  Scratch scratch;
  const std::string schema = Quoted(fs::path(PINWELL_DATA_DIR) / "schemas" / "gpx-1.1.xsd");
  int logs = 0;
  std::size_t courses = 0, speeds = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(PINWELL_DATA_DIR) / "nmea-real")) {
    if (entry.path().filename() == "SOURCES.md") continue;
    CAPTURE(entry.path());
    ++logs;
    // A day for the logs without $GPRMC dates, so that every point has a time.
    Output("'" PINWELL_EXECUTABLE "' -q -f gpx --date 2000-01-01 -o out.gpx " + Quoted(entry.path()));
    Output("xmllint --noout --schema " + schema + " out.gpx");
    const std::string gpx = Contents("out.gpx");
    // Those of the track-point extension, which the schema takes unchecked.
    for (const double course : ElementValues(gpx, "gpxtpx:course")) {
      CHECK(course >= 0);
      CHECK(course < 360);
      ++courses;
    }
    for (const double speed : ElementValues(gpx, "gpxtpx:speed")) {
      CHECK(speed >= 0);
      ++speeds;
    }
  }
  CHECK(logs > 30);
  CHECK(courses > 0);
  CHECK(speeds > 0);
}

TEST_CASE("A position off the earth is left out of the map formats, so that the GPX schema takes the file") {
  Scratch scratch;
  const std::string schema = Quoted(fs::path(PINWELL_DATA_DIR) / "schemas" / "gpx-1.1.xsd");
  std::ofstream("off.pgl") << "$GPGGA,120000.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*57\n"
                              "$GPGGA,120001.000,9500.0000,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*5A\n"
                              "$GPGGA,120002.000,4807.0380,N,18100.0000,W,1,08,0.9,545.4,M,46.9,M,,*4D\n"
                              "$GPGGA,120003.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*54\n";
  const std::string pinwell = "'" PINWELL_EXECUTABLE "' -q --date 2003-05-17 ";
  Output(pinwell + "-f gpx -o out.gpx off.pgl");
  CHECK(Contents("reader.err") ==
        "pinwell: off.pgl: 2 positions beyond 90 degrees of latitude or 180 of longitude left out: no map takes "
        "them\n");
  Output("xmllint --noout --schema " + schema + " out.gpx");
  const std::vector<Point> points = GdalPoints("out.gpx track_points", "name", "time");
  REQUIRE(points.size() == 2);
  CHECK(points[1].Name == "Pt4");
  // The pushpin file writes every record, as it always did.
  Output(pinwell + "-o out.txt off.pgl");
  CHECK(PushpinPoints(Contents("out.txt"), "2003-05-17").size() == 4);
}

TEST_CASE("Three real logs merged into one GPX track, with every option, read back by GDAL") {
  Scratch scratch;
  const std::string options = "'" PINWELL_EXECUTABLE "' -q --every 5s --split-gap 60s --fixes-only --max-speed 300kmh ";
  std::string logs;
  std::size_t points = 0;
  std::size_t segments = 0;
  long long fixesBefore = 0;
  std::string lastName;
  for (const char* log : {"gpsd-haicom-305N.log", "aerorust-nmea-nmea1.log", "marineapi-Garmin-GPS15H.txt"}) {
    const std::string path = Quoted(fs::path(PINWELL_DATA_DIR) / "nmea-real" / log);
    logs += " " + path;
    // Alone: its points and segments, and its last point's name.
    Output(options + "-f csv -o alone.csv " + path);
    const std::vector<Row> rows = CsvRows(Contents("alone.csv"));
    REQUIRE(!rows.empty());
    points += rows.size();
    segments += std::stoul(rows.back().at("segment"));
    lastName = "Pt" + std::to_string(fixesBefore + std::stoll(rows.back().at("name").substr(2)));
    Output("'" PINWELL_EXECUTABLE "' -q -f csv -o all.csv " + path);
    fixesBefore += std::stoll(CsvRows(Contents("all.csv")).back().at("name").substr(2));
  }
  Output(options + "-f gpx --merge -o merged.gpx" + logs);
  Output("xmllint --noout --schema " + Quoted(fs::path(PINWELL_DATA_DIR) / "schemas" / "gpx-1.1.xsd") + " merged.gpx");
  const std::vector<Row> read = CsvRows(Output(Gdal + "merged.gpx track_points -select track_seg_id,name"));
  std::set<std::string> segmentIds;
  for (const Row& row : read) segmentIds.insert(row.at("track_seg_id"));
  CHECK(read.size() == points);
  CHECK(segmentIds.size() == segments);
  CHECK(segments > 3);
  CHECK(read.back().at("name") == lastName);
  const std::vector<Row> tracks = CsvRows(Output(Gdal + "merged.gpx tracks -lco GEOMETRY=AS_WKT"));
  REQUIRE(tracks.size() == 1);
  CHECK(tracks[0].at("WKT").starts_with("MULTILINESTRING (("));
}

TEST_CASE("A track across the antimeridian is cut there in GeoJSON, as GDAL reads it") {
  Scratch scratch;
  std::ofstream("across.pgl") << "$GPGGA,120000,1654.0000,S,17954.0000,E,1,08,0.9,5.0,M,46.9,M,,*5B\n"
                                 "$GPGGA,120010,1654.0000,S,17959.9400,E,1,08,0.9,5.0,M,46.9,M,,*5A\n"
                                 "$GPGGA,120020,1655.0000,S,17959.4000,W,1,08,0.9,5.0,M,46.9,M,,*43\n"
                                 "$GPGGA,120030,1655.0000,S,17954.0000,W,1,08,0.9,5.0,M,46.9,M,,*4B\n";
  Output("'" PINWELL_EXECUTABLE "' -q --date 2003-05-17 -f geojson -o across.geojson across.pgl");
  // Cut at 180 east and west, at the latitude where the step between the
  // second and third fix meets the meridian.
  CHECK(Output("ogrinfo -ro -q -al across.geojson -where \"name='Track'\"") ==
        "\nLayer name: across.pgl\nOGRFeature(across.pgl):4\n  name (String) = Track\n"
        "  MULTILINESTRING ((179.9 -16.9,179.999 -16.9,180.0 -16.901515),"
        "(-180 -16.901515,-179.99 -16.916667,-179.9 -16.916667))\n\n");
}
