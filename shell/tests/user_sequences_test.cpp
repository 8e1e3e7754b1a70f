// Random sequences of what a user does with the desktop program (Open, Save,
// Save As with names typed and types chosen, questions answered, cancels,
// targets that cannot be written, drops, the command line) over a small
// folder, checked after every step against what the files must hold:
// no file changes that the user was not asked about, a name with a format's
// extension holds that format, and a No, a cancel or a failure leaves the
// files and the remembered name as they were. A failure names the seed of
// its sequence: PINWELL_SEQUENCE_SEED=N runs that sequence alone.

#include <doctest/doctest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "conversion/formats/output_format.hpp"
#include "conversion/run/output_name.hpp"
#include "conversion/tests/test_files.hpp"
#include "resources/resource_ids.hpp"
#include "shell/application_state.hpp"
#include "shell/arriving_logs.hpp"
#include "shell/commands.hpp"
#include "shell/main_program.hpp"
#include "shell/tests/recording_toolkit.hpp"

using namespace shell;
using conversion::OutputFormat;
using conversion_tests::ReadFile;
using conversion_tests::WriteFile;
namespace fs = std::filesystem;

namespace {

constexpr std::string_view Trip =
    "$GPGGA,123519.000,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*59\r\n"
    "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n";

// What the folder holds before each sequence: two logs and files of other
// programs under the names a user is likely to type.
const std::map<std::string, std::string> StartingFiles{
    {"trip.pgl", std::string(Trip)}, {"other.pgl", std::string(Trip) + std::string(Trip)},
    {"run", "other data"},           {"run.txt", "other data"},
    {"out.gpx", "other data"},       {"trip.log", "other data"},
};

// The names a user types in Save As ("" keeps the one shown).
const std::vector<std::string> TypedNames{
    "",        "run",     "run.txt",     "run.gpx", "out",     "out.gpx", "out.kml", "trip.log",
    "trip",    "new.csv", "new.GeoJSON", "pic.svg", "trip.txt", "no-such-folder/x.gpx", "no-such-folder/y",
    std::string(NameBytes + 1, 'n'),
};

using Files = std::map<std::string, std::string>;

Files Snapshot() {
  Files files;
  for (const fs::directory_entry& entry : fs::directory_iterator(".")) {
    if (entry.is_regular_file()) files[entry.path().filename().string()] = ReadFile(entry.path());
  }
  return files;
}

// The format a file's bytes are in, as a reader would tell.
std::optional<OutputFormat> FormatOfContent(const std::string& bytes) {
  if (bytes.starts_with("  Name, Latitude") || bytes.starts_with("Name\tLatitude")) return OutputFormat::Pushpin;
  if (bytes.starts_with("name,time,")) return OutputFormat::Csv;
  if (bytes.starts_with("{") && bytes.find("FeatureCollection") != std::string::npos) return OutputFormat::GeoJson;
  for (const auto& [tag, format] : {std::pair{"<gpx", OutputFormat::Gpx}, std::pair{"<kml", OutputFormat::Kml},
                                    std::pair{"<svg", OutputFormat::Svg}}) {
    if (bytes.find(tag) != std::string::npos) return format;
  }
  return std::nullopt;
}

bool HasDot(std::string_view name) { return name.find('.') != std::string_view::npos; }

struct Remembered {
  std::string Input;
  std::string Output;
  OutputFormat Format;
};

Remembered Remember() {
  const ApplicationState& app = Application;
  return {std::string(app.InputLogName.Trimmed()), std::string(app.OutputFileName.Trimmed()), app.OutputFormat};
}

// One step: what the user does, and what it may change.
struct Step {
  std::string Said;                 // for the failure message
  bool Saves = false;               // Save or Save As
  bool ProposedSave = false;        // Save under the name Open proposed: may replace it unasked
  std::vector<std::string> Dropped; // several logs: each output may be replaced
  bool Cancelled = false;
};

class Session {
 public:
  explicit Session(unsigned seed) : random_(seed) {}

  // A description of the first broken rule, or nothing.
  std::optional<std::string> Run(int steps) {
    for (int i = 0; i < steps; ++i) {
      const Files before = Snapshot();
      const Remembered was = Remember();
      toolkit_ = {};
      toolkit_.DialogAsks = true;
      const Step step = Act();
      if (auto broken = Check(step, before, was)) {
        return "step " + std::to_string(i + 1) + ", " + step.Said + ": " + *broken;
      }
    }
    return std::nullopt;
  }

