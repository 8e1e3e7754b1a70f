#include "shell/progress.hpp"

#include <doctest/doctest.h>

#include "shell/tests/recording_toolkit.hpp"

using namespace shell;

TEST_CASE("AbbreviatePath") {
  struct Case {
    std::string Path;
    std::string Shown;
  };
  const std::string fifty = R"(C:\tracks\)" + std::string(36, 'x') + ".pgl";
  const std::string fiftyOne = R"(C:\tracks\)" + std::string(37, 'x') + ".pgl";
  const std::string longName = std::string(45, 'n') + ".pgl";
  const Case cases[] = {
      {R"(C:\logs\trip.pgl)", R"(C:\logs\trip.pgl)"},
      {fifty, fifty},
      {fiftyOne, R"(C:\...\)" + std::string(37, 'x') + ".pgl"},
      // Shortened to exactly the width less three, a path keeps its last
      // folder; one character over, that folder goes too.
      {R"(C:\first\second\)" + std::string(37, 'x'), R"(C:\...\second\)" + std::string(37, 'x')},
      {R"(C:\first\second\)" + std::string(38, 'x'), R"(C:\...\)" + std::string(38, 'x')},
      {R"(C:\Documents and Settings\user\My Documents\logs\2003-04-25.pgl)",
       R"(C:\...\user\My Documents\logs\2003-04-25.pgl)"},
      // Folders go one at a time; with none left, only the drive goes.
      {R"(C:\a\b\c\)" + longName, longName},
      {R"(C:\)" + longName + "-and-more", longName + "-and-more"},
      // Without a drive prefix the first three characters stand in for one.
      {R"(tracks\2003\april\may\june\very-long-file-name-of-a-log.pgl)",
       R"(tra...\june\very-long-file-name-of-a-log.pgl)"},
      {R"(\\server\share\tracks\2003\april\very-long-file-name-of-a-log.pgl)",
       R"(\\s...\2003\april\very-long-file-name-of-a-log.pgl)"},
      // Those three are characters: one beyond ASCII is kept whole.
      {"ab\xC3\xA9\\folder\\" + std::string(37, 'x') + ".pgl", "ab\xC3\xA9...\\" + std::string(37, 'x') + ".pgl"},
      {"\xE5\x9C\xB0\xE5\x9B\xB3\\folder\\" + std::string(36, 'x') + ".pgl",
       "\xE5\x9C\xB0\xE5\x9B\xB3\\...\\" + std::string(36, 'x') + ".pgl"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.Path);
    const FileName shown = AbbreviatePath(c.Path, PathWidth);
    CHECK(shown.Trimmed() == c.Shown);
  }
}

TEST_CASE("The progress lines are drawn again on a repaint") {
  Application = {};
  testing::RecordingToolkit toolkit;
  const std::string longLine = "Output to ... " + std::string(150, 'y');
  AddProgressLine(toolkit, "Reading from ... C:\\trip.pgl");
  AddProgressLine(toolkit, longLine);
  for (int i = 3; i <= MaxProgressLines + 1; ++i) AddProgressLine(toolkit, "line " + std::to_string(i));
  RedrawProgress(toolkit);

  // What a command draws is shown whole; what is kept, at most as many lines
  // as the window shows, of 128 characters, comes back on the repaint.
  std::vector<std::string> expected{
      R"(TextAt(100, 1000, "Reading from ... C:\trip.pgl"))",
      std::string("TextAt(100, 2000, \"") + longLine + "\")",
  };
  const auto drawn = [](int i) {
    return "TextAt(100, " + std::to_string(1000 * i) + ", \"line " + std::to_string(i) + "\")";
  };
  for (int i = 3; i <= MaxProgressLines + 1; ++i) expected.push_back(drawn(i));
  expected.insert(expected.end(), {"ClearClientArea()", expected[0],
                                   std::string("TextAt(100, 2000, \"") + longLine.substr(0, 128) + "\")"});
  for (int i = 3; i <= MaxProgressLines; ++i) expected.push_back(drawn(i));
  CHECK(toolkit.Take() == expected);
}
