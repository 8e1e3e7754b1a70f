#include <doctest/doctest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.hpp"
#include "cli/quantities.hpp"

using cli::CommandLine;
using cli::Conversion;

namespace {

struct Outcome {
  std::optional<int> Status;
  CommandLine Line;
  std::string Out;
  std::string Err;
};

Outcome Parse(std::vector<std::string_view> arguments, std::string_view program = "pinwell") {
  Outcome outcome;
  std::ostringstream out;
  std::ostringstream err;
  outcome.Status = cli::ParseCommandLine(arguments, outcome.Line, out, err, program);
  outcome.Out = out.str();
  outcome.Err = err.str();
  return outcome;
}

std::string Joined(const std::vector<Conversion>& conversions) {
  std::string text;
  for (const Conversion& c : conversions) text += c.LogName + ">" + c.OutputName + " ";
  return text;
}

}  // namespace

namespace {
std::string Duration(std::string_view option, std::string_view given) {
  return std::string(option) + " takes a duration with its unit (s, m or h: 5s, 1m, 1.5h) from 0.001s to 1000000h, not " +
         std::string(given);
}
}  // namespace

TEST_CASE("ParseCommandLine accepts") {
  struct Row {
    std::vector<std::string_view> Arguments;
    std::string Conversions;
    int Resolution;
    bool Continental;
    bool Quiet;
  };
  const Row rows[] = {
      {{"trip.pgl"}, "trip.pgl>trip.txt ", 1, false, false},
      {{"a.pgl", "b.PGL", "c"}, "a.pgl>a.txt b.PGL>b.txt c>c.txt ", 1, false, false},
      {{"a.pgl", "-r", "5", "--continental", "-q"}, "a.pgl>a.txt ", 5, true, true},
      {{"-r10", "a.pgl"}, "a.pgl>a.txt ", 10, false, false},
      {{"--resolution=3600", "a.pgl"}, "a.pgl>a.txt ", 3600, false, false},
      {{"--resolution", "1", "a.pgl"}, "a.pgl>a.txt ", 1, false, false},
      {{"-r", "7", "-r", "2", "a.pgl"}, "a.pgl>a.txt ", 2, false, false},
      {{"--continental", "--english", "a.pgl"}, "a.pgl>a.txt ", 1, false, false},
      {{"--quiet", "a.pgl"}, "a.pgl>a.txt ", 1, false, true},
      {{"a.pgl", "-o", "out.csv"}, "a.pgl>out.csv ", 1, false, false},
      {{"-oout.csv", "a.pgl"}, "a.pgl>out.csv ", 1, false, false},
      {{"--output=out.csv", "a.pgl"}, "a.pgl>out.csv ", 1, false, false},
      {{"--output", "-", "a.pgl"}, "a.pgl>- ", 1, false, false},
      {{"-"}, "->- ", 1, false, false},
      {{"-", "-o", "x.txt"}, "->x.txt ", 1, false, false},
      {{"-", "a.pgl"}, "->- a.pgl>a.txt ", 1, false, false},
      {{"--", "-r", "-q"}, "-r>-r.txt -q>-q.txt ", 1, false, false},
      {{"-q", "--", "-"}, "->- ", 1, false, true},
      {{"-o", "--", "a.pgl"}, "a.pgl>-- ", 1, false, false},
  };
  for (const Row& row : rows) {
    CAPTURE(row.Conversions);
    const Outcome outcome = Parse(row.Arguments);
    CHECK_FALSE(outcome.Status.has_value());
    CHECK(Joined(outcome.Line.Conversions) == row.Conversions);
    CHECK(std::get<conversion::OneFixIn>(outcome.Line.Request.Kept).Fixes == row.Resolution);
    CHECK((outcome.Line.Request.Style == conversion::NumberStyle::Continental) == row.Continental);
    CHECK(outcome.Line.Quiet == row.Quiet);
    CHECK(outcome.Out.empty());
    CHECK(outcome.Err.empty());
  }
}

