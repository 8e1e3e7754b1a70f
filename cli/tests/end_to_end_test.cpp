// Runs the built pinwell as a user would, through the system's command
// interpreter, and looks at its exit status, its messages and its files.

#include <doctest/doctest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "text/wide_names.hpp"
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

namespace fs = std::filesystem;

namespace {

struct Run {
  int Status = -1;
  std::string Out;
  std::string Err;
};

// A UTF-8 name as the platform's path (a plain string would be read in the
// ANSI code page on Windows).
fs::path Named(std::string_view name) { return fs::path(std::u8string(name.begin(), name.end())); }

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& file, std::string_view bytes) {
  std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The messages as a program writes them in text mode: CR LF on Windows.
std::string Lines(std::string text) {
#ifdef _WIN32
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) {
    text.insert(at, 1, '\r');
  }
#endif
  return text;
}

std::size_t CountOf(std::string_view text, std::string_view part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + part.size())) {
    ++count;
  }
  return count;
}

// Runs pinwell in the scratch folder with the arguments (plain words, no
// quoting needed) and, when given, a file as its standard input and another
// redirection of its standard output than into run.out.
Run Pinwell(std::string_view arguments, std::string_view input = {}, std::string_view output = "> run.out") {
  std::string command = "\"" PINWELL_EXECUTABLE "\" " + std::string(arguments);
  if (!input.empty()) command += " < " + std::string(input);
  command += " 2> run.err " + std::string(output);
#ifdef _WIN32
  // cmd.exe drops the outermost pair of quotes.
  command = "\"" + command + "\"";
#endif
  Run run;
#ifdef _WIN32
  // Wide, so that names beyond the ANSI code page reach pinwell whole.
  run.Status = _wsystem(text::WideFromUtf8<wchar_t>(command).c_str());
#else
  const int status = std::system(command.c_str());
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
  run.Out = Contents("run.out");
  run.Err = Contents("run.err");
  return run;
}

// Three fixes with speed, two without: the lines a receiver logs each second.
constexpr std::string_view MovingLog =
    "$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*59\r\n"
    "$GPGSA,A,3,04,05,09,12,24,,,,,,,,2.5,1.3,2.1*39\r\n"
    "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n"
    "$GPGGA,123520.000,4807.0390,N,01131.0010,E,1,08,0.9,545.6,M,46.9,M,,*51\r\n"
    "$GPVTG,054.9,T,034.6,M,005.6,N,010.4,K*41\r\n"
    "$GPGGA,123521.000,4807.0400,N,01131.0020,E,1,08,0.9,545.8,M,46.9,M,,*53\r\n"
    "$GPVTG,055.1,T,034.8,M,005.7,N,010.6,K*45\r\n";
constexpr std::string_view StillLog =
    "$GPGGA,000001.000,5130.0000,N,00007.0000,W,1,05,1.2,011.0,M,46.9,M,,*42\r\n"
    "$GPGGA,000002.000,5130.0000,N,00007.0000,W,1,05,1.2,011.0,M,46.9,M,,*41\r\n";

// A fresh folder for each test case, left behind for a look after a failure.
struct Scratch {
  fs::path Before = fs::current_path();
  explicit Scratch(std::string_view name) {
    const fs::path folder = Before / "end_to_end" / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::current_path(folder);
    Write("moving.pgl", MovingLog);
    Write("still.PGL", StillLog);
  }
  ~Scratch() { fs::current_path(Before); }
};

}  // namespace

TEST_CASE("pinwell converts logs and reports as the desktop program does") {
  Scratch scratch("success");

  SUBCASE("one log: the desktop program's lines alone") {
    const Run run = Pinwell("moving.pgl");
    CHECK(run.Status == 0);
    CHECK(run.Out == Lines("3 records written.  Resolution (secs):  1\n"));
    CHECK(run.Err == "");
    // The header and one line per record, each ended by CR LF.
    CHECK(CountOf(Contents("moving.txt"), "\r\n") == 4);
  }
  SUBCASE("several logs with options: each report names its log") {
    const Run run = Pinwell("-r 5 moving.pgl --continental still.PGL");
    CHECK(run.Status == 0);
    CHECK(run.Out == Lines("moving.pgl: 2 records written.  Resolution (secs):  5\n"
                           "still.PGL: 2 records written.  Resolution (secs):  5\n"
                           "still.PGL: Speed/Course data not available\n"));
    CHECK(run.Err == "");
    CHECK(CountOf(Contents("moving.txt"), "\r\n") == 3);
    CHECK(CountOf(Contents("still.txt"), "\r\n") == 3);
  }
  SUBCASE("quiet says nothing") {
    const Run run = Pinwell("-q moving.pgl");
    CHECK(run.Status == 0);
    CHECK(run.Out == "");
    CHECK(run.Err == "");
    CHECK(fs::exists("moving.txt"));
  }
}

