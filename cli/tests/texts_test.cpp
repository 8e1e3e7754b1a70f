#include <doctest/doctest.h>

#include <chrono>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/option_table.hpp"
#include "cli/progress_display.hpp"
#include "cli/conversion_report.hpp"
#include "cli/usage_text.hpp"
#include "conversion/formats/output_format.hpp"
#include "conversion/tests/test_files.hpp"

using namespace std::chrono_literals;

TEST_CASE("ConversionReport") {
  SUBCASE("one log: the desktop program's lines alone") {
    CHECK(cli::ConversionReport("", 42, true, conversion::OneFixIn{5}) == "42 records written.  Resolution (secs):  5\n");
    CHECK(cli::ConversionReport("", 0, false, conversion::OneFixIn{1}) ==
          "0 records written.  Resolution (secs):  1\nSpeed/Course data not available\n");
  }
  SUBCASE("several logs: every line names its log") {
    CHECK(cli::ConversionReport("b.pgl", 9, false, conversion::OneFixIn{10}) ==
          "b.pgl: 9 records written.  Resolution (secs): 10\nb.pgl: Speed/Course data not available\n");
  }
}

TEST_CASE("Progress display") {
  const cli::ProgressClock::time_point start{};

  SUBCASE("texts") {
    CHECK(cli::ProgressText("a.pgl", 90'123'456, 200'000'000) == "a.pgl: 45% (90.1 of 200.0 MB)");
    CHECK(cli::ProgressText("a.pgl", 0, 5) == "a.pgl: 0% (0.0 of 0.0 MB)");
    CHECK(cli::ProgressText("-", 1'250'000, 0) == "-: 1.2 MB");
  }
  SUBCASE("a long name keeps its end, so the line does not wrap") {
    const std::string name = "/very/long/folder/name/that/goes/on/and/on/trip.pgl";
    CHECK(cli::ProgressStart(name, start).Label == "...der/name/that/goes/on/and/on/trip.pgl");
  }
  SUBCASE("silent in the first second, then redrawn in place at most ten times a second") {
    cli::ProgressDisplay display = cli::ProgressStart("a.pgl", start);
    CHECK(cli::ProgressUpdate(display, 10'000'000, 200'000'000, start + 999ms) == "");
    CHECK(cli::ProgressClear(display) == "");
    CHECK(cli::ProgressUpdate(display, 20'000'000, 200'000'000, start + 1s) == "\ra.pgl: 10% (20.0 of 200.0 MB)");
    CHECK(cli::ProgressUpdate(display, 30'000'000, 200'000'000, start + 1050ms) == "");
    CHECK(cli::ProgressUpdate(display, 200'000'000, 200'000'000, start + 1100ms) ==
          "\ra.pgl: 100% (200.0 of 200.0 MB)");
    CHECK(cli::ProgressClear(display) == "\r" + std::string(31, ' ') + "\r");
    CHECK(cli::ProgressClear(display) == "");
  }
  SUBCASE("a shorter line blanks the rest of the longer one before it") {
    cli::ProgressDisplay display = cli::ProgressStart("-", start);
    CHECK(cli::ProgressUpdate(display, 12'000'000, 0, start + 2s) == "\r-: 12.0 MB");
    display.DrawnWidth = 15;
    CHECK(cli::ProgressUpdate(display, 13'000'000, 0, start + 3s) == "\r-: 13.0 MB     ");
  }
}

// The completion and the manual page are written by hand; they must offer
// the formats the table has, in its order.
TEST_CASE("The completion and the manual page name the formats of the table") {
  const auto add = [](std::string& list, std::string_view item) {
    if (!list.empty()) list += ' ';
    list += item;
  };
  std::string names;
  std::string extensions;
  for (const conversion::FormatRow& row : conversion::FormatRows()) {
    if (row.Name.empty()) continue;
    add(names, row.Name);
    add(extensions, row.Extension);
  }
  REQUIRE_FALSE(names.empty());

  const std::string completion = conversion_tests::ReadFile(PINWELL_DATA_DIR "/../packaging/pinwell.bash-completion");
  const std::size_t words = completion.find("compgen -W '", completion.find("-f | --format)")) + 12;
  CHECK(completion.substr(words, completion.find('\'', words) - words) == names);

  // In the manual page, each format is a tagged paragraph under the option,
  // and the default output names list their extensions.
  std::istringstream manual(conversion_tests::ReadFile(PINWELL_DATA_DIR "/../packaging/pinwell.1.in"));
  std::string listed;
  std::string listedExtensions;
  bool inOption = false;
  bool inExtensions = false;
  bool tagNext = false;
  for (std::string line; std::getline(manual, line);) {
    if (line.find("\\-\\-format \" \\fIFORMAT") != std::string::npos) inOption = true;
    if (inOption && line == ".RE") inOption = false;
    if (inOption && tagNext && line.starts_with(".B ")) add(listed, std::string_view(line).substr(3));
    tagNext = line.starts_with(".TP");
    if (line.starts_with("of its name, in any case, becomes the format's extension")) inExtensions = true;
    if (inExtensions && line.starts_with("and the rest of the name")) inExtensions = false;
    if (inExtensions && line.starts_with(".")) {
      std::istringstream items(line);
      for (std::string item; items >> item;)
        if (item.size() > 1 && item[0] == '.' && item != ".RB" && item != ".BR") add(listedExtensions, item);
    }
  }
  CHECK(listed == names);
  CHECK(listedExtensions == extensions);
}