TEST_CASE("ParseCommandLine reads how many logs convert at once") {
  const struct {
    std::vector<std::string_view> Arguments;
    unsigned Jobs;
  } rows[] = {
      {{"a.pgl"}, conversion::ProcessorCount()},
      {{"-j", "3", "a.pgl"}, 3},
      {{"-j2", "a.pgl"}, 2},
      {{"--jobs=64", "a.pgl"}, 64},
      {{"--jobs", "1", "a.pgl"}, 1},
  };
  for (const auto& row : rows) {
    CAPTURE(row.Jobs);
    const Outcome outcome = Parse(row.Arguments);
    CHECK_FALSE(outcome.Status.has_value());
    CHECK(outcome.Line.Jobs == row.Jobs);
  }
}

TEST_CASE("ParseCommandLine refuses") {
  struct Row {
    std::vector<std::string_view> Arguments;
    std::string Message;
  };
  const Row rows[] = {
      {{}, "no log given"},
      {{"-q"}, "no log given"},
      {{"-r", "0", "a.pgl"}, "the resolution must be a whole number from 1 to 3600, not '0'"},
      {{"-r3601", "a.pgl"}, "the resolution must be a whole number from 1 to 3600, not '3601'"},
      {{"-r", "-5", "a.pgl"}, "the resolution must be a whole number from 1 to 3600, not '-5'"},
      {{"-r", "+5", "a.pgl"}, "the resolution must be a whole number from 1 to 3600, not '+5'"},
      {{"-r", "5s", "a.pgl"}, "the resolution must be a whole number from 1 to 3600, not '5s'"},
      {{"-r", "2.5", "a.pgl"}, "the resolution must be a whole number from 1 to 3600, not '2.5'"},
      {{"--resolution=", "a.pgl"}, "the resolution must be a whole number from 1 to 3600, not ''"},
      {{"-r", "99999999999", "a.pgl"},
       "the resolution must be a whole number from 1 to 3600, not '99999999999'"},
      {{"a.pgl", "-r"}, "option '-r' needs a number"},
      {{"-j", "0", "a.pgl"}, "-j takes a number of logs from 1 to 64, not '0'"},
      {{"--jobs=65", "a.pgl"}, "-j takes a number of logs from 1 to 64, not '65'"},
      {{"-jx", "a.pgl"}, "-j takes a number of logs from 1 to 64, not 'x'"},
      {{"a.pgl", "-j"}, "option '-j' needs a number"},
      {{"a.pgl", "--output"}, "option '--output' needs a file name"},
      {{"-o", "", "a.pgl"}, "the output name is empty"},
      {{"-o", "x.txt", "a.pgl", "b.pgl"}, "-o names the output of one log, but 2 logs were given"},
      {{"-x", "a.pgl"}, "unknown option '-x'"},
      {{"-qr5", "a.pgl"}, "unknown option '-qr5'"},
      {{"--res=5", "a.pgl"}, "unknown option '--res=5'"},
      {{"--verbose", "a.pgl"}, "unknown option '--verbose'"},
      {{"--quiet=yes", "a.pgl"}, "option '--quiet' takes no value"},
      {{"--help=all"}, "option '--help' takes no value"},
      {{"-h=all"}, "unknown option '-h=all'"},
      {{"--=a.pgl"}, "unknown option '--=a.pgl'"},
      {{"a.pgl", "--time-zone"}, "option '--time-zone' needs a time zone"},
      {{"a.pgl", "--week-rollover"}, "option '--week-rollover' needs a number of rollovers or off"},
      {{"--week-rollover=9", "a.pgl"}, "--week-rollover takes off or a number of rollovers from 0 to 8, not '9'"},
      {{"-", "-"}, "standard input (-) can be read only once"},
      {{"trip.pgl", "trip.pgl.bak"}, "two logs would both be written to 'trip.txt'"},
      {{"a.pgl", "a.pgl"}, "two logs would both be written to 'a.txt'"},
      {{"-f", "GPX", "a.pgl"}, "the format must be pushpin, gpx, kml, geojson, csv or svg, not 'GPX'"},
      {{"--format=", "a.pgl"}, "the format must be pushpin, gpx, kml, geojson, csv or svg, not ''"},
      {{"a.pgl", "-f"}, "option '-f' needs a format"},
      {{"--date", "2003-02-29", "a.pgl"},
       "the date must be a day from 0001-01-01 to 9999-12-31, written YYYY-MM-DD, not '2003-02-29'"},
      {{"--date=17.05.2003", "a.pgl"},
       "the date must be a day from 0001-01-01 to 9999-12-31, written YYYY-MM-DD, not '17.05.2003'"},
      {{"--date=0000-01-01", "a.pgl"},
       "the date must be a day from 0001-01-01 to 9999-12-31, written YYYY-MM-DD, not '0000-01-01'"},
      {{"--date=10000-01-01", "a.pgl"},
       "the date must be a day from 0001-01-01 to 9999-12-31, written YYYY-MM-DD, not '10000-01-01'"},
      {{"a.pgl", "--date"}, "option '--date' needs a date"},
      {{"-f", "kml", "trip.pgl", "trip.pgl.old"}, "two logs would both be written to 'trip.kml'"},
      {{"--stats=xml", "a.pgl"}, "--stats takes json, text or nothing, not 'xml'"},
      {{"--stats", "-o", "x.txt", "a.pgl"}, "--stats writes no file: -o has no use with it"},
      {{"-f", "gpx", "--stats", "a.pgl"}, "--stats writes no file: -f has no use with it"},
      {{"--stats", "-", "-"}, "standard input (-) can be read only once"},
  };
  for (const Row& row : rows) {
    CAPTURE(row.Message);
    const Outcome outcome = Parse(row.Arguments);
    CHECK(outcome.Status == cli::UsageExitStatus);
    CHECK(outcome.Err == "pinwell: " + row.Message + "\nTry 'pinwell --help' for more information.\n");
    CHECK(outcome.Out.empty());
    CHECK(outcome.Line.Conversions.empty());
  }
}