 private:
  std::mt19937 random_;
  testing::RecordingToolkit toolkit_;
  std::vector<int> answers_;
  std::string proposed_;  // the name the last Open proposed

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  int Answer() { return Pick(2) == 0 ? toolkit::Answer::Yes : toolkit::Answer::No; }

  Step Act() {
    Step step;
    answers_ = {Answer(), Answer(), Answer()};
    toolkit_.BoxAnswers = {answers_.begin(), answers_.end()};
    bool exitRequested = false;
    // Open and the saves most often; drops, which convert several logs, less.
    switch (Pick(10)) {
      case 0:
      case 1:
      case 2: {
        const std::string logs[] = {"trip.pgl", "other.pgl", std::string(NameBytes + 1, 'l')};
        const int choice = Pick(4);
        step.Said = choice == 3 ? "Open, cancelled" : "Open " + logs[choice].substr(0, 20);
        step.Cancelled = choice == 3;
        toolkit_.FileAnswers = {choice == 3 ? std::nullopt : std::optional(logs[choice])};
        DispatchCommand(toolkit_, resources::CommandOpen, exitRequested);
        proposed_ = Application.OutputFileName.Trimmed();
        break;
      }
      case 3:
      case 4:
      case 5:
      case 6: {
        const bool saveAs = Pick(3) != 0;
        const std::string& typed = TypedNames[static_cast<std::size_t>(Pick(static_cast<int>(TypedNames.size())))];
        const int type = 1 + Pick(6);
        const bool cancel = Pick(8) == 0;
        step.Saves = true;
        step.ProposedSave = !saveAs && !Application.OutputFileName.IsBlank();
        step.Said = std::string(saveAs ? "Save As " : "Save ") + "\"" + typed.substr(0, 24) + "\" type " +
                    std::to_string(type) + (cancel ? ", cancelled" : "") + " answers " + std::to_string(answers_[0]) +
                    std::to_string(answers_[1]);
        toolkit_.FileAnswers = {cancel ? std::nullopt : std::optional(typed)};
        toolkit_.TypeAnswers = {type};
        DispatchCommand(toolkit_, saveAs ? resources::CommandSaveAs : resources::CommandSave, exitRequested);
        // Save shows no dialog to cancel when it has a name.
        step.Cancelled = cancel && std::any_of(toolkit_.Calls.begin(), toolkit_.Calls.end(), [](const std::string& c) {
                           return c.starts_with("FileSelect(");
                         });
        break;
      }
      case 7: {
        step.Said = "drop of trip.pgl";
        LogsArrived(toolkit_, std::vector<std::string>{"trip.pgl"});
        proposed_ = Application.OutputFileName.Trimmed();
        break;
      }
      case 8: {
        step.Said = "drop of trip.pgl and other.pgl";
        step.Dropped = {"trip.pgl", "other.pgl"};
        LogsArrived(toolkit_, step.Dropped);
        break;
      }
      default: {
        if (Pick(2) == 0) {
          step.Said = "Options > Only real fixes";
          DispatchCommand(toolkit_, resources::CommandFixesOnly, exitRequested);
          break;
        }
        // Pinwell started anew with logs on its command line, as a
        // double-click starts it; the script closes it at once.
        const bool several = Pick(2) == 0;
        step.Said = several ? "Pinwell.exe trip.pgl other.pgl" : "Pinwell.exe trip.pgl";
        if (several) step.Dropped = {"trip.pgl", "other.pgl"};
        const std::vector<std::string> logs =
            several ? step.Dropped : std::vector<std::string>{"trip.pgl"};
        Application = {};
        RunPinwell(toolkit_, logs);
        Application.ExitRequested = false;
        proposed_ = Application.OutputFileName.Trimmed();
        break;
      }
    }
    return step;
  }

  // Whom the user said Yes to, and whether any question got a No.
  void Questions(std::set<std::string>& yes, bool& no, bool& failed) const {
    std::size_t answer = 0;
    for (const std::string& call : toolkit_.Calls) {
      const bool dialog = call.starts_with("DialogAsked(\"");
      const bool box = call.starts_with("MessageBoxShow(");
      if (!dialog && !box) continue;
      const int given = answer < answers_.size() ? answers_[answer] : toolkit::Answer::Yes;
      ++answer;
      if (box && call.starts_with("MessageBoxShow(0, 1,")) failed = true;
      const std::size_t end = call.find(dialog ? "\")" : " already exists.");
      if (!dialog && (!call.starts_with("MessageBoxShow(3,") || end == std::string::npos)) continue;
      const std::size_t start = call.find('"') + 1;
      const std::string file = call.substr(start, end - start);
      if (given == toolkit::Answer::Yes) yes.insert(fs::path(file).filename().string());
      else no = true;
    }
  }