namespace {

std::string Lines(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += item + "\n";
  return text;
}

// ".BR \-f \", \" \-\-format \" \fIFORMAT\fR\"" as man shows it: "-f, --format FORMAT".
std::string ShownRoff(std::string_view line) {
  const bool alternating = line.starts_with(".BR ") || line.starts_with(".BI ") || line.starts_with(".RB ");
  line.remove_prefix(line.find(' ') + 1);
  std::string shown;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') quoted = !quoted;
    else if (c == ' ' && !quoted && alternating) continue;
    else if (c == '\\' && i + 1 < line.size() && line[i + 1] == '-') shown += '-', ++i;
    else if (c == '\\' && i + 1 < line.size() && line[i + 1] == 'f') i += 2;
    else shown += c;
  }
  return shown;
}

}  // namespace

// The manual page, the completion and the README are written by hand: each
// must offer every option of the table, under its names and with its value,
// in the table's order, so that a new option cannot be forgotten in one.
TEST_CASE("The manual page, the completion and the README list the options of the table") {
  std::vector<std::string> headings;
  std::vector<std::string> words;         // as the completion offers them after "-"
  std::vector<std::string> valueOptions;  // those the completion must not follow with a log's name
  for (const cli::Option& option : cli::Options()) {
    headings.push_back(cli::OptionHeading(option));
    const std::string name(option.Long);
    if (option.Takes != cli::OptionValue::Required) words.push_back(name);
    if (option.Takes != cli::OptionValue::None) words.push_back(name + "=");
    if (option.Takes != cli::OptionValue::None) valueOptions.push_back(name);
    if (option.Takes == cli::OptionValue::Required && !option.Short.empty()) valueOptions.emplace_back(option.Short);
  }

  SUBCASE("the manual page heads a paragraph with each") {
    std::istringstream manual(conversion_tests::ReadFile(PINWELL_DATA_DIR "/../packaging/pinwell.1.in"));
    std::vector<std::string> listed;
    bool inOptions = false;
    bool inList = false;  // the formats' own paragraphs under -f
    bool heading = false;
    for (std::string line; std::getline(manual, line);) {
      if (line.starts_with(".SH")) inOptions = line == ".SH OPTIONS";
      if (line == ".RS" || line == ".RE") inList = line == ".RS";
      if (inOptions && !inList && heading) listed.push_back(ShownRoff(line));
      heading = line == ".TP";
    }
    CHECK(Lines(listed) == Lines(headings));
  }

  SUBCASE("the completion offers each, and values after those that take one") {
    const std::string completion =
        conversion_tests::ReadFile(PINWELL_DATA_DIR "/../packaging/pinwell.bash-completion");
    const std::size_t start = completion.find("compgen -W '", completion.find("$cur == -*")) + 12;
    std::istringstream offered(completion.substr(start, completion.find('\'', start) - start));
    std::vector<std::string> offeredWords;
    for (std::string word; offered >> word;) offeredWords.push_back(word);
    CHECK(Lines(offeredWords) == Lines(words));

    // The branches of "case $prev in": "-o | --output)".
    std::istringstream branches(completion.substr(0, completion.find("esac")));
    std::set<std::string> patterns;
    for (std::string line; std::getline(branches, line);) {
      if (!line.ends_with(")") || line.find('(') != std::string::npos) continue;
      std::istringstream names(line.substr(0, line.size() - 1));
      for (std::string name; names >> name;)
        if (name != "|") patterns.insert(name);
    }
    for (const std::string& option : valueOptions) {
      CAPTURE(option);
      CHECK(patterns.contains(option));
    }
  }

  SUBCASE("the README's table has a row for each") {
    std::istringstream readme(conversion_tests::ReadFile(PINWELL_DATA_DIR "/../README.md"));
    std::vector<std::string> rows;
    bool inTable = false;
    for (std::string line; std::getline(readme, line);) {
      if (line == "| Option | Meaning |") inTable = true;
      else if (line.empty()) inTable = false;
      if (!inTable || !line.starts_with("| `")) continue;
      std::string cell = line.substr(3, line.find("` |") - 3);
      for (std::size_t bar = cell.find("\\|"); bar != std::string::npos; bar = cell.find("\\|")) cell.erase(bar, 1);
      rows.push_back(cell);
    }
    CHECK(Lines(rows) == Lines(headings));
  }
}