TEST_CASE("pinwell says why a log gave no record, and counts the wrong checksums") {
  Scratch scratch("notes");
  const std::string noFix = "$GPGGA,123519.000,,,,,0,00,,,M,,M,,*75\r\n";
  const std::string garbled = "$GPGGA,123519.000,48x7.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,\r\n";
  std::string wrongChecksum(MovingLog);
  wrongChecksum.replace(wrongChecksum.find("*51"), 3, "*52");
  std::string wrongCourse(MovingLog);  // the course of the second fix, which -r 2 passes over
  wrongCourse.replace(wrongCourse.find("*41"), 3, "*40");
  const struct {
    std::string_view Arguments;
    std::string Log;
    std::string_view Records;
    std::string_view Err;
  } rows[] = {
      {"log.pgl", "$GPGSV,1,1,00*79\r\n$GPZDA,201530.00,04,07,2002,00,00*60\r\n", "0",
       "pinwell: log.pgl: no position sentence (GGA, RMC or GLL) in 2 lines\n"},
      {"log.pgl", "$GPGSV,1,1,00*79\r\n$GNRMC,,V,,,,,,,,,,N*4D\r\n", "0",
       "pinwell: log.pgl: no position in 1 $GNRMC sentence: the receiver had no fix (positions from RMC: the log "
       "has no GGA)\n"},
      {"log.pgl", "$ECGLL,,,,,164334,V,N*72\r\n$GPGLL,5119.881,N,00125.169,E,164336,A,D*42\r\n", "0",
       "pinwell: log.pgl: no position in 1 $ECGLL sentence; 1 $GPGLL sentence after them passed over, as the log "
       "starts with $ECGLL (positions from GLL: the log has no GGA or RMC)\n"},
      {"log.pgl", "$GNRMC,,V,,,,,,,,,,N*4D\r\n" + noFix, "0",
       "pinwell: log.pgl: no position in 1 $GPGGA sentence: the receiver had no fix\n"},
      {"log.pgl", noFix + noFix, "0", "pinwell: log.pgl: no position in 2 $GPGGA sentences: the receiver had no fix\n"},
      {"log.pgl", garbled, "0", "pinwell: log.pgl: no position in 1 $GPGGA sentence: none could be read\n"},
      {"log.pgl", noFix + garbled + noFix, "0",
       "pinwell: log.pgl: no position in 3 $GPGGA sentences: 1 could not be read, the others had no fix\n"},
      {"log.pgl", noFix + "$GNGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n", "0",
       "pinwell: log.pgl: no position in 1 $GPGGA sentence; 1 $GNGGA sentence after them passed over, as the log "
       "starts with $GPGGA\n"},
      {"log.pgl", wrongChecksum, "3",
       "pinwell: log.pgl: 1 sentence with a wrong checksum read all the same (--checksums skips them)\n"},
      {"--checksums log.pgl", wrongChecksum, "2", "pinwell: log.pgl: 1 sentence with a wrong checksum skipped (--checksums)\n"},
      {"-r 2 log.pgl", wrongCourse, "2", ""},
      {"-r 2 --checksums log.pgl", wrongCourse, "2", "pinwell: log.pgl: 1 sentence with a wrong checksum skipped (--checksums)\n"},
  };
  for (const auto& row : rows) {
    CAPTURE(row.Log);
    Write("log.pgl", row.Log);
    const Run run = Pinwell(row.Arguments);
    CHECK(run.Status == 0);
    CHECK(run.Out.starts_with(std::string(row.Records) + " records written."));
    CHECK(run.Err == Lines(std::string(row.Err)));
  }
}

TEST_CASE("pinwell goes on past a log that fails and says which") {
  Scratch scratch("missing");
  const Run run = Pinwell("moving.pgl missing.pgl still.PGL");
  CHECK(run.Status == 1);
  CHECK(run.Err == Lines("pinwell: missing.pgl: No such file or directory\n"));
  CHECK(run.Out == Lines("moving.pgl: 3 records written.  Resolution (secs):  1\n"
                         "still.PGL: 2 records written.  Resolution (secs):  1\n"
                         "still.PGL: Speed/Course data not available\n"));
  CHECK(fs::exists("moving.txt"));
  CHECK(fs::exists("still.txt"));
  CHECK_FALSE(fs::exists("missing.txt"));
}

// Every file of the scratch folder but the run's own messages, with its bytes.
static std::map<std::string, std::string> Files() {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(".")) {
    const std::string name = entry.path().generic_string();
    if (entry.is_regular_file() && name != "./run.out" && name != "./run.err") files[name] = Contents(entry.path());
  }
  return files;
}

