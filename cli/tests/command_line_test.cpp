#include <doctest/doctest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.hpp"

using cli::CommandLine;
using cli::Conversion;

namespace {

struct Outcome {
  std::optional<int> Status;
  CommandLine Line;
  std::string Out;
  std::string Err;
};

Outcome Parse(std::vector<std::string_view> arguments) {
  Outcome outcome;
  std::ostringstream out;
  std::ostringstream err;
  outcome.Status = cli::ParseCommandLine(arguments, outcome.Line, out, err);
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
    CHECK(outcome.Line.Resolution == row.Resolution);
    CHECK((outcome.Line.Style == conversion::NumberStyle::Continental) == row.Continental);
    CHECK(outcome.Line.Quiet == row.Quiet);
    CHECK(outcome.Out.empty());
    CHECK(outcome.Err.empty());
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
      {{"a.pgl", "--output"}, "option '--output' needs a file name"},
      {{"-o", "", "a.pgl"}, "the output name is empty"},
      {{"-o", "x.txt", "a.pgl", "b.pgl"}, "-o names the output of one log, but 2 logs were given"},
      {{"-x", "a.pgl"}, "unknown option '-x'"},
      {{"-qr5", "a.pgl"}, "unknown option '-qr5'"},
      {{"--res=5", "a.pgl"}, "unknown option '--res=5'"},
      {{"--verbose", "a.pgl"}, "unknown option '--verbose'"},
      {{"--quiet=yes", "a.pgl"}, "option '--quiet' takes no value"},
      {{"--help=all"}, "option '--help' takes no value"},
      {{"-", "-"}, "standard input (-) can be read only once"},
      {{"trip.pgl", "trip.pgl.bak"}, "two logs would both be written to 'trip.txt'"},
      {{"a.pgl", "a.pgl"}, "two logs would both be written to 'a.txt'"},
      {{"-f", "GPX", "a.pgl"}, "the format must be pushpin, gpx, kml, geojson, csv or svg, not 'GPX'"},
      {{"--format=", "a.pgl"}, "the format must be pushpin, gpx, kml, geojson, csv or svg, not ''"},
      {{"a.pgl", "-f"}, "option '-f' needs a format"},
      {{"--date", "2003-02-29", "a.pgl"},
       "the date must be a day from 0001-01-01 on, written YYYY-MM-DD, not '2003-02-29'"},
      {{"--date=17.05.2003", "a.pgl"},
       "the date must be a day from 0001-01-01 on, written YYYY-MM-DD, not '17.05.2003'"},
      {{"--date=0000-01-01", "a.pgl"},
       "the date must be a day from 0001-01-01 on, written YYYY-MM-DD, not '0000-01-01'"},
      {{"--date=10000-01-01", "a.pgl"},
       "the date must be a day from 0001-01-01 on, written YYYY-MM-DD, not '10000-01-01'"},
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
    CHECK(outcome.Line.Format.Format == row.Format);
    CHECK(outcome.Line.Format.FirstDay == row.FirstDay);
  }
  CHECK(Parse({"--stats", "a.pgl"}).Line.Statistics == cli::StatisticsReport::Text);
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
