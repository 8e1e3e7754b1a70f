#include <doctest/doctest.h>

#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "conversion/run/convert_log_file.hpp"
#include "conversion/tests/test_files.hpp"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace conversion;
using namespace conversion_tests;
using namespace std::literals;

namespace {

constexpr std::string_view Gga = "$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
constexpr std::string_view Gsa = "$GPGSA,A,3,04,05,09,12,24,,,,,,,,2.5,1.3,2.1*39\r\n";
constexpr std::string_view Vtg = "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n";
constexpr std::string_view EnglishHeader = "  Name, Latitude,  Longitude, Information\r\n";

// $GPGGA lines whose seconds count the fixes 0, 1, 2, ...
std::string Fixes(int count) {
  std::string log;
  for (int k = 0; k < count; ++k) {
    std::string line(Gga);
    line[11] = static_cast<char>('0' + k / 10 % 6);
    line[12] = static_cast<char>('0' + k % 10);
    log += line;
  }
  return log;
}

// The record lines of a pushpin file, header and record ends cut away.
std::vector<std::string> Records(const std::string& text) {
  std::vector<std::string> records;
  std::size_t start = text.find("\r\n") + 2;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    records.push_back(text.substr(start, end - start));
  return records;
}

std::vector<std::string> Names(const std::string& text) {
  std::vector<std::string> names;
  for (const std::string& record : Records(text)) names.push_back(record.substr(0, record.find_first_of(",\t")));
  return names;
}

std::vector<std::string> PredictedNames(int fixes, int resolution) {
  std::vector<std::string> names;
  for (int k = 1; k <= fixes; ++k)
    if ((k - 1) % resolution == 0 || k == fixes) names.push_back("Pt" + std::to_string(k));
  return names;
}

#ifndef _WIN32
constexpr uid_t Nobody = 65534;

// Permissions do not bind root, so as root the call runs as the user nobody.
template <typename Call>
auto AsUnprivilegedUser(Call call) {
  const bool root = geteuid() == 0;
  if (root) REQUIRE(seteuid(Nobody) == 0);
  auto result = call();
  if (root) REQUIRE(seteuid(0) == 0);
  return result;
}
#endif

struct Run {
  TempFolder Folder{"run"};
  std::string Log = Folder / "track.pgl";
  std::string Output = Folder / "track.txt";

  ConversionResult Convert(std::string_view log, NumberStyle style = NumberStyle::English, int resolution = 1) {
    WriteFile(Log, log);
    return ConvertLogFile({.Logs = {Log}, .Output = Output, .Style = style, .Kept = OneFixIn{resolution}});
  }
  std::string Text() const { return ReadFile(Output); }
  // Only the log and the output: no temporary file stays behind.
  std::size_t FileCount() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(Folder.Path), fs::directory_iterator()));
  }
};

}  // namespace

TEST_CASE("ConvertLogFile writes the worked example byte for byte") {
  Run run;
  const std::string log = std::string(Gga) + std::string(Gsa) + std::string(Vtg) + std::string(Gga);

  SUBCASE("English: the full form in the loop; the final record lists the satellites in use") {
    const ConversionResult result = run.Convert(log);
    REQUIRE(result.Succeeded());
    CHECK(result.RecordsWritten == 2);
    CHECK(result.SpeedAvailable);
    CHECK(run.Text() == std::string(EnglishHeader) +
                            "Pt1,   48.1173,   11.5167,\"Time: 12:35:19\rSpeed (mph/kph):   6.3/ 10.2"
                            "\rCourse (true):   54.7\rAltitude (m): 545.4\rSatellites:   4  5  9 12 24\"\r\n"
                            "Pt2,   48.1173,   11.5167,\"Time: 12:35:19\rSpeed (mph/kph):   6.3/ 10.2"
                            "\rCourse (true):   54.7\rAltitude (m): 545.4\rSatellites:   4  5  9 12 24  0  0  0\"\r\n");
    CHECK(run.FileCount() == 2);
  }
  SUBCASE("Continental") {
    REQUIRE(run.Convert(log, NumberStyle::Continental).Succeeded());
    CHECK(Records(run.Text())[0] ==
          "Pt1\t48,1173\t11,5167\t\"Time: 12:35:19\rSpeed (mph/kph): 6,3  /10,2 \rCourse (true): 54,7  "
          "\rAltitude (m): 545,4\rSatellites:   4  5  9 12 24\"");
    CHECK(run.Text().starts_with("Name\tLatitude\tLongitude\tInformation\r\n"));
  }
  SUBCASE("plain: no $GPVTG and an empty $GPGSA") {
    const ConversionResult result = run.Convert(std::string(Gga) + "$GPGSA,A,1,,,,,,,,,,,,,,,*1E\n" + std::string(Gga));
    CHECK_FALSE(result.SpeedAvailable);
    CHECK(Records(run.Text())[0] == "Pt1,   48.1173,   11.5167,\"Time: 12:35:19\rAltitude (m): 545.4\"");
  }
}