TEST_CASE("pinwell -j N says and writes exactly what -j 1 does, in the order given") {
  Scratch scratch("jobs");
  // The real logs, a log that gives no position and one that is missing.
  std::string logs;
  for (const auto& entry : fs::directory_iterator(PINWELL_DATA_DIR "/nmea-real")) {
    if (entry.path().extension() == ".md") continue;
    const std::string name = entry.path().filename().string() + ".pgl";
    fs::copy_file(entry.path(), name);
    logs += ' ';
    logs += name;
  }
  REQUIRE(logs.size() > 100);
  Write("nofix.pgl", "$GPGGA,123519.000,,,,,0,00,,,M,,M,,*75\r\n");
  logs += " nofix.pgl missing.pgl moving.pgl";
  for (const std::string_view options : {"", "-f gpx --fixes-only", "--stats"}) {
    CAPTURE(options);
    const std::map<std::string, std::string> before = Files();
    const Run one = Pinwell("-j 1 " + std::string(options) + logs);
    const std::map<std::string, std::string> written = Files();
    for (const auto& [name, bytes] : written)
      if (!before.contains(name)) fs::remove(name);
    const Run three = Pinwell("-j 3 " + std::string(options) + logs);
    CHECK(three.Status == 1);
    CHECK(three.Status == one.Status);
    CHECK(three.Out == one.Out);
    CHECK(three.Err == one.Err);
    CHECK(Files() == written);
    CHECK(one.Err.find("nofix.pgl") < one.Err.find("missing.pgl"));
  }
}

TEST_CASE("pinwell refuses a command line it cannot act on") {
  Scratch scratch("usage");
  const Run run = Pinwell("-r 0 moving.pgl");
  CHECK(run.Status == 2);
  CHECK(run.Out == "");
  // The hint names the program as it was started: pinwell-cli.exe on Windows.
  const std::string program = fs::path(PINWELL_EXECUTABLE).filename().string();
  CHECK(run.Err == Lines("pinwell: the resolution must be a whole number from 1 to 3600, not '0'\n"
                         "Try '" + program + " --help' for more information.\n"));
  CHECK_FALSE(fs::exists("moving.txt"));
}

TEST_CASE("pinwell refuses, before writing anything, an output that is a log or another output") {
  Scratch scratch("clashes");
  Write("moving.txt", StillLog);
  Write("still.txt", "earlier pushpins");
  fs::create_directory("moving.pgl.d");
  Write("moving.pgl.d/trip.pgl", MovingLog);
  Write(Named("\xC3\xB6.pgl"), MovingLog);
  fs::create_directory(Named("\xC3\x96.pgl.d"));
  Write(Named("\xC3\x96.pgl.d/trip.pgl"), MovingLog);
  const struct {
    std::string_view Arguments;
    std::string_view Input;
    std::string_view Output;
    std::string_view Message;
  } rows[] = {
      {"moving.pgl moving.txt", {}, "> run.out", "moving.txt: is the log moving.txt; choose another output file"},
      {"moving.txt moving.pgl", {}, "> run.out", "moving.txt: is the log moving.txt; choose another output file"},
      {"moving.pgl.d/trip.pgl still.PGL ./moving.pgl", {}, "> run.out",
       "./moving.txt: is the output of moving.pgl.d/trip.pgl too; convert one of the two logs with -o"},
#ifdef _WIN32
      // Names compared as the file system compares them, in any case.
      {"\xC3\xB6.pgl \xC3\x96.pgl.d/trip.pgl", {}, "> run.out",
       "\xC3\x96.txt: is the output of \xC3\xB6.pgl too; convert one of the two logs with -o"},
#else
      {"- -o still.PGL", "still.PGL", "> run.out",
       "still.PGL: is the log on standard input; choose another output file"},
      {"-o - moving.pgl", {}, ">> moving.pgl", "standard output: is the log moving.pgl; choose another output file"},
      {"still.PGL -", "moving.pgl", ">> still.txt",
       "standard output: is the output of still.PGL too; convert one of the two logs with -o"},
      {"- moving.pgl.d/trip.pgl", "still.PGL", ">> moving.txt",
       "moving.txt: is the output of standard input too; convert one of the two logs with -o"},
#endif
  };
  for (const auto& row : rows) {
    CAPTURE(row.Arguments);
    const auto before = Files();
    const Run run = Pinwell(row.Arguments, row.Input, row.Output);
    CHECK(run.Status == 1);
    CHECK(run.Err == Lines("pinwell: " + std::string(row.Message) + "\n"));
    CHECK(Files() == before);
  }
  SUBCASE("outputs not there yet compared as files, not as spellings") {
    fs::remove("moving.txt");
    const Run run = Pinwell("moving.pgl.d/trip.pgl ./moving.pgl");
    CHECK(run.Status == 1);
    CHECK(run.Err == Lines("pinwell: ./moving.txt: is the output of moving.pgl.d/trip.pgl too; convert one of the two logs with -o\n"));
    CHECK_FALSE(fs::exists("moving.txt"));
  }
#ifndef _WIN32
  SUBCASE("an output not there yet behind a chain of links, the first of them dangling") {
    fs::remove("moving.txt");
    fs::create_symlink("moving.txt", "link.txt");
    fs::create_directory("links");
    fs::create_symlink("../link.txt", "links/chain.txt");
    Write("links/chain.pgl", StillLog);
    const Run run = Pinwell("moving.pgl links/chain.pgl");
    CHECK(run.Status == 1);
    CHECK(run.Err == "pinwell: links/chain.txt: is the output of moving.pgl too; convert one of the two logs with -o\n");
    CHECK_FALSE(fs::exists("moving.txt"));
  }
#endif
}