TEST_CASE("ParseCommandLine reads the format and the day") {
  struct Row {
    std::vector<std::string_view> Arguments;
    std::string Conversions;
    conversion::OutputFormat Format;
    std::optional<long long> FirstDay;
  };
  using enum conversion::OutputFormat;
  const Row rows[] = {
      {{"a.pgl", "b"}, "a.pgl>a.txt b>b.txt ", Pushpin, {}},
      {{"-f", "gpx", "a.pgl", "b"}, "a.pgl>a.gpx b>b.gpx ", Gpx, {}},
      {{"-fkml", "a.PGL"}, "a.PGL>a.kml ", Kml, {}},
      {{"--format=geojson", "a.pgl"}, "a.pgl>a.geojson ", GeoJson, {}},
      {{"a.pgl", "--format", "csv", "--date", "2003-05-17"}, "a.pgl>a.csv ", Csv, 12189},
      {{"--date=1970-01-01", "-f", "csv", "-f", "pushpin", "a.pgl"}, "a.pgl>a.txt ", Pushpin, 0},
      {{"--date=0001-01-01", "a.pgl"}, "a.pgl>a.txt ", Pushpin, -719162},
      {{"--date=9999-12-31", "a.pgl"}, "a.pgl>a.txt ", Pushpin, 2932896},
      {{"-f", "gpx", "-o", "x.txt", "a.pgl"}, "a.pgl>x.txt ", Gpx, {}},
      {{"-f", "gpx", "-"}, "->- ", Gpx, {}},
      // Logs that would share an output are no clash when nothing is written.
      {{"--stats", "a.pgl", "a.pgl", "-"}, "a.pgl> a.pgl> -> ", Statistics, {}},
  };
  for (const Row& row : rows) {
    CAPTURE(row.Conversions);
    const Outcome outcome = Parse(row.Arguments);
    CHECK_FALSE(outcome.Status.has_value());
    CHECK(Joined(outcome.Line.Conversions) == row.Conversions);
    CHECK(outcome.Line.Request.Format == row.Format);
    CHECK(outcome.Line.Request.Reading.FirstDay == row.FirstDay);
  }
  CHECK(Parse({"--stats", "a.pgl"}).Line.Statistics == cli::StatisticsReport::Text);
  CHECK(Parse({"--stats=text", "a.pgl"}).Line.Statistics == cli::StatisticsReport::Text);
  CHECK(Parse({"--stats=json", "a.pgl"}).Line.Statistics == cli::StatisticsReport::Json);
}

