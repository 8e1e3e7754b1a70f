#include "shell/convert_log.hpp"

#include <doctest/doctest.h>

#include <cstdlib>
#include <string>

#include "conversion/run/convert_log_file.hpp"
#include "conversion/tests/test_files.hpp"
#include "shell/application_state.hpp"
#include "shell/tests/recording_toolkit.hpp"

using namespace shell;
using conversion_tests::ReadFile;
using conversion_tests::WriteFile;

namespace {

constexpr std::string_view Gga = "$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*59\r\n";
constexpr std::string_view Vtg = "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n";

// Runs each case in a fresh folder as the current one, so that names are short
// and shown whole.
struct Workspace {
  conversion_tests::TempFolder Folder{"shell"};
  std::filesystem::path Previous = std::filesystem::current_path();
  testing::RecordingToolkit Toolkit;

  Workspace() {
    std::filesystem::current_path(Folder.Path);
    Application = {};
  }
  ~Workspace() { std::filesystem::current_path(Previous); }

  // As after File > Open of the log.
  void Opened(std::string_view log, std::string_view output) {
    Application.InputLogName = log;
    Application.OutputFileName = output;
    Application.ProgressLines[0] = "Reading from ... " + std::string(log);
    Application.ProgressLineCount = 1;
  }
};

// Save As offers every type, in the table's order: "Pushpin text (*.txt)|*.txt|GPX track (*.gpx)|*.gpx|...".
std::string SaveAsDialog(std::string_view proposed) {
  std::string types;
  for (const conversion::FormatRow& row : conversion::FormatRows()) {
    if (row.TypeName.empty()) continue;
    const std::string extension(row.Extension);
    types += std::string(row.TypeName) + " (*" + extension + ")|*" + extension + "|";
  }
  REQUIRE(types.starts_with("Pushpin text (*.txt)|*.txt|GPX track (*.gpx)|*.gpx|"));
  return "FileSelect(\"" + types + "\", 67, \"" + std::string(proposed) + "\", \"Save File\", 1)";
}

}  // namespace

TEST_CASE("Save converts the opened log into the name Open proposed") {
  Workspace w;
  WriteFile("trip.pgl", std::string(Gga) + std::string(Gga) + std::string(Gga));
  w.Opened("trip.pgl", "trip.txt");
  Application.NumberStyle = conversion::NumberStyle::Continental;
  Application.OneFixIn = 5;
  ConvertLog(w.Toolkit, SaveMode);

  CHECK(w.Toolkit.Take() == std::vector<std::string>{
                                R"(TextAt(100, 2000, "Output to ... trip.txt"))",
                                R"(TextAt(100, 3000, "2 records written.  Resolution (secs):  5"))",
                                R"(TextAt(100, 4000, "Speed/Course data not available"))",
                            });
  CHECK(Application.ProgressLineCount == 4);
  CHECK(Application.InputLogName.IsBlank());
  conversion::ConvertLogFile({.Logs = {"trip.pgl"},
                              .Output = "direct.txt",
                              .Style = conversion::NumberStyle::Continental,
                              .Kept = conversion::OneFixIn{5}});
  CHECK(ReadFile("trip.txt") == ReadFile("direct.txt"));

  SUBCASE("each conversion needs its own Open") {
    ConvertLog(w.Toolkit, SaveMode);
    CHECK(w.Toolkit.Take() == std::vector<std::string>{
                                  R"(MessageBoxShow(0, 4, 1, "No input file selected", "TomTom Log File"))"});
    CHECK(Application.ProgressLineCount == 4);
  }
}

TEST_CASE("A log without positions says why it gave no record") {
  Workspace w;
  WriteFile("trip.pgl", "$GPGGA,123519.000,,,,,0,00,,,M,,M,,*75\r\n$GPGGA,123520.000,,,,,0,00,,,M,,M,,*7F\r\n");
  w.Opened("trip.pgl", "trip.txt");
  ConvertLog(w.Toolkit, SaveMode);
  CHECK(w.Toolkit.Take() == std::vector<std::string>{
                                R"(TextAt(100, 2000, "Output to ... trip.txt"))",
                                R"(TextAt(100, 3000, "0 records written.  Resolution (secs):  1"))",
                                R"(TextAt(100, 4000, "Speed/Course data not available"))",
                                R"(TextAt(100, 5000, "No position in 2 $GPGGA sentences: the receiver had no fix"))",
                            });
}