TEST_CASE("ConvertLogFile keeps one fix in R and always the last") {
  Run run;
  const struct {
    int fixes;
    int resolution;
    std::vector<std::string> names;
  } cases[] = {
      {12, 5, {"Pt1", "Pt6", "Pt11", "Pt12"}},
      {11, 10, {"Pt1", "Pt11"}},
      {11, 1, PredictedNames(11, 1)},
      {1, 10, {"Pt1"}},
      {0, 5, {}},
  };
  for (const auto& c : cases) {
    CAPTURE(c.fixes);
    CAPTURE(c.resolution);
    const ConversionResult result = run.Convert(Fixes(c.fixes), NumberStyle::English, c.resolution);
    REQUIRE(result.Succeeded());
    CHECK(Names(run.Text()) == c.names);
    CHECK(result.RecordsWritten == static_cast<int>(c.names.size()));
  }
  SUBCASE("the record of a fix shows that fix, not the next one") {
    REQUIRE(run.Convert(Fixes(12), NumberStyle::English, 5).Succeeded());
    const std::vector<std::string> records = Records(run.Text());
    CHECK(records[1].substr(records[1].find("Time: "), 14) == "Time: 12:35:05");
    CHECK(records[3].substr(records[3].find("Time: "), 14) == "Time: 12:35:11");
  }
}

TEST_CASE("ConvertLogFile decodes only what it should") {
  Run run;
  SUBCASE("an empty log gives the header alone") {
    const ConversionResult result = run.Convert("");
    CHECK(result.Succeeded());
    CHECK(result.RecordsWritten == 0);
    CHECK_FALSE(result.SpeedAvailable);
    CHECK(run.Text() == EnglishHeader);
  }
  SUBCASE("other talkers, leading blanks and lower case are not sentences of the run") {
    const std::string log = std::string(Gga) + "$GNGGA,1\n $GPGGA,1\n$gpgga,1\n$GPVTG\n$GNGSA,A,3,07\n";
    const ConversionResult result = run.Convert(log);
    CHECK(result.RecordsWritten == 1);
    CHECK(result.SpeedAvailable);
    CHECK(Records(run.Text())[0] ==
          "Pt1,   48.1173,   11.5167,\"Time: 12:35:19\rSpeed (mph/kph):   0.0/  0.0\rCourse (true):    0.0"
          "\rAltitude (m): 545.4\rSatellites:   0  0  0  0  0  0  0  0\"");
  }
  SUBCASE("malformed $GPGGA and $GPGSA lines are skipped entirely") {
    const std::string noFix = "$GPGGA,123520.000,,,,,0,00,,,M,,M,,*66\r\n";
    const std::string badGsa = "$GPGSA,A,3,07,x,,,,,,,,,2.5,1.3,2.1*39\r\n";
    const ConversionResult result = run.Convert(std::string(Gsa) + std::string(Gga) + badGsa + noFix);
    CHECK(result.RecordsWritten == 1);
    CHECK(Records(run.Text()) ==
          std::vector<std::string>{"Pt1,   48.1173,   11.5167,\"Time: 12:35:19\rAltitude (m): 545.4"
                                   "\rSatellites:   4  5  9 12 24  0  0  0\""});
  }
  SUBCASE("a record shows the last valid $GPGSA before it, however many lines come between") {
    auto gga = [](int second) {
      std::string line(Gga);
      line[11] = static_cast<char>('0' + second / 10);
      line[12] = static_cast<char>('0' + second % 10);
      return line;
    };
    auto plainGsa = [](std::string_view list) { return "$GPGSA,A,3," + std::string(list) + ",2.5,1.3,2.1*39\r\n"; };
    const std::string bad = "$GPGSA,A,3,07,x,,,,,,,,,2.5,1.3,2.1*39\r\n";
    const std::string log = gga(0) + plainGsa("01,02,,,,,,,,,,") + gga(1) + bad + gga(2) +
                            plainGsa("03,04,05,,,,,,,,,") + bad + gga(3) + plainGsa("06,,,,,,,,,,,") +
                            "$GPGSA,A,3,07,08\r\n" + gga(4) + bad + gga(5) + "$GPGSA,A,3,14\r\n" +
                            plainGsa("09,10,11,12,13,,,,,,,") + bad;
    auto satellites = [&run] {
      std::vector<std::string> lists;
      for (const std::string& record : Records(run.Text())) lists.push_back(record.substr(record.find("Satellites:")));
      return lists;
    };
    REQUIRE(run.Convert(log, NumberStyle::English, 2).Succeeded());
    CHECK(satellites() == std::vector<std::string>{"Satellites:   1  2\"", "Satellites:   3  4  5\"", "Satellites:   7  8\"",
                                                   "Satellites:   9 10 11 12 13  0  0  0\""});
    std::string many;
    for (int k = 0; k < 40; ++k) many += bad;
    const std::string longRun = gga(0) + plainGsa("01,02,,,,,,,,,,") + many + gga(1) + many + plainGsa("03,,,,,,,,,,,") +
                                many + "$GPGSA,A,3,04\r\n" + many + gga(2);
    REQUIRE(run.Convert(longRun, NumberStyle::English, 1).Succeeded());
    CHECK(satellites() == std::vector<std::string>{"Satellites:   1  2\"", "Satellites:   4\"",
                                                   "Satellites:   4  0  0  0  0  0  0  0\""});
  }
  SUBCASE("a record shows the latest readable $GPGGA before it") {
    std::string log = Fixes(3);
    log.insert(2 * Gga.size(), "$GPGGA,123559.000,48x7.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n");
    REQUIRE(run.Convert(log).Succeeded());
    std::vector<std::string> times;
    for (const std::string& record : Records(run.Text())) times.push_back(record.substr(record.find("Time: "), 14));
    CHECK(times == std::vector<std::string>{"Time: 12:35:00", "Time: 12:35:01", "Time: 12:35:02"});
  }
  SUBCASE("every run starts from an empty fix") {
    REQUIRE(run.Convert(std::string(Gsa) + std::string(Vtg) + std::string(Gga)).Succeeded());
    const ConversionResult second = run.Convert(std::string(Gga.substr(0, 47)) + "\n" + std::string(Gga));
    CHECK_FALSE(second.SpeedAvailable);
    CHECK(Records(run.Text())[0] == "Pt1,   48.1173,   11.5167,\"Time: 12:35:19\rAltitude (m): 0.0\"");
  }
}