// Whether a log has a GGA at all shows only at its end; standard input, read
// once, gives what the file gives, however much comes before the first GGA
// (a line longer than the reading's buffer included).
TEST_CASE("pinwell reads a log without GGA from standard input as from its file") {
  Scratch scratch("without-gga");
  const std::string rmc = "$GPRMC,123519.00,A,4807.038,N,01131.000,E,5.4,54.7,170503,,,A*66\r\n";
  std::string log = std::string(1'500'000, 'x') + "\r\n";
  while (log.size() < 3'000'000) log += rmc;
  const std::string gga(MovingLog.substr(0, MovingLog.find('\n') + 1));
  // Of a log that has a GGA, the GGA alone: no RMC gives a speed.
  for (const auto& [name, bytes, report] :
       {std::tuple{std::string_view("rmc.pgl"), log, "22728 records written.  Resolution (secs):  1\n"},
        std::tuple{std::string_view("mixed.pgl"), log + gga, "1 records written.  Resolution (secs):  1\nSpeed/Course data not available\n"}}) {
    CAPTURE(name);
    Write(name, bytes);
    CHECK(Pinwell("-o file.txt " + std::string(name)).Out == Lines(report));
    CHECK(Pinwell("-o input.txt -", name).Status == 0);
    CHECK(Contents("input.txt") == Contents("file.txt"));
  }
  const Run stats = Pinwell("--stats -", "rmc.pgl");
  CHECK(stats.Out.find(Lines("  Positions from:  RMC: the log has no GGA\n"
                             "  Not in the log:  altitude, satellites in use\n")) != std::string::npos);
}

TEST_CASE("pinwell reads and writes names beyond ASCII") {
  Scratch scratch("names");
  REQUIRE(Pinwell("moving.pgl").Status == 0);
  const std::string pushpins = Contents("moving.txt");
  // caf\u00E9, J\u00F6rg, \u5730\u56F3 (a map), \U0001F697 (a car).
  fs::create_directory(Named("J\xC3\xB6rg"));
  const struct {
    std::string_view Log;
    std::string_view Arguments;
    std::string_view Output;
  } rows[] = {
      {"caf\xC3\xA9.pgl", "caf\xC3\xA9.pgl", "caf\xC3\xA9.txt"},
      {"J\xC3\xB6rg/\xE5\x9C\xB0\xE5\x9B\xB3.pgl", "-o \xF0\x9F\x9A\x97.txt J\xC3\xB6rg/\xE5\x9C\xB0\xE5\x9B\xB3.pgl",
       "\xF0\x9F\x9A\x97.txt"},
      {"\xF0\x9F\x9A\x97.pgl", "\xF0\x9F\x9A\x97.pgl", "\xF0\x9F\x9A\x97.txt"},  // replaces the one before
  };
  for (const auto& row : rows) {
    CAPTURE(row.Arguments);
    Write(Named(row.Log), MovingLog);
    const Run run = Pinwell("-q " + std::string(row.Arguments));
    CHECK(run.Status == 0);
    CHECK(run.Err == "");
    CHECK(Contents(Named(row.Output)) == pushpins);
  }
  // A map format, which spools its track to a temporary file, and a failure
  // that names the file.
  Run run = Pinwell("-q -f gpx J\xC3\xB6rg/\xE5\x9C\xB0\xE5\x9B\xB3.pgl");
  CHECK(run.Status == 0);
  CHECK(CountOf(Contents(Named("J\xC3\xB6rg/\xE5\x9C\xB0\xE5\x9B\xB3.gpx")),
                "<name>\xE5\x9C\xB0\xE5\x9B\xB3.pgl</name>") == 1);
  run = Pinwell("r\xC3\xA9sum\xC3\xA9.pgl");
  CHECK(run.Status == 1);
  CHECK(run.Err == Lines("pinwell: r\xC3\xA9sum\xC3\xA9.pgl: No such file or directory\n"));
  // Nothing left beside the outputs: no temporary file under a garbled name.
  std::size_t files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(".")) files += entry.is_regular_file() ? 1 : 0;
  CHECK(files == 11);
}