TEST_CASE("ParseCommandLine answers help and version at once") {
  for (const std::vector<std::string_view>& arguments :
       {std::vector<std::string_view>{"-h"}, {"a.pgl", "--help"}, {"-r", "5", "--help", "-x"}}) {
    const Outcome outcome = Parse(arguments);
    CHECK(outcome.Status == 0);
    CHECK(outcome.Out.starts_with("Usage: pinwell [options] LOG...\n"));
    CHECK(outcome.Err.empty());
  }
  const Outcome version = Parse({"--version", "a.pgl"});
  CHECK(version.Status == 0);
  CHECK(version.Out == "pinwell 1.0\n");
}

// What the usage shows how to type must be what the user typed: on Windows
// the program is pinwell-cli.exe.
TEST_CASE("ParseCommandLine names the program as it was started") {
  const Outcome refused = Parse({"-r", "0", "a.pgl"}, "pinwell-cli.exe");
  CHECK(refused.Err ==
        "pinwell: the resolution must be a whole number from 1 to 3600, not '0'\n"
        "Try 'pinwell-cli.exe --help' for more information.\n");

  const std::string usage = Parse({"--help"}, "pinwell-cli.exe").Out;
  CHECK(usage.starts_with("Usage: pinwell-cli.exe [options] LOG...\n"));
  // The examples' notes keep their column whatever the name's length.
  const std::string_view examples = std::string_view(usage).substr(usage.find("Examples:\n"));
  CHECK(examples.starts_with("Examples:\n"
                             "  pinwell-cli.exe trip.pgl               pushpins in trip.txt\n"
                             "  pinwell-cli.exe -f gpx trip.pgl        a GPX track in trip.gpx\n"
                             "  pinwell-cli.exe -f kml -r 5 trip.pgl   one fix in 5 in trip.kml\n"
                             "  pinwell-cli.exe --format=geojson trip.pgl\n"
                             "                                         trip.geojson\n"));
}

TEST_CASE("Durations and speeds as the track options take them") {
  const std::pair<std::string_view, std::optional<long long>> durations[] = {
      {"5s", 5000}, {"1m", 60000}, {"1h", 3600000}, {"1.5h", 5400000}, {"0.25s", 250}, {"90s", 90000},
      {"5", std::nullopt}, {"s", std::nullopt}, {"0s", std::nullopt}, {"-5s", std::nullopt},
      {"1e3s", std::nullopt}, {"5 s", std::nullopt}, {"5S", std::nullopt}, {"1.2.3s", std::nullopt},
      {"5min", std::nullopt}, {"0.0001s", std::nullopt},
  };
  for (const auto& [text, milliseconds] : durations) {
    CAPTURE(text);
    CHECK(cli::ReadDuration(text) == milliseconds);
  }
  const std::pair<std::string_view, std::optional<double>> speeds[] = {
      {"200kmh", 200.0}, {"200km/h", 200.0}, {"50ms", 180.0}, {"50m/s", 180.0}, {"100mph", 160.9344},
      {"10kn", 18.52}, {"300", std::nullopt}, {"0kmh", std::nullopt}, {"kmh", std::nullopt},
      {"300 kmh", std::nullopt}, {"-3kmh", std::nullopt},
  };
  for (const auto& [text, kmh] : speeds) {
    CAPTURE(text);
    const std::optional<double> read = cli::ReadSpeed(text);
    REQUIRE(read.has_value() == kmh.has_value());
    if (kmh) CHECK(*read == doctest::Approx(*kmh));
  }
}

