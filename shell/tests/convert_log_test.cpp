#include "shell/convert_log.hpp"

#include <doctest/doctest.h>

#include "conversion/run/convert_log_file.hpp"
#include "conversion/tests/test_files.hpp"
#include "shell/application_state.hpp"
#include "shell/tests/recording_toolkit.hpp"

using namespace shell;
using conversion_tests::ReadFile;
using conversion_tests::WriteFile;

namespace {

constexpr std::string_view Gga = "$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
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

// Save As offers every type, pushpin first.
std::string SaveAsDialog(std::string_view proposed) {
  return "FileSelect(\"Pushpin text (*.txt)|*.txt|GPX track (*.gpx)|*.gpx|KML (*.kml)|*.kml|GeoJSON "
         "(*.geojson)|*.geojson|CSV (*.csv)|*.csv|Track picture (*.svg)|*.svg|\", 3, \"" +
         std::string(proposed) + "\"[256], \"Save File\", 1)";
}

}  // namespace

TEST_CASE("Save converts the opened log into the name Open proposed") {
  Workspace w;
  WriteFile("trip.pgl", std::string(Gga) + std::string(Gga) + std::string(Gga));
  w.Opened("trip.pgl", "trip.txt");
  Application.NumberStyle = conversion::NumberStyle::Continental;
  Application.ResolutionSeconds = 5;
  ConvertLog(w.Toolkit, SaveMode);

  CHECK(w.Toolkit.Take() == std::vector<std::string>{
                                R"(TextAt(100, 2000, "Output to ... trip.txt"))",
                                R"(TextAt(100, 3000, "2 records written.  Resolution (secs):  5"))",
                                R"(TextAt(100, 4000, "Speed/Course data not available"))",
                            });
  CHECK(Application.ProgressLineCount == 4);
  CHECK(Application.InputLogName.IsBlank());
  conversion::ConvertLogFile("trip.pgl", "direct.txt", conversion::NumberStyle::Continental, 5);
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
    REQUIRE(calls.size() == 3);
    CHECK(calls[2] == "TextAt(100, 3000, \"" + row.CountLine + "\")");
    conversion::FormatOptions format;
    format.Format = row.Format;
    conversion::ConvertLogFile("trip.pgl", "direct", conversion::NumberStyle::English, 1, {}, {}, format);
    CHECK(ReadFile(row.Written) == ReadFile("direct"));
    std::filesystem::remove(row.Written);
  }
}

TEST_CASE("Save As asks before replacing the file that .txt added after the dialog names") {
  Workspace w;
  WriteFile("trip.pgl", std::string(Gga) + std::string(Vtg));
  const std::string question =
      R"(MessageBoxShow(3, 3, 1, "File already exists.)" "\n" R"(Do you want to replace it?", "Save File"))";
  const struct {
    std::string_view Case;
    std::vector<std::string> Present;
    std::string Typed;
    int Answer;
    bool Asked;
    bool Converted;
  } rows[] = {
      {"No keeps the file", {"run.txt"}, "run", 2, true, false},
      {"Yes replaces it", {"run.txt"}, "run", 1, true, true},
      {"the dialog asked about a name with a dot", {"run.txt"}, "run.txt", 2, false, true},
      {"the dialog asked about the name typed", {"run", "run.txt"}, "run", 2, false, true},
  };
  for (const auto& row : rows) {
    CAPTURE(row.Case);
    for (const std::string& file : row.Present) WriteFile(file, "old");
    w.Opened("trip.pgl", "trip.txt");
    w.Toolkit.FileAnswers = {row.Typed};
    w.Toolkit.BoxAnswers = {row.Answer};
    ConvertLog(w.Toolkit, SaveAsMode);
    const std::vector<std::string> calls = w.Toolkit.Take();
    REQUIRE(calls.size() >= 2);
    CHECK((calls[1] == question) == row.Asked);
    CHECK((ReadFile("run.txt") != "old") == row.Converted);
    CHECK(Application.InputLogName.IsBlank() == row.Converted);
    CHECK(Application.ProgressLineCount == (row.Converted ? 3 : 1));
    for (const std::string& file : row.Present) std::filesystem::remove(file);
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