namespace {
// A position of the talker at second 0 to 59 of 12:35.
std::string Position(std::string_view talker, int second) {
  std::string line(Gga);
  line.replace(1, 2, talker);
  line[11] = static_cast<char>('0' + second / 10);
  line[12] = static_cast<char>('0' + second % 10);
  return line;
}
std::string Satellites(std::string_view talker, std::string_view list) {
  return "$" + std::string(talker) + "GSA,A,3," + std::string(list) + "\r\n";
}
std::string Repeated(const std::string& text, int times) {
  std::string repeated;
  while (times-- > 0) repeated += text;
  return repeated;
}
std::string Course(std::string_view talker) { return "$" + std::string(talker) + "VTG,054.7,T,,M,,N,010.2,K\r\n"; }

// Each record as its second, "v" when it has a speed, and its satellites: "01 v 4 5".
std::vector<std::string> Summaries(const std::string& text) {
  std::vector<std::string> summaries;
  for (const std::string& record : Records(text)) {
    const std::size_t time = record.find("Time: ");
    std::string summary = record.substr(time + 12, 2);
    if (record.find("Speed") != std::string::npos) summary += " v";
    const std::size_t satellites = record.find("Satellites:");
    if (satellites != std::string::npos) {
      std::istringstream numbers(record.substr(satellites + 11));
      for (int prn; numbers >> prn;) summary += " " + std::to_string(prn);
    }
    summaries.push_back(summary);
  }
  return summaries;
}
}  // namespace

TEST_CASE("ConvertLogFile reads the talker of the log's first position") {
  Run run;
  const struct {
    std::string_view what;
    std::string log;
    std::vector<std::string> records;
  } cases[] = {
      {"a $GP log: other talkers are passed over",
       Position("GP", 1) + Satellites("GN", "07") + Satellites("GP", "04,05") + Course("GN") + Position("GN", 2) +
           Position("GP", 3),
       {"01 4 5", "03 4 5 0 0 0 0 0 0"}},
      {"a $GN log: its positions and courses only, the satellites of every talker pooled until the next position",
       Satellites("GP", "09") + Course("GP") + Position("GN", 1) + Satellites("GN", "04,05,,04") +
           Satellites("GN", "71,72") + Satellites("GL", "05,86") + Position("GP", 2) + Course("GN") +
           Position("GN", 3) + Satellites("GN", "05,,09"),
       {"01 v 4 5 71 72 86", "03 v 5 9 0 0 0 0 0 0"}},
      {"before the first position only $GP sentences count",
       Satellites("GN", "07") + Course("GN") + Satellites("GP", "09,10") + Position("GA", 1) + Position("GA", 2),
       {"01 9 10", "02 9 10 0 0 0 0 0 0"}},
      {"a satellite sentence that cannot be read changes nothing; a position without any keeps the list",
       Position("GN", 1) + Satellites("GN", "01,02") + Position("GN", 2) + Satellites("GN", "x") +
           Satellites("GN", "03") + Position("GN", 3) + Position("GN", 4),
       {"01 1 2", "02 3", "03 3", "04 3 0 0 0 0 0 0 0"}},
      {"a group longer than the sentences kept until a record: the list of the whole group",
       Position("GN", 1) + Satellites("GN", "01") + Repeated(Satellites("GN", "x"), 40) + Satellites("GL", "02") +
           Position("GN", 2) + Satellites("GN", "05") + Position("GN", 3) + Repeated(Satellites("GN", "x"), 40) +
           Satellites("GN", "03") + Position("GN", 4),
       {"01 1 2", "02 5", "03 3", "04 3 0 0 0 0 0 0 0"}},
      {"no more than 12 satellites",
       Position("BD", 1) + Satellites("BD", "01,02,03,04,05,06,07,08") + Satellites("GB", "09,10,11,12,13,14") +
           Position("BD", 2),
       {"01 1 2 3 4 5 6 7 8 9 10 11 12", "02 1 2 3 4 5 6 7 8"}},
  };
  for (const auto& c : cases) {
    CAPTURE(c.what);
    REQUIRE(run.Convert(c.log).Succeeded());
    CHECK(Summaries(run.Text()) == c.records);
  }
}