TEST_CASE("ParseCommandLine reads the track options") {
  struct Row {
    std::vector<std::string_view> Arguments;
    std::string Conversions;
    std::string Track;  // every, split, fixes only, maximum speed, merge
  };
  auto track = [](const CommandLine& line) {
    const conversion::TrackOptions& t = line.Request.Track;
    auto value = [](const auto& v) { return v ? std::to_string(static_cast<long long>(*v)) : std::string("-"); };
    const conversion::OneFixPer* every = std::get_if<conversion::OneFixPer>(&line.Request.Kept);
    return (every ? std::to_string(every->Ms) : "-") + " " + value(t.SplitGapMs) + " " + (t.FixesOnly ? "F" : "-") + " " +
           value(t.MaxSpeedKmh) + " " + (line.Merge ? "M" : "-");
  };
  const Row rows[] = {
      {{"a.pgl"}, "a.pgl>a.txt ", "- - - - -"},
      {{"--every", "5s", "--split-gap=1m", "a.pgl"}, "a.pgl>a.txt ", "5000 60000 - - -"},
      {{"--fixes-only", "--max-speed", "50ms", "a.pgl"}, "a.pgl>a.txt ", "- - F 180 -"},
      {{"--merge", "-o", "day.gpx", "a.pgl", "b.pgl", "-"}, "a.pgl>day.gpx b.pgl>day.gpx ->day.gpx ", "- - - - M"},
      {{"--merge", "--stats", "a.pgl", "b.pgl"}, "a.pgl> b.pgl> ", "- - - - M"},
  };
  for (const Row& row : rows) {
    CAPTURE(row.Conversions);
    const Outcome outcome = Parse(row.Arguments);
    CHECK_FALSE(outcome.Status.has_value());
    CHECK(Joined(outcome.Line.Conversions) == row.Conversions);
    CHECK(track(outcome.Line) == row.Track);
  }
  CHECK(Parse({"--every=90s", "a.pgl"}).Line.EveryText == "90s");

  const std::pair<std::vector<std::string_view>, std::string> refused[] = {
      {{"-r", "5", "--every", "5s", "a.pgl"}, "-r and --every both choose the fixes kept: give one of them"},
      {{"--every", "5", "a.pgl"}, Duration("--every", "'5'")},
      {{"--every", "0s", "a.pgl"}, Duration("--every", "'0s'")},
      {{"--every", "0.0001s", "a.pgl"}, Duration("--every", "'0.0001s'")},
      {{"--every", "99999999999h", "a.pgl"}, Duration("--every", "'99999999999h'")},
      {{"--split-gap=-1m", "a.pgl"}, Duration("--split-gap", "'-1m'")},
      {{"--max-speed", "fast", "a.pgl"},
       "--max-speed takes a speed above 0 with its unit (kmh, km/h, ms, m/s, mph or kn: 200kmh, 50ms, 120mph, "
       "30kn), not 'fast'"},
      {{"a.pgl", "--max-speed"}, "option '--max-speed' needs a speed"},
      {{"a.pgl", "--every"}, "option '--every' needs a duration"},
      {{"--merge", "a.pgl", "b.pgl"}, "--merge writes one file: name it with -o"},
      {{"--fixes-only=yes", "a.pgl"}, "option '--fixes-only' takes no value"},
  };
  for (const auto& [arguments, message] : refused) {
    CAPTURE(message);
    CHECK(Parse(arguments).Err == "pinwell: " + message + "\nTry 'pinwell --help' for more information.\n");
  }
}

TEST_CASE("An option the chosen format does not use is noted") {
  const std::pair<std::vector<std::string_view>, std::string> rows[] = {
      {{"--continental", "-f", "gpx", "a.pgl"},
       "pinwell: --continental has no effect with -f gpx: it shapes the numbers of pushpin files only\n"},
      {{"--continental", "--stats", "a.pgl"},
       "pinwell: --continental has no effect with --stats: it shapes the numbers of pushpin files only\n"},
      {{"--date", "2003-05-17", "a.pgl"}, "pinwell: --date has no effect with -f pushpin: pushpin files carry no date\n"},
      {{"--split-gap", "60s", "a.pgl"},
       "pinwell: --split-gap has no effect with -f pushpin: pushpin files have no segments\n"},
      {{"--continental", "--date", "2003-05-17", "--split-gap", "60s", "-f", "kml", "a.pgl"},
       "pinwell: --continental has no effect with -f kml: it shapes the numbers of pushpin files only\n"},
      // A zone's rules need the date for the pushpin notes' times; a fixed offset does not.
      {{"--date", "2003-05-17", "--time-zone", "local", "a.pgl"}, ""},
      {{"--date", "2003-05-17", "--time-zone", "+05:30", "a.pgl"},
       "pinwell: --date has no effect with -f pushpin: pushpin files carry no date\n"},
  };
  for (const auto& [arguments, notes] : rows) {
    CAPTURE(notes);
    const Outcome outcome = Parse(arguments);
    CHECK_FALSE(outcome.Status.has_value());
    CHECK(outcome.Err == notes);
  }
}