TEST_CASE("pinwell writes map formats and says when their points lack a time") {
  Scratch scratch("formats");
  SUBCASE("without a date") {
    const Run run = Pinwell("-f kml moving.pgl");
    CHECK(run.Status == 0);
    CHECK(run.Out == Lines("3 records written.  Resolution (secs):  1\n"));
    CHECK(run.Err == Lines("pinwell: moving.pgl: 3 points written without time: the log gives no date (RMC or ZDA "
                           "sentences) and no --date\n"));
    CHECK(CountOf(Contents("moving.kml"), "<when>") == 0);
  }
  SUBCASE("with a date") {
    const Run run = Pinwell("--format=kml --date 2003-05-17 moving.pgl");
    CHECK(run.Status == 0);
    CHECK(run.Err == "");
    CHECK(CountOf(Contents("moving.kml"), "<when>2003-05-17T12:35:") == 3);
  }
  SUBCASE("past the last day a date holds") {
    Write("late.pgl", "$GPGGA,235959.000,5130.0000,N,00007.0000,W,1,05,1.2,011.0,M,46.9,M,,*42\r\n"
                      "$GPGGA,000000.000,5130.0000,N,00007.0000,W,1,05,1.2,011.0,M,46.9,M,,*43\r\n");
    const Run run = Pinwell("-f gpx --date 9999-12-31 late.pgl");
    CHECK(run.Status == 0);
    CHECK(run.Err == Lines("pinwell: late.pgl: 1 point written without time: past 9999-12-31\n"));
    CHECK(CountOf(Contents("late.gpx"), "<time>9999-12-31T23:59:59Z</time>") == 1);
    // A time that is no time of day gives a point without one.
    Write("odd.pgl", "$GPGGA,126100.000,5130.0000,N,00007.0000,W,1,05,1.2,011.0,M,46.9,M,,*47\r\n$GPGGA,250000.000,5130.0000,N,00007.0000,W,1,05,1.2,011.0,M,46.9,M,,*44\r\n");
    CHECK(Pinwell("-f gpx --date 2003-05-17 odd.pgl").Err ==
          Lines("pinwell: odd.pgl: 2 positions without time: no time of day (hours beyond 23, minutes or seconds "
                "beyond 59)\n"));
    // The log's own date runs out the same way.
    Write("late-dated.pgl", "$GPZDA,235959.00,31,12,9999,00,00*66\r\n" + Contents("late.pgl"));
    CHECK(Pinwell("-f gpx late-dated.pgl").Err ==
          Lines("pinwell: late-dated.pgl: 1 point written without time: past 9999-12-31\n"));
  }
}

TEST_CASE("pinwell shows times in a zone, and moves dates from before a GPS week rollover") {
  Scratch scratch("zones");
  // Berlin's change to summer time inside one drive; and a drive of
  // 2019-07-10 by a receiver past its rollover.
  Write("spring.pgl", "$GPRMC,005959,A,5231.0000,N,01323.0000,E,010.0,090.0,290326,,*1F\r\n"
                      "$GPGGA,005959.000,5231.0000,N,01323.0000,E,1,08,0.9,34.0,M,46.9,M,,*67\r\n"
                      "$GPRMC,010000,A,5231.0010,N,01323.0010,E,010.0,090.0,290326,,*1E\r\n"
                      "$GPGGA,010000.000,5231.0010,N,01323.0010,E,1,08,0.9,34.0,M,46.9,M,,*66\r\n");
  Write("old.pgl", "$GPRMC,123519,A,4807.0380,N,01131.0000,E,010.0,090.0,241199,,*1C\r\n"
                   "$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*59\r\n");
  struct Row {
    const char* Arguments;
    const char* Output;  // the file whose lines are looked for; "" for standard output
    std::vector<std::string> Lines;
    const char* Err;
  };
  const Row rows[] = {
#ifndef _WIN32
      {"--time-zone Europe/Berlin spring.pgl", "spring.txt", {"\"Time: 01:59:59", "\"Time: 03:00:00"}, ""},
      {"-f csv --time-zone Europe/Berlin spring.pgl", "spring.csv",
       {"Pt1,2026-03-29T01:59:59+01:00,", "Pt2,2026-03-29T03:00:00+02:00,"}, ""},
      {"--stats --time-zone Europe/Berlin spring.pgl", "",
       {"  Time zone:       Europe/Berlin\n", "  First fix:       2026-03-29 01:59:59 +01:00\n",
        "  Last fix:        2026-03-29 03:00:00 +02:00\n"},
       ""},
      {"-f gpx --time-zone Europe/Berlin spring.pgl", "spring.gpx", {"<time>2026-03-29T00:59:59Z</time>"}, ""},
      {"--time-zone Europe/Berlin moving.pgl", "moving.txt", {"\"Time: 12:35:19"},
       "pinwell: moving.pgl: 3 times left in UTC: the log gives no date (RMC or ZDA sentences) and no --date, and "
       "the offset of Europe/Berlin depends on it\n"},
#endif
      {"--time-zone +05:30 moving.pgl", "moving.txt", {"\"Time: 18:05:19"}, ""},
      {"-f csv old.pgl", "old.csv", {"Pt1,2019-07-10T12:35:19Z,"},
       "pinwell: old.pgl: dates moved forward by 1024 weeks: the receiver reports dates from before its GPS week "
       "rollover\n"},
      {"-f csv --week-rollover off old.pgl", "old.csv", {"Pt1,1999-11-24T12:35:19Z,"}, ""},
      {"-f csv --week-rollover 2 spring.pgl", "spring.csv", {"Pt1,2065-06-28T00:59:59Z,"},
       "pinwell: spring.pgl: dates moved forward by 2048 weeks: the receiver reports dates from before its GPS "
       "week rollover\n"},
  };
  for (const Row& row : rows) {
    CAPTURE(row.Arguments);
    const Run run = Pinwell(std::string("-q ") + row.Arguments);
    CHECK(run.Status == 0);
    CHECK(run.Err == Lines(row.Err));
    const std::string written = *row.Output ? Contents(row.Output) : run.Out;
    for (const std::string& line : row.Lines) {
      CAPTURE(line);
      CHECK(CountOf(written, *row.Output ? line : Lines(line)) == 1);
    }
  }

  const Run unknown = Pinwell("--time-zone Europe/Berln moving.pgl");
  CHECK(unknown.Status == 2);
  CHECK(unknown.Err.starts_with("pinwell: unknown time zone 'Europe/Berln': "));
}

