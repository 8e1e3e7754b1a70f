// Filter lists, initial folders and names, and the answer of the open and
// save dialogs, checked without a window.

#include <doctest/doctest.h>

#include <string>

#include "toolkit/dialogs/file_select_setup.hpp"

using namespace toolkit;
using namespace std::literals;

namespace {

std::string Used(const FilterList& list) {
  const std::string bytes(list.Bytes.data(), list.Bytes.size());
  return bytes.substr(0, bytes.find("\0\0"s) + 2);
}

}  // namespace

TEST_CASE("PrepareFilter") {
  SUBCASE("the program's filters give one pair and the list's double NUL") {
    const FilterList list = PrepareFilter("Log files (*.pgl)|*.pgl|" + std::string(200, ' '));
    CHECK(list.Present);
    CHECK(Used(list) == "Log files (*.pgl)\0*.pgl\0\0"s);
    CHECK(Used(PrepareFilter("Track file (*.txt)|*.txt|")) == "Track file (*.txt)\0*.txt\0\0"s);
  }
  SUBCASE("any last character separates; two pairs") {
    CHECK(Used(PrepareFilter("Logs;*.pgl;All;*.*;")) == "Logs\0*.pgl\0All\0*.*\0\0"s);
  }
  SUBCASE("a blank filter gives none") {
    CHECK_FALSE(PrepareFilter("   ").Present);
    CHECK_FALSE(PrepareFilter("").Present);
  }
  SUBCASE("of 300 characters the first 255 are used, the 255th separating") {
    const std::string filter = std::string(100, 'a') + "#" + std::string(153, 'b') + "#" + std::string(45, 'c');
    const FilterList list = PrepareFilter(filter);
    CHECK(Used(list) == std::string(100, 'a') + "\0"s + std::string(153, 'b') + "\0\0"s);
    CHECK(list.Bytes.back() == '\0');
  }
}

TEST_CASE("PathSplit") {
  struct Case {
    std::string_view Path;
    std::string_view Directory;
    std::string_view File;
  };
  const Case cases[] = {
      {"D:\\logs\\trip.pgl", "D:\\logs", "trip.pgl"},
      {"trip.pgl", "", "trip.pgl"},
      {"D:\\logs\\", "D:\\logs", ""},
      {"D:\\", "D:\\", ""},
      {"D:\\logs\\..", "D:\\logs\\..", ""},
      {"   D:\\logs\\trip.pgl   ", "D:\\logs", "trip.pgl"},
      {"\0\0 trip.pgl\0  "sv, "", "trip.pgl"},
      {"", "", ""},
      {"        ", "", ""},
      {"Z:\\home\\my logs\\a b.pgl", "Z:\\home\\my logs", "a b.pgl"},
      // A root or a drive stays what it is.
      {"D:\\trip.pgl", "D:\\", "trip.pgl"},
      {"\\trip.pgl", "\\", "trip.pgl"},
      {"D:trip.pgl", "D:", "trip.pgl"},
      {"D:", "D:", ""},
      {"\\", "\\", ""},
  };
  for (const Case& c : cases) {
    CAPTURE(c.Path);
    const PathParts parts = PathSplit(c.Path, '\\');
    CHECK(parts.Directory == c.Directory);
    CHECK(parts.File == c.File);
  }
}

TEST_CASE("FileDialogFlags") {
  // Save 1, prompt 2, any path 4, keep directory 8, multiple 16, extension 32, follow type 64.
  const std::pair<int, std::uint32_t> cases[] = {
      {0, 0x804},         // open: read-only box hidden, the folder must exist
      {2, 0x2804},        // open asking before creating
      {3, 0x806},         // save asking before replacing
      {4, 0x4},           // any folder
      {16, 0x80A04},      // several files
      {17, 0x804},        // save ignores several files
      {8 | 32, 0x804},    // kept directory and extension: not the platform's flags
      {67, 0x80826},      // save whose name follows the type: hooked, explorer style
      {64, 0x804},        // open ignores it
  };
  for (const auto& [flags, platform] : cases) {
    CAPTURE(flags);
    CHECK(FileDialogFlags(flags) == platform);
  }
}

TEST_CASE("ChosenName") {
  SUBCASE("the answer ends at its first NUL") {
    const std::string answer = "Z:\\logs\\trip.pgl\0rest of an earlier name"s;
    CHECK(ChosenName(answer, false) == "Z:\\logs\\trip.pgl");
  }
  SUBCASE("a multiple selection ends at the first pair of NULs") {
    const std::string answer = "Z:\\logs\0a.pgl\0b.pgl\0\0junk"s;
    CHECK(ChosenName(answer, true) == "Z:\\logs\0a.pgl\0b.pgl"s);
  }
  SUBCASE("an empty answer, or one without an end, leaves the name as it was") {
    CHECK_FALSE(ChosenName("\0trip.pgl"s, false).has_value());
    CHECK_FALSE(ChosenName("trip.pgl"s, false).has_value());
    CHECK_FALSE(ChosenName("a\0b\0"s.substr(0, 3), true).has_value());
  }
}

TEST_CASE("NameForType: the name's extension follows the type chosen") {
  const FilterList filter = PrepareFilter("Pushpin text (*.txt)|*.txt|GPX track (*.gpx)|*.gpx|All files|*.*|");
  const struct {
    std::string_view Name;
    int Type;
    std::optional<std::string> Renamed;
  } rows[] = {
      {"Trip.txt", 2, "Trip.gpx"},
      {"Trip.GPX", 1, "Trip.txt"},
      {"my.trips\\Trip.txt", 2, "my.trips\\Trip.gpx"},
      // A name of no type in the list, or without extension, stays as typed.
      {"Trip.log", 2, std::nullopt},
      {"Trip", 2, std::nullopt},
      {"logs\\.txt", 2, std::nullopt},
      // A pattern that is no plain extension, or no type at all, changes nothing.
      {"Trip.txt", 3, std::nullopt},
      {"Trip.txt", 4, std::nullopt},
      {"Trip.txt", 0, std::nullopt},
  };
  for (const auto& row : rows) {
    CAPTURE(row.Name);
    CAPTURE(row.Type);
    CHECK(NameForType(row.Name, filter, row.Type) == row.Renamed);
  }
}