TEST_CASE("ConvertLogFile reads a log without GGA from its RMC, or without either from its GLL") {
  Run run;
  const std::string rmc = "$GNRMC,235959.50,A,4807.038,N,01131.000,E,5.4,54.7,311215,,,A*74\r\n";
  const std::string rmcVoid = "$GNRMC,000001,V,,,,,,,010116,,,N*4B\r\n";
  const std::string otherRmc = "$GPRMC,000002,A,5107.038,S,01131.000,W,,,010116,,,A*70\r\n";
  const std::string gll = "$ECGLL,5119.881,N,00125.169,W,164326,A,D*40\r\n";
  const std::string vtg = "$ECVTG,47.5,T,48.7,M,6.2,N,11.5,K,D*0B\r\n";
  const std::string rmcRecord = "Pt1,   48.1173,   11.5167,\"Time: 23:59:59\rSpeed (mph/kph):   6.2/ 10.0\rCourse (true):   54.7\"";
  const struct {
    std::string_view what;
    std::string log;
    std::vector<std::string> records;
    bool speed;
  } cases[] = {
      {"RMC: its own speed and course, no altitude or satellites; status V and other talkers passed over",
       rmcVoid + rmc + rmcVoid + otherRmc + std::string(Gsa) + std::string(Vtg), {rmcRecord}, true},
      {"a few GGA among many RMC: the GGA alone, as if there were no RMC",
       rmc + rmc + std::string(Gga) + rmc + std::string(Gsa) + std::string(Gga) + rmc,
       {"Pt1,   48.1173,   11.5167,\"Time: 12:35:19\rAltitude (m): 545.4\rSatellites:   4  5  9 12 24\"",
        "Pt2,   48.1173,   11.5167,\"Time: 12:35:19\rAltitude (m): 545.4\rSatellites:   4  5  9 12 24  0  0  0\""},
       false},
      {"RMC before GLL", gll + rmc, {rmcRecord}, true},
      {"GLL: a VTG of its talker after it gives the speed",
       gll + "$GPGLL,5119.881,N,00125.169,E,164328,A,D*4D\r\n" + gll + vtg,
       {"Pt1,   51.3313,   -1.4195,\"Time: 16:43:26\"",
        "Pt2,   51.3313,   -1.4195,\"Time: 16:43:26\rSpeed (mph/kph):   7.1/ 11.5\rCourse (true):   47.5\""},
       true},
  };
  for (const auto& c : cases) {
    CAPTURE(c.what);
    const ConversionResult result = run.Convert(c.log);
    REQUIRE(result.Succeeded());
    CHECK(Records(run.Text()) == c.records);
    CHECK(result.SpeedAvailable == c.speed);
  }
  SUBCASE("whatever the length of the log before its first GGA") {
    std::string log;
    while (log.size() < 3'000'000) log += rmc;
    const std::string gga = "$GPGGA,000002.00,5107.0380,S,01131.0000,W,1,00,0.9,5.4,M,46.9,M,,*68\r\n";
    const ConversionResult mixed = run.Convert(log + gga);
    CHECK(mixed.RecordsWritten == 1);
    CHECK(Records(run.Text()) == std::vector<std::string>{"Pt1,  -51.1173,  -11.5167,\"Time: 00:00:02\rAltitude (m): 5.4\""});
    CHECK(run.Convert(log).RecordsWritten == static_cast<int>(log.size() / rmc.size()));
  }
}