TEST_CASE("pinwell --stats tells what each log holds and writes nothing") {
  Scratch scratch("stats");
  const Run text = Pinwell("--stats --date 2003-05-17 moving.pgl missing.pgl");
  CHECK(text.Status == 1);
  // Three fixes 1.853 m north and 1.238 m east of each other, 10.2 to 10.6 km/h logged.
  CHECK(text.Out == Lines("moving.pgl:\n"
                          "  Records:         3\n"
                          "  First fix:       2003-05-17 12:35:19 UTC\n"
                          "  Last fix:        2003-05-17 12:35:21 UTC\n"
                          "  Duration:        0:00:02\n"
                          "  Distance:        0.004 km (0.003 mi)\n"
                          "  Moving time:     0:00:02\n"
                          "  Average speed:   8.0 km/h (5.0 mph) moving\n"
                          "  Maximum speed:   10.6 km/h (6.6 mph)\n"
                          "  Bounding box:    48.117300 N to 48.117333 N, 11.516667 E to 11.516700 E\n"
                          "  Talker:          GP\n"
                          "  Positions from:  GGA\n"
                          "  No position:     0 sentences\n"
                          "  Wrong checksum:  0 sentences\n"
                          "\n"));
  CHECK(text.Err == Lines("pinwell: missing.pgl: No such file or directory\n"));

  // A fix whose checksum is wrong, then a sentence without a position.
  const std::string gaps = "$GPGGA,000001.000,5130.0000,N,00007.0000,W,1,05,1.2,011.0,M,46.9,M,,*00\r\n"
                           "$GPGGA,000002.000,,,,,0,00,,,M,,M,,*7A\r\n";
  Write("gaps.pgl", gaps);
  const Run json = Pinwell("--stats=json -r 2 moving.pgl still.PGL gaps.pgl");
  CHECK(json.Status == 0);
  CHECK(json.Out ==
        Lines("{\"log\":\"moving.pgl\",\"records\":2,\"left_out_without_fix\":null,"
              "\"left_out_beyond_speed\":null,\"left_out_off_earth\":0,\"first_time\":null,\"last_time\":null,"
              "\"duration_s\":2,\"distance_km\":0.004,\"distance_mi\":0.003,\"moving_time_s\":2,"
              "\"average_speed_kmh\":8.02,\"maximum_speed_kmh\":10.6,\"speed_logged\":true,"
              "\"bounding_box\":{\"south\":48.1173,\"west\":11.516667,\"north\":48.117333,\"east\":11.5167},"
              "\"talker\":\"GP\",\"positions_from\":\"GGA\",\"sentences_without_position\":0,\"wrong_checksums\":0}\n"
              "{\"log\":\"still.PGL\",\"records\":2,\"left_out_without_fix\":null,"
              "\"left_out_beyond_speed\":null,\"left_out_off_earth\":0,\"first_time\":null,\"last_time\":null,"
              "\"duration_s\":1,\"distance_km\":0,\"distance_mi\":0,\"moving_time_s\":0,"
              "\"average_speed_kmh\":null,\"maximum_speed_kmh\":0,\"speed_logged\":false,"
              "\"bounding_box\":{\"south\":51.5,\"west\":-0.116667,\"north\":51.5,\"east\":-0.116667},"
              "\"talker\":\"GP\",\"positions_from\":\"GGA\",\"sentences_without_position\":0,\"wrong_checksums\":0}\n"
              "{\"log\":\"gaps.pgl\",\"records\":1,\"left_out_without_fix\":null,"
              "\"left_out_beyond_speed\":null,\"left_out_off_earth\":0,\"first_time\":null,\"last_time\":null,"
              "\"duration_s\":0,\"distance_km\":0,\"distance_mi\":0,\"moving_time_s\":0,"
              "\"average_speed_kmh\":null,\"maximum_speed_kmh\":null,\"speed_logged\":false,"
              "\"bounding_box\":{\"south\":51.5,\"west\":-0.116667,\"north\":51.5,\"east\":-0.116667},"
              "\"talker\":\"GP\",\"positions_from\":\"GGA\",\"sentences_without_position\":1,\"wrong_checksums\":1}\n"));
  CHECK(json.Err ==
        Lines("pinwell: gaps.pgl: 1 sentence with a wrong checksum read all the same (--checksums skips them)\n"));
  // What the track options left out: the second fix had none.
  std::string noFix(MovingLog);
  noFix[noFix.find(",E,1,", noFix.find("123520")) + 3] = '0';
  Write("nofix.pgl", noFix);
  const Run left = Pinwell("--stats --fixes-only --max-speed 300kmh nofix.pgl");
  CHECK(left.Out.starts_with(
      Lines("nofix.pgl:\n  Records:         2\n  Left out:        1 without a fix, 0 beyond the maximum speed\n")));
  CHECK(Files() == std::map<std::string, std::string>{{"./gaps.pgl", gaps},
                                                      {"./moving.pgl", std::string(MovingLog)},
                                                      {"./nofix.pgl", noFix},
                                                      {"./still.PGL", std::string(StillLog)}});
}