TEST_CASE("Save As always asks for the name") {
  Workspace w;
  WriteFile("trip.pgl", std::string(Gga) + std::string(Vtg));
  w.Opened("trip.pgl", "trip.txt");

  SUBCASE("a name without a dot gets .txt") {
    w.Toolkit.FileAnswers = {"run"};
    ConvertLog(w.Toolkit, SaveAsMode);
    CHECK(w.Toolkit.Take() == std::vector<std::string>{
                                  SaveAsDialog("trip.txt"),
                                  R"(TextAt(100, 2000, "Output to ... run.txt"))",
                                  R"(TextAt(100, 3000, "1 records written.  Resolution (secs):  1"))",
                              });
    CHECK(std::filesystem::exists("run.txt"));
  }
  SUBCASE("cancelled, nothing is written, the log stays chosen, and a name without a dot gets .txt") {
    // A dot in a folder's name counts as the name's own.
    const std::pair<std::string_view, std::string_view> names[] = {
        {"", ".txt"},
        {R"(D:\tracks\run)", R"(D:\tracks\run.txt)"},
        {R"(D:\my.docs\run)", R"(D:\my.docs\run)"},
    };
    for (const auto& [proposed, kept] : names) {
      CAPTURE(proposed);
      Application.OutputFileName = proposed;
      w.Toolkit.FileAnswers = {std::nullopt};
      ConvertLog(w.Toolkit, SaveAsMode);
      CHECK(w.Toolkit.Take() == std::vector<std::string>{SaveAsDialog(proposed)});
      CHECK(Application.OutputFileName.Trimmed() == kept);
    }
    CHECK(Application.InputLogName.Trimmed() == "trip.pgl");
    CHECK(Application.ProgressLineCount == 1);
    CHECK_FALSE(std::filesystem::exists("trip.txt"));
  }
}

TEST_CASE("Save As writes the type chosen or typed, a name without extension getting the type's") {
  Workspace w;
  WriteFile("trip.pgl", std::string(Gga) + std::string(Vtg));
  std::filesystem::create_directory("my.docs");
  const struct {
    int Type;
    std::string Typed;
    std::string Written;
    conversion::OutputFormat Format;
    std::string CountLine;
  } rows[] = {
      {2, "run", "run.gpx", conversion::OutputFormat::Gpx, "1 records written as GPX track.  Resolution (secs):  1"},
      {2, "my.docs/run", "my.docs/run.gpx", conversion::OutputFormat::Gpx,
       "1 records written as GPX track.  Resolution (secs):  1"},
      {6, "run", "run.svg", conversion::OutputFormat::Svg,
       "1 records written as Track picture.  Resolution (secs):  1"},
      // An extension typed names the type, whatever the list shows.
      {1, "run.GPX", "run.GPX", conversion::OutputFormat::Gpx, "1 records written as GPX track.  Resolution (secs):  1"},
      {2, "run.txt", "run.txt", conversion::OutputFormat::Pushpin, "1 records written.  Resolution (secs):  1"},
      {3, "run.log", "run.log", conversion::OutputFormat::Kml, "1 records written as KML.  Resolution (secs):  1"},
  };
  for (const auto& row : rows) {
    CAPTURE(row.Typed);
    w.Opened("trip.pgl", "trip.txt");
    w.Toolkit.FileAnswers = {row.Typed};
    w.Toolkit.TypeAnswers = {row.Type};
    ConvertLog(w.Toolkit, SaveAsMode);
    const std::vector<std::string> calls = w.Toolkit.Take();
    REQUIRE(calls.size() >= 3);
    CHECK(calls[2] == "TextAt(100, 3000, \"" + row.CountLine + "\")");
    conversion::ConvertLogFile({.Logs = {"trip.pgl"}, .Output = "direct", .Format = row.Format});
    CHECK(ReadFile(row.Written) == ReadFile("direct"));
    std::filesystem::remove(row.Written);
  }
}

TEST_CASE("Every question names the file it is about, and no file is replaced unasked") {
  Workspace w;
  WriteFile("trip.pgl", std::string(Gga) + std::string(Vtg));
  const std::string question =
      R"(MessageBoxShow(3, 3, 1, "run.txt already exists.)" "\n" R"(Do you want to replace it?", "Save File"))";
  const struct {
    std::string_view Case;
    std::vector<std::string> Present;
    std::string Typed;
    std::vector<int> Answers;  // the dialog's question first, when it asks
    std::vector<std::string> Questions;
    bool Converted;
  } rows[] = {
      {"No keeps the file", {"run.txt"}, "run", {2}, {question}, false},
      {"Yes replaces it", {"run.txt"}, "run", {1}, {question}, true},
      {"the dialog asked about the name it gives", {"run.txt"}, "run.txt", {1}, {R"(DialogAsked("run.txt"))"}, true},
      {"a Yes to the dialog about run is no Yes for run.txt",
       {"run", "run.txt"},
       "run",
       {1, 2},
       {R"(DialogAsked("run"))", question},
       false},
      {"nothing to replace, nothing asked", {}, "run", {}, {}, true},
  };
  for (const auto& row : rows) {
    CAPTURE(row.Case);
    for (const std::string& file : row.Present) WriteFile(file, "old");
    w.Opened("trip.pgl", "trip.txt");
    w.Toolkit.DialogAsks = true;
    w.Toolkit.FileAnswers = {row.Typed};
    w.Toolkit.BoxAnswers = {row.Answers.begin(), row.Answers.end()};
    ConvertLog(w.Toolkit, SaveAsMode);
    std::vector<std::string> asked;
    for (const std::string& call : w.Toolkit.Take()) {
      if (call.starts_with("DialogAsked") || call.starts_with("MessageBoxShow")) asked.push_back(call);
    }
    CHECK(asked == row.Questions);
    CHECK((ReadFile("run.txt") != "old") == row.Converted);
    if (std::filesystem::exists("run")) CHECK(ReadFile("run") == "old");
    CHECK(Application.InputLogName.IsBlank() == row.Converted);
    for (const std::string_view file : {"run", "run.txt"}) std::filesystem::remove(file);
  }
}