TEST_CASE("ConvertLogFile survives bad input") {
  Run run;
  std::uint32_t seed = 12345;
  auto randomByte = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<char>(seed >> 24);
  };
  SUBCASE("binary garbage with NUL bytes, and sentence heads among it") {
    std::string log;
    for (int i = 0; i < 3'000'000; ++i) {
      log += randomByte();
      if (i % 1000 == 0) log += "\n$GPGGA,";
      if (i % 1500 == 0) log += "\n$GPGSA,A,3,";
      if (i % 1700 == 0) log += "\n$GPVTG,";
    }
    const ConversionResult result = run.Convert(log);
    CHECK(result.Succeeded());
  }
  SUBCASE("a line of megabytes without newline, and a last line without newline") {
    std::string log = std::string(Gga) + "$GPGSA,A,3," + std::string(5'000'000, '1');
    log += '\n';
    log += Gga.substr(0, Gga.size() - 2);
    const ConversionResult result = run.Convert(log);
    REQUIRE(result.Succeeded());
    CHECK(result.RecordsWritten == 2);
    CHECK(result.SpeedAvailable == false);
  }
  SUBCASE("a CR-only file gives every record") {
    std::string log;
    for (int i = 0; i < 40'000; ++i) log += std::string(Gga.substr(0, Gga.size() - 1)) + std::string(Vtg.substr(0, Vtg.size() - 1));
    const ConversionResult result = run.Convert(log);
    REQUIRE(result.Succeeded());
    CHECK(result.RecordsWritten == 40'000);
    CHECK(Records(run.Text())[1] == "Pt2,   48.1173,   11.5167,\"Time: 12:35:19\rSpeed (mph/kph):   6.3/ 10.2\rCourse (true):   54.7\rAltitude (m): 545.4\"");
  }
}

TEST_CASE("ConvertLogFile failures leave the files as they were") {
  Run run;
  WriteFile(run.Log, Gga);
  WriteFile(run.Output, "earlier output");

  SUBCASE("a log that cannot be opened") {
    const std::string missing = run.Folder / "missing.pgl";
    bool announced = false;
    const ConversionResult result = ConvertLogFile({.Logs = {missing}, .Output = run.Output, .Announcement = [&] { announced = true; }});
    CHECK_FALSE(result.Succeeded());
    CHECK(result.FailedFile == missing);
    CHECK(result.FailureReason == "No such file or directory");
    CHECK_FALSE(announced);
    CHECK(run.Text() == "earlier output");
  }
  SUBCASE("an output that cannot be created") {
    const std::string output = run.Folder / "no-such-folder/track.txt";
    bool announced = false;
    const ConversionResult result = ConvertLogFile({.Logs = {run.Log}, .Output = output, .Announcement = [&] { announced = true; }});
    CHECK(announced);
    CHECK(result.FailedFile == output);
    CHECK(result.FailureReason == "No such file or directory");
    CHECK(run.FileCount() == 2);
  }
  SUBCASE("the output is never the log itself") {
    for (const std::string& output : {run.Log, (run.Folder.Path / "." / "track.pgl").string()}) {
      CAPTURE(output);
      const ConversionResult result = ConvertLogFile({.Logs = {run.Log}, .Output = output});
      CHECK(result.FailedFile == output);
      CHECK(result.FailureReason == "is the log file itself; choose another output file");
      CHECK(ReadFile(run.Log) == Gga);
    }
  }
  SUBCASE("an output replaced when the run succeeded keeps its permissions and owner") {
#ifndef _WIN32
    fs::permissions(run.Output, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // Only root may give a file away.
    const bool root = geteuid() == 0;
    if (root) REQUIRE(chown(run.Output.c_str(), Nobody, Nobody) == 0);
#endif
    const ConversionResult result = ConvertLogFile({.Logs = {run.Log}, .Output = run.Output});
    CHECK(result.Succeeded());
    CHECK(run.Text().starts_with(EnglishHeader));
    CHECK(run.FileCount() == 2);
#ifndef _WIN32
    CHECK(fs::status(run.Output).permissions() == (fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read));
    struct stat status {};
    REQUIRE(stat(run.Output.c_str(), &status) == 0);
    CHECK(status.st_uid == (root ? Nobody : geteuid()));
#endif
  }
  SUBCASE("a file with the longest name a file may have is replaced") {
    const std::string output = run.Folder / std::string(255, 'n');
    WriteFile(output, "earlier output");
    CHECK(ConvertLogFile({.Logs = {run.Log}, .Output = output}).Succeeded());
    CHECK(ReadFile(output).starts_with(EnglishHeader));
  }
#ifndef _WIN32
  SUBCASE("a file that may not be written is not replaced") {
    fs::permissions(run.Output, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const ConversionResult result = AsUnprivilegedUser([&] { return ConvertLogFile({.Logs = {run.Log}, .Output = run.Output}); });
    fs::permissions(run.Output, fs::perms::owner_write, fs::perm_options::add);
    CHECK(result.FailedFile == run.Output);
    CHECK(result.FailureReason == "Permission denied");
    CHECK(run.Text() == "earlier output");
    CHECK(run.FileCount() == 2);
  }
  SUBCASE("a file that may be written in a folder that may not: the folder is named") {
    fs::permissions(run.Output, fs::perms::all & ~fs::perms::owner_exec & ~fs::perms::group_exec & ~fs::perms::others_exec);
    fs::permissions(run.Folder.Path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const ConversionResult result = AsUnprivilegedUser([&] { return ConvertLogFile({.Logs = {run.Log}, .Output = run.Output}); });
    fs::permissions(run.Folder.Path, fs::perms::owner_write, fs::perm_options::add);
    CHECK(result.FailedFile == run.Folder.Path.string() + "/");
    CHECK(result.FailureReason == "Permission denied");
    CHECK(run.Text() == "earlier output");
    CHECK(run.FileCount() == 2);
  }
#endif
#ifdef _WIN32
  SUBCASE("a device is written, never replaced") {
    CHECK(ConvertLogFile({.Logs = {run.Log}, .Output = "NUL"}).Succeeded());
    CHECK_FALSE(fs::exists("NUL.tmp0"));
  }
#else
  SUBCASE("a link to the log is the log") {
    const std::string link = run.Folder / "link.txt";
    fs::create_symlink(run.Log, link);
    CHECK(ConvertLogFile({.Logs = {run.Log}, .Output = link}).FailureReason == "is the log file itself; choose another output file");
    fs::remove(link);
    fs::create_hard_link(run.Log, link);
    CHECK(ConvertLogFile({.Logs = {run.Log}, .Output = link}).FailureReason == "is the log file itself; choose another output file");
    CHECK(ReadFile(run.Log) == Gga);
  }
  SUBCASE("a write error") {
    const ConversionResult result = ConvertLogFile({.Logs = {run.Log}, .Output = "/dev/full"});
    CHECK(result.FailedFile == "/dev/full");
    CHECK(result.FailureReason == "No space left on device");
  }
  SUBCASE("a read error keeps the earlier output") {
    const std::string folderAsLog = run.Folder / "folder.pgl";
    fs::create_directory(folderAsLog);
    const ConversionResult result = ConvertLogFile({.Logs = {folderAsLog}, .Output = run.Output});
    CHECK(result.FailedFile == folderAsLog);
    CHECK(result.FailureReason == "Is a directory");
    CHECK(run.Text() == "earlier output");
    CHECK(run.FileCount() == 3);
  }
  SUBCASE("a device is written, never replaced") {
    CHECK(ConvertLogFile({.Logs = {run.Log}, .Output = "/dev/null"}).Succeeded());
    CHECK(fs::is_character_file("/dev/null"));
  }
#endif
}

TEST_CASE("ConvertLogFile reads standard input and reports progress") {
  Run run;
  const std::string log = std::string(Gga) + std::string(Gga);
  WriteFile(run.Log, log);
  SUBCASE("the name - reads standard input") {
    REQUIRE(std::freopen(run.Log.c_str(), "rb", stdin) != nullptr);
    const ConversionResult result = ConvertLogFile({.Logs = {"-"}, .Output = run.Output});
    std::fclose(stdin);
    CHECK(result.RecordsWritten == 2);
    CHECK(Names(run.Text()) == std::vector<std::string>{"Pt1", "Pt2"});
  }
  SUBCASE("progress against the size of the log, announcement before the output exists") {
    std::vector<std::uint64_t> reports;
    bool outputExisted = true;
    const ConversionResult result = ConvertLogFile({.Logs = {run.Log},
                                                    .Output = run.Output,
                                                    .Announcement = [&] { outputExisted = fs::exists(run.Output); },
                                                    .Progress = [&](std::uint64_t done, std::uint64_t total) {
                                                      CHECK(total == log.size());
                                                      reports.push_back(done);
                                                    }});
    CHECK(result.Succeeded());
    CHECK_FALSE(outputExisted);
    REQUIRE_FALSE(reports.empty());
    CHECK(reports.back() == log.size());
  }
}

// Expected files checked by hand against the log's text and the output rules:
// mixed line ends and fixes without satellites; times without decimals and
// altitudes of two decimals, with no $GPVTG; sparse $GPGSA lines; a receiver
// of two systems ($GNGGA, with $GLGGA and $GPGGA passed over, and the
// satellites of $GNGSA, $GLGSA and $GPGSA pooled); lines ended by CR alone;
// and the two logs written for the logs without GGA, one of RMC only, one of
// GLL only.
TEST_CASE("ConvertLogFile writes real logs exactly as checked by hand") {
  Run run;
  for (const std::string_view log : {"nmea-real/gpsd-bn-9015.log", "nmea-real/gpsd-tomtom-mkII.log",
                                     "nmea-real/gpsd-gpslim236.log", "nmea-real/gpsd-ch-4711.log",
                                     "nmea-real/marineapi-Garmin-GPS76.txt", "nmea-written/ublox-rmc-only.log",
                                     "nmea-written/ecdis-gll-only.log"}) {
    for (const auto& [style, name] : {std::pair{NumberStyle::English, "english"}, std::pair{NumberStyle::Continental, "continental"}}) {
      CAPTURE(log);
      CAPTURE(name);
      const std::string data = PINWELL_DATA_DIR;
      const std::string stem(log.substr(log.find('/') + 1, log.rfind('.') - log.find('/') - 1));
      const std::string expected = ReadFile(data + "/pushpins/" + stem + "." + name + ".txt");
      REQUIRE(expected.size() > 100);
      REQUIRE(ConvertLogFile({.Logs = {data + "/" + std::string(log)}, .Output = run.Output, .Style = style}).Succeeded());
      CHECK(run.Text() == expected);
    }
  }
}

TEST_CASE("ConvertLogFile converts every real log") {
  Run run;
  int logs = 0;
  int records = 0;
  for (const auto& entry : fs::directory_iterator(PINWELL_DATA_DIR "/nmea-real")) {
    if (entry.path().filename() == "SOURCES.md") continue;
    ++logs;
    const std::string log = entry.path().string();
    CAPTURE(log);
    const ConversionResult all = ConvertLogFile({.Logs = {log}, .Output = run.Output});
    REQUIRE(all.Succeeded());
    const int fixes = all.RecordsWritten;
    records += fixes;
    for (const NumberStyle style : {NumberStyle::English, NumberStyle::Continental}) {
      for (const int resolution : {1, 5, 10}) {
        CAPTURE(style);
        CAPTURE(resolution);
        const ConversionResult result =
            ConvertLogFile({.Logs = {log}, .Output = run.Output, .Style = style, .Kept = OneFixIn{resolution}});
        REQUIRE(result.Succeeded());
        CHECK(result.SpeedAvailable == all.SpeedAvailable);
        CHECK(Names(run.Text()) == PredictedNames(fixes, resolution));
        CHECK(result.RecordsWritten == (fixes == 0 ? 0 : 1 + (fixes - 1 + resolution - 1) / resolution));
      }
    }
  }
  CHECK(logs >= 30);
  CHECK(records > 5000);
}

namespace {

// A fix at hhmmss, at 48 degrees 7.038 minutes north unless given.
std::string At(std::string_view time, std::string_view latitude = "4807.0380,N", char quality = '1',
               std::string_view longitude = "01131.0000,E") {
  return "$GPGGA," + std::string(time) + "," + std::string(latitude) + "," + std::string(longitude) + "," +
         quality + ",08,0.9,545.4,M,46.9,M,,*47\n";
}
std::string Rmc(std::string_view time, char status, std::string_view date = "170503") {
  return "$GPRMC," + std::string(time) + "," + status + ",4807.038,N,01131.000,E,,," + std::string(date) + ",,*6A\n";
}

// Each CSV row's name, time and, where there is one, segment.
std::string CsvRows(const std::string& csv) {
  const bool segments = csv.starts_with("name,time,latitude,longitude,altitude_m,speed_kmh,course,satellites,segment");
  std::string rows;
  for (std::size_t row = csv.find("\r\n") + 2; row < csv.size(); row = csv.find("\r\n", row) + 2) {
    const std::string line = csv.substr(row, csv.find("\r\n", row) - row);
    const std::size_t second = line.find(',', line.find(',') + 1);
    rows += (rows.empty() ? "" : " ") + line.substr(0, second);
    if (segments) rows += line.substr(line.rfind(','));
  }
  return rows;
}

// A CSV file of the fixes the options keep; every fix without everyMs.
ConversionRequest Csv(std::optional<long long> everyMs, std::optional<long long> splitMs, bool fixesOnly,
                      std::optional<double> maxKmh) {
  ConversionRequest request;
  request.Format = OutputFormat::Csv;
  if (everyMs) request.Kept = OneFixPer{*everyMs};
  request.Track = {splitMs, fixesOnly, maxKmh};
  return request;
}

}  // namespace

TEST_CASE("ConvertLogFile keeps the fixes the track options choose, dated back to the log's start") {
  Run run;
  struct Case {
    const char* Name;
    ConversionRequest Request;
    std::optional<long long> Day;  // --date
    std::string Log;
    std::string Rows;
  };
  const ConversionRequest none = Csv({}, {}, false, {});
  const Case cases[] = {
      {"every 5 s across midnight", Csv(5000, {}, false, {}), {},
       Rmc("235957", 'A') + At("235958") + At("235959") + At("000000") + At("000001") + At("000002") +
           At("000003") + At("000004") + At("000005"),
       "Pt1,2003-05-17T23:59:58Z Pt6,2003-05-18T00:00:03Z Pt8,2003-05-18T00:00:05Z"},
      {"a gap longer than 60 s", Csv({}, 60000, false, {}), 0,
       At("120000") + At("120001") + At("120300") + At("120301"),
       "Pt1,1970-01-01T12:00:00Z,1 Pt2,1970-01-01T12:00:01Z,1 Pt3,1970-01-01T12:03:00Z,2 "
       "Pt4,1970-01-01T12:03:01Z,2"},
      {"no fix: quality 0, zeros, an RMC with V before or after its position", Csv({}, {}, true, {}), 0,
       At("120000") + At("120001", "4807.0380,N", '0') + At("120002", "0000.0000,N", '1', "00000.0000,E") +
           Rmc("120003", 'V') +
           At("120003") + At("120004") + Rmc("120004", 'V') + Rmc("120005", 'A') + At("120005"),
       "Pt1,2003-05-17T12:00:00Z Pt6,2003-05-17T12:00:05Z"},
      {"a jump of 500 km in a second", Csv({}, {}, false, 300), 0,
       At("120000") + At("120001", "5237.0380,N") + At("120002"), "Pt1,1970-01-01T12:00:00Z Pt3,1970-01-01T12:00:02Z"},
      {"a first fix 11 km off waits, and is left out", Csv({}, {}, false, 100), 0,
       At("120000", "4813.0380,N") + At("120001") + At("120002") + At("120003"),
       "Pt2,1970-01-01T12:00:01Z Pt3,1970-01-01T12:00:02Z Pt4,1970-01-01T12:00:03Z"},
      {"off the earth, whatever the options", none, 0, At("120000") + At("120001", "9500.0000,N") + At("120002"),
       "Pt1,1970-01-01T12:00:00Z Pt3,1970-01-01T12:00:02Z"},
      {"dates taken back over midnight from the first RMC", none, 0,
       At("235959") + At("000000") + Rmc("000001", 'A', "180503") + At("000001"),
       "Pt1,2003-05-17T23:59:59Z Pt2,2003-05-18T00:00:00Z Pt3,2003-05-18T00:00:01Z"},
      {"the date of a fix left out (no fix) dates the fixes kept", Csv({}, {}, true, {}), {},
       At("120000") + At("120001", "4807.0380,N", '0') + Rmc("120001", 'A'), "Pt1,2003-05-17T12:00:00Z"},
      {"the date of a fix left out (too fast) dates the fixes kept", Csv({}, {}, false, 300), {},
       At("235959") + At("000000") + At("000001", "5237.0380,N") + Rmc("000001", 'A'),
       "Pt1,2003-05-16T23:59:59Z Pt2,2003-05-17T00:00:00Z"},
      {"a ZDA date of any talker", none, {}, At("120000") + "$GNZDA,120000.00,17,05,2003,00,00*60\n",
       "Pt1,2003-05-17T12:00:00Z"},
  };
  SUBCASE("a table of small logs") for (const Case& c : cases) {
    CAPTURE(c.Name);
    WriteFile(run.Log, c.Log);
    ConversionRequest request = c.Request;
    request.Logs = {run.Log};
    request.Output = run.Output;
    request.Reading.FirstDay = c.Day;
    const ConversionResult result = ConvertLogFile(request);
    REQUIRE(result.Succeeded());
    CHECK(CsvRows(run.Text()) == c.Rows);
    CHECK(result.UndatedPoints == 0);
  }
  SUBCASE("the last real fix is written with its own values") {
    WriteFile(run.Log, At("120000") + At("120001", "4807.6000,N") + At("120002", "4810.0000,N", '0'));
    REQUIRE(ConvertLogFile({.Logs = {run.Log}, .Output = run.Output, .Format = OutputFormat::Csv,
                            .Kept = OneFixIn{10}, .Track = {.FixesOnly = true}})
                .Succeeded());
    CHECK(CsvRows(run.Text()) == "Pt1, Pt2,");
    CHECK(run.Text().ends_with("Pt2,,48.126667,11.516667,545.4,,,\r\n"));
  }
  SUBCASE("the pushpin file keeps positions off the earth, and knows no segments") {
    REQUIRE(run.Convert(At("120000") + At("120001", "9500.0000,N")).Succeeded());
    CHECK(Names(run.Text()) == std::vector<std::string>{"Pt1", "Pt2"});
    WriteFile(run.Log, At("120000") + At("120001") + At("120500") + At("120501"));
    REQUIRE(ConvertLogFile({.Logs = {run.Log}, .Output = run.Output, .Kept = OneFixIn{3}, .Track = {.SplitGapMs = 60000}})
                .Succeeded());
    CHECK(Names(run.Text()) == std::vector<std::string>{"Pt1", "Pt4"});
  }
}

TEST_CASE("ConvertLogFile merges logs one after the other as one track") {
  Run run;
  const std::string a = run.Folder / "a.pgl";
  const std::string b = run.Folder / "b.pgl";
  const std::string c = run.Folder / "c.pgl";
  WriteFile(a, At("120000") + At("120001"));
  WriteFile(b, At("120100") + At("120101"));
  // Between the two others: it overlaps b.
  WriteFile(c, At("120030") + At("120130"));
  ConversionRequest request = Csv({}, 600000, false, {});
  request.Logs = {a, b, c};
  request.Output = run.Output;
  request.Reading.FirstDay = 0;

  const ConversionResult split = ConvertLogFile(request);
  REQUIRE(split.Succeeded());
  CHECK(split.RecordsWritten == 6);
  CHECK(CsvRows(run.Text()) == "Pt1,1970-01-01T12:00:00Z,1 Pt2,1970-01-01T12:00:01Z,1 Pt3,1970-01-01T12:01:00Z,2 "
                               "Pt4,1970-01-01T12:01:01Z,2 Pt5,1970-01-01T12:00:30Z,3 Pt6,1970-01-01T12:01:30Z,3");
  REQUIRE(split.Logs.size() == 3);
  CHECK(split.Logs[1].Overlapped.empty());
  CHECK(split.Logs[2].Overlapped == std::vector<std::size_t>{1});

  // Each log keeps its first and last fix; a missing log writes nothing.
  request.Kept = OneFixPer{3600000};
  request.Track.SplitGapMs.reset();
  REQUIRE(ConvertLogFile(request).Succeeded());
  CHECK(CsvRows(run.Text()) == "Pt1,1970-01-01T12:00:00Z Pt2,1970-01-01T12:00:01Z Pt3,1970-01-01T12:01:00Z "
                               "Pt4,1970-01-01T12:01:01Z Pt5,1970-01-01T12:00:30Z Pt6,1970-01-01T12:01:30Z");
  const std::string written = run.Text();
  const std::string gone = run.Folder / "gone.pgl";
  request.Logs = {a, gone};
  CHECK(ConvertLogFile(request).FailedFile == gone);
  CHECK(run.Text() == written);
}