#ifdef _WIN32

// Ctrl+C (and so Ctrl+Break and a closed console, which reach the same
// handler) while it writes: the temporary file goes and the earlier output
// stays.
TEST_CASE("pinwell stopped from its console leaves nothing behind") {
  Scratch scratch("console");
  Write("out.txt", "earlier pushpins");
  // A log on a pipe that stays open keeps the run going until the key comes.
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE logEnd = nullptr, writeEnd = nullptr;
  REQUIRE(CreatePipe(&logEnd, &writeEnd, &inherited, 0));
  SetHandleInformation(writeEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = logEnd;
  std::wstring command = text::WideFromUtf8<wchar_t>("\"" PINWELL_EXECUTABLE "\" -o out.txt -");
  PROCESS_INFORMATION process{};
  // A console of its own, which this test joins to press the keys there.
  REQUIRE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NEW_CONSOLE, nullptr, nullptr,
                         &startup, &process));
  CloseHandle(logEnd);
  DWORD written = 0;
  WriteFile(writeEnd, MovingLog.data(), static_cast<DWORD>(MovingLog.size()), &written, nullptr);
  const std::string temporary = "out.txt.pinwell-" + std::to_string(process.dwProcessId) + ".tmp";
  for (int wait = 0; wait < 1000 && !fs::exists(temporary); ++wait) Sleep(10);
  CHECK(fs::exists(temporary));
  FreeConsole();
  CHECK(AttachConsole(process.dwProcessId));
  SetConsoleCtrlHandler(nullptr, TRUE);
  CHECK(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0));
  // Ended by the key: the log never ends.
  CHECK(WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0);
  FreeConsole();
  CloseHandle(writeEnd);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CHECK(Contents("out.txt") == "earlier pushpins");
  CHECK(Files().size() == 3);
}

#else

TEST_CASE("pinwell on the standard streams") {
  Scratch scratch("streams");
  REQUIRE(Pinwell("moving.pgl").Status == 0);
  const std::string pushpins = Contents("moving.txt");
  REQUIRE(pushpins != "");

  SUBCASE("-o - writes the pushpins to standard output, the report to standard error") {
    const Run run = Pinwell("-o - moving.pgl");
    CHECK(run.Status == 0);
    CHECK(run.Out == pushpins);
    CHECK(run.Err == "3 records written.  Resolution (secs):  1\n");
  }
  SUBCASE("- as the log reads standard input and writes standard output") {
    const Run run = Pinwell("-", "moving.pgl");
    CHECK(run.Status == 0);
    CHECK(run.Out == pushpins);
    CHECK(run.Err == "3 records written.  Resolution (secs):  1\n");
  }
  SUBCASE("standard input beside other logs") {
    const Run run = Pinwell("still.PGL -", "moving.pgl");
    CHECK(run.Status == 0);
    CHECK(run.Out == pushpins);
    CHECK(run.Err == "still.PGL: 2 records written.  Resolution (secs):  1\n"
                     "still.PGL: Speed/Course data not available\n"
                     "standard input: 3 records written.  Resolution (secs):  1\n");
  }
  SUBCASE("names of open descriptors are written through them: into a pipe, appended to a file") {
    Run run = Pinwell("-o /dev/stdout moving.pgl", {}, "| cat > run.out");
    CHECK(run.Out == pushpins);
    CHECK(run.Err == "3 records written.  Resolution (secs):  1\n");
    run = Pinwell("-q -o /dev/fd/3 moving.pgl 3>&1", {}, "| cat > run.out");
    CHECK(run.Out == pushpins);
    CHECK(run.Err == "");
    Write("earlier.txt", "earlier\n");
    run = Pinwell("-q -o /dev/stdout moving.pgl", {}, ">> earlier.txt");
    CHECK(run.Status == 0);
    CHECK(Contents("earlier.txt") == "earlier\n" + pushpins);
  }
  SUBCASE("standard input into a file") {
    const Run run = Pinwell("-o from-input.txt -", "moving.pgl");
    CHECK(run.Status == 0);
    CHECK(run.Out == "3 records written.  Resolution (secs):  1\n");
    CHECK(Contents("from-input.txt") == pushpins);
  }
}