TEST_CASE("A No, a cancel or a failure changes nothing: the next Save writes the name Open proposed") {
  Workspace w;
  WriteFile("trip.pgl", std::string(Gga) + std::string(Vtg));
  WriteFile("run.txt", "other data");
  const struct {
    std::string_view Case;
    std::optional<std::string> Typed;
    int Type;
    int Answer;
  } rows[] = {
      {"No to the question", "run", 1, 2},
      {"the dialog cancelled", std::nullopt, 2, 1},
      {"a GPX file into a folder that cannot be written", "no-such-folder/out.gpx", 2, 1},
      {"a name too long to hold", std::string(NameBytes + 1, 'x'), 1, 1},
  };
  for (const auto& row : rows) {
    CAPTURE(row.Case);
    w.Opened("trip.pgl", "trip.txt");
    w.Toolkit.FileAnswers = {row.Typed};
    w.Toolkit.TypeAnswers = {row.Type};
    w.Toolkit.BoxAnswers = {row.Answer};
    ConvertLog(w.Toolkit, SaveAsMode);
    CHECK(Application.OutputFileName.Trimmed() == "trip.txt");
    CHECK(Application.OutputFormat == conversion::OutputFormat::Pushpin);
    CHECK(Application.ProgressLineCount == 1);
    w.Toolkit.Take();
    ConvertLog(w.Toolkit, SaveMode);
    CHECK(w.Toolkit.Take()[1] == R"(TextAt(100, 3000, "1 records written.  Resolution (secs):  1"))");
    CHECK(ReadFile("run.txt") == "other data");
    CHECK(ReadFile("trip.txt").starts_with("  Name, Latitude,  Longitude, Information"));
    std::filesystem::remove("trip.txt");
  }
}

TEST_CASE("The type chosen decides, and the name in the dialog follows it") {
  Workspace w;
  WriteFile("trip.pgl", std::string(Gga) + std::string(Vtg));
  const struct {
    std::string Proposed;
    int Type;
    std::string Written;
  } rows[] = {
      {"Trip.txt", 2, "Trip.gpx"},
      {"Trip.txt", 6, "Trip.svg"},
      {"Trip.txt", 1, "Trip.txt"},
      // A name of another extension is kept, and holds the type chosen.
      {"Trip.log", 3, "Trip.log"},
  };
  for (const auto& row : rows) {
    CAPTURE(row.Type);
    w.Opened("trip.pgl", row.Proposed);
    w.Toolkit.FileAnswers = {""};
    w.Toolkit.TypeAnswers = {row.Type};
    ConvertLog(w.Toolkit, SaveAsMode);
    CHECK(w.Toolkit.Take()[1] == "TextAt(100, 2000, \"Output to ... " + row.Written + "\")");
    CHECK(std::filesystem::exists(row.Written));
    std::filesystem::remove(row.Written);
  }
}

