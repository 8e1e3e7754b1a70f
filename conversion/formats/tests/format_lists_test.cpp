// The lists of formats people read, against the table: a format added to
// the table and missing from the README or the help fails here.

#include <doctest/doctest.h>

#include <string>
#include <string_view>
#include <vector>

#include "conversion/formats/output_format.hpp"
#include "conversion/tests/test_files.hpp"

using conversion::DefaultFormat;
using conversion::FormatRow;
using conversion_tests::ReadFile;

namespace {

// The lines of a text that start with `start`, from the first line after `after` on.
std::vector<std::string> LinesStarting(const std::string& text, std::string_view after, std::string_view start) {
  std::vector<std::string> lines;
  const std::size_t from = text.find(after);
  REQUIRE(from != std::string::npos);
  for (std::size_t at = text.find('\n', from) + 1; at != 0 && at < text.size(); at = text.find('\n', at) + 1) {
    const std::string line = text.substr(at, text.find('\n', at) - at);
    if (line.starts_with(start)) lines.push_back(line);
    else if (!lines.empty()) break;  // the list has ended
  }
  return lines;
}

// "a, b or c".
std::string Listed(const std::vector<std::string>& items) {
  std::string list;
  for (std::size_t i = 0; i < items.size(); ++i) list += (i == 0 ? "" : i + 1 == items.size() ? " or " : ", ") + items[i];
  return list;
}

bool Chosen(const FormatRow& row) { return !row.Name.empty() && row.Format != DefaultFormat; }

}  // namespace

TEST_CASE("The README's table of map formats has a row per format, in the table's order") {
  const std::vector<std::string> lines =
      LinesStarting(ReadFile(PINWELL_SOURCE_DIR "/README.md"), "### Map formats", "| `");
  std::vector<std::string> expected;
  for (const FormatRow& row : conversion::FormatRows()) {
    if (!Chosen(row)) continue;
    const std::string name(row.Name);
    expected.push_back("| `" + name + "` | `pinwell -f " + name + " trip.pgl` gives `trip" + std::string(row.Extension) +
                       "` | ");
  }
  REQUIRE(lines.size() == expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    CAPTURE(lines[i]);
    CHECK(lines[i].starts_with(expected[i]));
  }
}

TEST_CASE("The help names every format: the command line's and the Save As list's") {
  const std::string help = ReadFile(PINWELL_SOURCE_DIR "/resources/help/pinwell_help.txt");
  SUBCASE("-f and the extensions it writes") {
    std::vector<std::string> options;
    std::vector<std::string> extensions;
    for (const FormatRow& row : conversion::FormatRows()) {
      if (!Chosen(row)) continue;
      options.push_back("**-f " + std::string(row.Name) + "**");
      extensions.push_back(std::string(row.Extension));
    }
    const std::vector<std::string> lines = LinesStarting(help, "pinwell-cli.exe [options] LOG...", "- **-f ");
    REQUIRE(lines.size() == 1);
    CHECK(lines[0].starts_with("- " + Listed(options) + ": "));
    CHECK(lines[0].ends_with("under the log's name with " + Listed(extensions) + "."));
  }
  SUBCASE("Save As's types, in the dialog's order") {
    std::vector<std::string> expected;
    for (const FormatRow& row : conversion::FormatRows()) {
      if (!row.TypeName.empty())
        expected.push_back("- **" + std::string(row.TypeName) + " (*" + std::string(row.Extension) + ")**");
    }
    const std::vector<std::string> lines = LinesStarting(help, "The Save File dialog's list of file types:", "- **");
    REQUIRE(lines.size() == expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      CAPTURE(lines[i]);
      CHECK(lines[i].starts_with(expected[i]));
    }
  }
}