// The README's example of a job runner converting a folder, run as it is written there.
TEST_CASE("pinwell under xargs -P converts a folder as the README says") {
  Scratch scratch("fleet");
  std::ifstream readme(PINWELL_DATA_DIR "/../README.md");
  std::string command;
  for (std::string line; std::getline(readme, line) && command.empty();)
    if (line.find("| xargs -0") != std::string::npos) command = line;
  REQUIRE(command != "");
  fs::create_directories("logs/more");
  std::vector<std::string> logs;
  for (const auto& entry : fs::directory_iterator(PINWELL_DATA_DIR "/nmea-real")) {
    if (entry.path().extension() == ".md") continue;
    logs.push_back((logs.size() % 2 == 0 ? "logs/" : "logs/more/") + entry.path().stem().string() + ".pgl");
    fs::copy_file(entry.path(), logs.back());
  }
  REQUIRE(logs.size() > 20);
  const std::string folder = fs::path(PINWELL_EXECUTABLE).parent_path().string();
  REQUIRE(std::system(("export PATH='" + folder + "':\"$PATH\"; " + command).c_str()) == 0);
  for (const std::string& log : logs) {
    CAPTURE(log);
    const std::string output = log.substr(0, log.size() - 4) + ".txt";
    REQUIRE(Pinwell("-q -o expected.txt " + log).Status == 0);
    CHECK(Contents(output) == Contents("expected.txt"));
  }
}

// Ended by a signal while it writes, pinwell removes its temporary file,
// leaves the earlier output as it was and ends by that signal: every signal
// that ends a process unless caught, faults included.
TEST_CASE("pinwell ended by a signal leaves nothing behind") {
  Scratch scratch("signals");
  std::vector<int> signals = {SIGHUP,  SIGINT,  SIGQUIT, SIGILL,  SIGTRAP,   SIGABRT, SIGBUS,  SIGFPE,
                              SIGUSR1, SIGSEGV, SIGUSR2, SIGPIPE, SIGALRM,   SIGTERM, SIGXCPU, SIGXFSZ,
                              SIGVTALRM, SIGPROF, SIGSYS, SIGRTMIN, SIGRTMAX};
#ifdef __linux__
  signals.insert(signals.end(), {SIGSTKFLT, SIGIO, SIGPWR});
#endif
  // A file-size limit, as the system sends it: the run grows its file past it.
  constexpr int SizeLimit = 0;
  signals.push_back(SizeLimit);
  for (const int signal : signals) {
    CAPTURE(signal);
    Write("out.txt", "earlier pushpins");
    // A log on a pipe that stays open keeps the run going until the signal comes.
    int pipeEnds[2];
    REQUIRE(pipe(pipeEnds) == 0);
    const pid_t child = fork();
    REQUIRE(child >= 0);
    if (child == 0) {
      dup2(pipeEnds[0], 0);
      close(pipeEnds[1]);
      for (int reset = 1; reset < NSIG; ++reset) std::signal(reset, SIG_DFL);
      const rlimit none{0, 0}, small{64, 64};
      setrlimit(RLIMIT_CORE, &none);
      if (signal == SizeLimit) setrlimit(RLIMIT_FSIZE, &small);
      // The sanitizers' own handlers would report the faults and exit instead.
      setenv("ASAN_OPTIONS", "handle_segv=0:handle_sigbus=0:handle_sigfpe=0", 1);
      execl(PINWELL_EXECUTABLE, "pinwell", "-o", "out.txt", "-", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(pipeEnds[0]);
    REQUIRE(write(pipeEnds[1], MovingLog.data(), MovingLog.size()) == static_cast<ssize_t>(MovingLog.size()));
    // The name shows whose file it is.
    const std::string temporary = "out.txt.pinwell-" + std::to_string(child) + ".tmp";
    for (int wait = 0; wait < 1000 && !fs::exists(temporary); ++wait) usleep(10'000);
    CHECK(fs::exists(temporary));
    if (signal == SizeLimit) close(pipeEnds[1]);
    else kill(child, signal);
    int status = 0;
    waitpid(child, &status, 0);
    if (signal != SizeLimit) close(pipeEnds[1]);
    CHECK(WIFSIGNALED(status));
    CHECK(WTERMSIG(status) == (signal == SizeLimit ? SIGXFSZ : signal));
    CHECK(Contents("out.txt") == "earlier pushpins");
    CHECK(Files().size() == 3);
  }
}

TEST_CASE("pinwell writing to devices") {
  Scratch scratch("devices");

  SUBCASE("/dev/null takes the pushpins and stays what it is") {
    const Run run = Pinwell("-o /dev/null moving.pgl");
    CHECK(run.Status == 0);
    CHECK(run.Out == "3 records written.  Resolution (secs):  1\n");
    struct stat status {};
    REQUIRE(stat("/dev/null", &status) == 0);
    CHECK(S_ISCHR(status.st_mode));
  }
  SUBCASE("a full device is a failure with the system's reason") {
    for (const std::string_view format : {"pushpin", "gpx", "kml", "geojson", "csv"}) {
      CAPTURE(format);
      const std::string date = format == "pushpin" ? "" : "--date 2003-05-17 ";
      const Run run = Pinwell(date + "-o /dev/full -f " + std::string(format) + " moving.pgl");
      CHECK(run.Status == 1);
      CHECK(run.Out == "");
      CHECK(run.Err == "pinwell: /dev/full: No space left on device\n");
    }
  }
  SUBCASE("a report that cannot be written is a failure too") {
    const Run run = Pinwell("moving.pgl", {}, "> /dev/full");
    CHECK(run.Status == 1);
    CHECK(run.Err == "pinwell: standard output: No space left on device\n");
    CHECK(fs::exists("moving.txt"));
  }
}

#endif