TEST_CASE("What the command line notes about a run reaches the window, after the count line") {
  Workspace w;
  constexpr std::string_view Rmc = "$GPRMC,123519.000,A,4807.0380,N,01131.0000,E,5.5,54.7,230324,,*3E\r\n";
  constexpr std::string_view Rmc1994 = "$GPRMC,123519.000,A,4807.0380,N,01131.0000,E,5.5,54.7,230394,,*35\r\n";
  constexpr std::string_view NoFix = "$GPGGA,123520.000,4807.0380,N,01131.0000,E,0,00,,,M,,M,,*46\r\n";
  const struct {
    std::string_view Case;
    std::string Log;
    int Type;
    bool FixesOnly;
    std::vector<std::string> Notes;
  } rows[] = {
      {"points without dates", std::string(Gga) + std::string(Vtg), 2, false,
       {"1 point written without time: the log gives no date (RMC or ZDA sentences)"}},
      {"a wrong checksum", std::string(Gga) + "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*00\r\n", 1, false,
       {"1 sentence with a wrong checksum read all the same"}},
      {"positions left out", std::string(Gga) + std::string(NoFix) + std::string(Vtg), 1, true,
       {"1 position without a fix left out (Options > Only real fixes)"}},
      {"the reason a log gave no record", "no sentences\r\n", 1, false,
       {"Speed/Course data not available", "No position sentence (GGA, RMC or GLL) in 1 line"}},
      {"a date before the receiver's week rollover", std::string(Rmc1994) + std::string(Gga) + std::string(Vtg), 2,
       false, {"Dates moved forward by 1024 weeks: the receiver reports dates from before its GPS week rollover"}},
      {"a dated log has nothing to note", std::string(Rmc) + std::string(Gga) + std::string(Vtg), 2, false, {}},
  };
  for (const auto& row : rows) {
    CAPTURE(row.Case);
    WriteFile("trip.pgl", row.Log);
    w.Opened("trip.pgl", "trip.txt");
    Application.FixesOnly = row.FixesOnly;
    w.Toolkit.FileAnswers = {""};
    w.Toolkit.TypeAnswers = {row.Type};
    ConvertLog(w.Toolkit, SaveAsMode);
    std::vector<std::string> calls = w.Toolkit.Take();
    REQUIRE(calls.size() >= 3);
    std::vector<std::string> notes;
    for (std::size_t i = 3; i < calls.size(); ++i) {
      notes.push_back(calls[i].substr(calls[i].find('"') + 1, calls[i].size() - calls[i].find('"') - 3));
    }
    CHECK(notes == row.Notes);
  }
}

TEST_CASE("A failed conversion is told, and nothing is lost") {
  Workspace w;
  const std::vector<std::string> windowAfterwards{
      "ClearClientArea()",
      R"(TextAt(100, 1000, "Reading from ... trip.pgl"))",
  };

  SUBCASE("a log that cannot be read") {
    WriteFile("trip.txt", "kept");
    w.Opened("trip.pgl", "trip.txt");
    ConvertLog(w.Toolkit, SaveMode);
    std::vector<std::string> expected{
        R"(MessageBoxShow(0, 1, 1, "trip.pgl: No such file or directory", "TomTom Log File"))"};
    expected.insert(expected.end(), windowAfterwards.begin(), windowAfterwards.end());
    CHECK(w.Toolkit.Take() == expected);
    CHECK(ReadFile("trip.txt") == "kept");
  }
  SUBCASE("an output that cannot be written") {
    WriteFile("trip.pgl", Gga);
    w.Opened("trip.pgl", "no-such-folder/trip.txt");
    ConvertLog(w.Toolkit, SaveMode);
    const std::vector<std::string> calls = w.Toolkit.Take();
    REQUIRE(calls.size() == 4);
    CHECK(calls[0] == R"(TextAt(100, 2000, "Output to ... no-such-folder/trip.txt"))");
    CHECK(calls[1] ==
          R"(MessageBoxShow(0, 1, 1, "no-such-folder/trip.txt: No such file or directory", "TomTom Log File"))");
    CHECK(std::vector(calls.begin() + 2, calls.end()) == windowAfterwards);
  }
  CHECK(Application.InputLogName.Trimmed() == "trip.pgl");
  CHECK(Application.ProgressLineCount == 1);
}

#ifndef _WIN32
TEST_CASE("Options > Local time shows the pushpin notes in the machine's zone, summer time included") {
  Workspace w;
  // Berlin's change to summer time between two fixes.
  WriteFile("spring.pgl", "$GPRMC,005959,A,5231.0000,N,01323.0000,E,010.0,090.0,290326,,*1F\r\n"
                          "$GPGGA,005959.000,5231.0000,N,01323.0000,E,1,08,0.9,34.0,M,46.9,M,,*67\r\n"
                          "$GPRMC,010000,A,5231.0010,N,01323.0010,E,010.0,090.0,290326,,*1E\r\n"
                          "$GPGGA,010000.000,5231.0010,N,01323.0010,E,1,08,0.9,34.0,M,46.9,M,,*66\r\n");
  const char* before = std::getenv("TZ");
  const std::string kept = before ? before : "";
  setenv("TZ", "Europe/Berlin", 1);
  for (const bool local : {false, true}) {
    CAPTURE(local);
    Application.LocalTime = local;
    w.Opened("spring.pgl", "spring.txt");
    ConvertLog(w.Toolkit, SaveMode);
    const std::string written = ReadFile("spring.txt");
    CHECK(written.find(local ? "\"Time: 01:59:59" : "\"Time: 00:59:59") != std::string::npos);
    CHECK(written.find(local ? "\"Time: 03:00:00" : "\"Time: 01:00:00") != std::string::npos);
  }
  if (before) setenv("TZ", kept.c_str(), 1);
  else unsetenv("TZ");
}
#endif