  std::optional<std::string> Check(const Step& step, const Files& before, const Remembered& was) const {
    const Files after = Snapshot();
    const Remembered now = Remember();
    std::set<std::string> yes;
    bool no = false;
    bool failed = false;
    Questions(yes, no, failed);

    std::set<std::string> written;
    for (const auto& [name, bytes] : after) {
      const auto old = before.find(name);
      if (old != before.end() && old->second == bytes) continue;
      written.insert(name);
      if (old == before.end()) continue;
      // Rule 4: an existing file is replaced only when the user was asked, or
      // by Save under the name Open proposed, or by a drop of several logs.
      const bool dropped = std::any_of(step.Dropped.begin(), step.Dropped.end(), [&](const std::string& log) {
        return conversion::DefaultOutputName(log) == name;
      });
      const bool proposed = step.ProposedSave && name == fs::path(was.Output).filename().string() &&
                            was.Output == proposed_;
      if (!yes.contains(name) && !dropped && !proposed) return name + " replaced without asking";
    }
    for (const auto& [name, bytes] : before) {
      if (!after.contains(name)) return name + " removed";
    }
    if (written.contains("trip.pgl") || written.contains("other.pgl")) return "a log changed";

    // Rule 2: what is written holds the format its name says, or the one
    // remembered with the name; the remembered pair agrees.
    for (const std::string& name : written) {
      const std::optional<OutputFormat> content = FormatOfContent(after.at(name));
      const std::optional<OutputFormat> named = conversion::FormatOfFileName(name);
      if (!content) return name + " holds no format";
      if (named && *named != *content) return name + " holds another format than its extension's";
      if (!named && step.Saves && *content != now.Format) return name + " holds another format than the one chosen";
    }
    if (const auto named = conversion::FormatOfFileName(now.Output); named && *named != now.Format) {
      return "the name " + now.Output + " is remembered with another format";
    }
    if (step.Saves && !written.empty()) {
      const bool pushpin = now.Format == OutputFormat::Pushpin;
      const bool says = std::any_of(toolkit_.Calls.begin(), toolkit_.Calls.end(), [&](const std::string& call) {
        return call.starts_with("TextAt(100, 3000,") &&
               call.find(" records written as " + std::string(conversion::RowOf(now.Format).TypeName)) !=
                   std::string::npos;
      });
      if (says == pushpin) return "the count line does not name the format written";
    }

    // Rule 1: a No, a cancel or a failure leaves files and name as they were.
    if (step.Saves && (no || step.Cancelled || failed)) {
      if (!written.empty()) return *written.begin() + " written after a No, a cancel or a failure";
      const bool sameName = now.Output == was.Output || (!HasDot(was.Output) && now.Output == was.Output + ".txt");
      if (!sameName || now.Format != was.Format || now.Input != was.Input) {
        return "the remembered name " + was.Output.substr(0, 60) + " became " + now.Output.substr(0, 60) +
               " after a No, a cancel or a failure";
      }
    }
    return std::nullopt;
  }
};

}  // namespace

TEST_CASE("Random sequences of user actions lose nothing") {
  // Files synced on every save: in memory where the system has such a folder.
  const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
  const fs::path folder = base / ("pinwell-sequences-" + std::to_string(::getpid()));
  const fs::path previous = fs::current_path();

  const char* only = std::getenv("PINWELL_SEQUENCE_SEED");
  const unsigned first = only != nullptr ? static_cast<unsigned>(std::strtoul(only, nullptr, 10)) : 1;
  const unsigned count = only != nullptr ? 1 : 10000;
  long long steps = 0;
  std::optional<std::string> broken;
  unsigned seed = first;
  for (; seed < first + count && !broken; ++seed) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::current_path(folder);
    for (const auto& [name, bytes] : StartingFiles) WriteFile(name, bytes);
    Application = {};
    Session session(seed);
    const int length = 1 + static_cast<int>(seed % 5);
    broken = session.Run(length);
    steps += length;
    fs::current_path(previous);
  }
  fs::remove_all(folder);
  MESSAGE((seed - first) << " sequences from seed " << first << ", " << steps << " steps");
  if (broken) FAIL("sequence seed " << seed - 1 << ": " << *broken);
}
