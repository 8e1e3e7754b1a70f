#pragma once
// pinwell's options, each named once: its names, its value, its paragraph in
// the usage text and what it sets. The parser and the usage text are made
// from this table; the manual page, the completion and the README are
// checked against it by the tests.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli/command_line.hpp"

namespace cli {

// What the options have set so far, and what the planning of the
// conversions needs to know was given.
struct OptionSettings {
  std::string_view Program;  // as the usage text names it
  CommandLine Line;
  std::optional<std::string_view> OutputName;
  bool FormatGiven = false;
  bool ResolutionGiven = false;
  bool EveryGiven = false;
  // --help and --version: the text to show instead of converting.
  std::optional<std::string> Answer;
};

enum class OptionValue {
  None,      // --quiet
  Required,  // -r 5, -r5 or --resolution=5
  Attached,  // --stats or --stats=json: a value only after an equals sign
};

struct Option {
  std::string_view Short;  // "-r", or empty
  std::string_view Long;   // "--resolution"
  OptionValue Takes = OptionValue::None;
  std::string_view Value;  // as the usage shows it after the names
  std::string_view Needs;  // for a missing value: "option '-r' needs a number"
  // One paragraph, wrapped by the usage text; {} stands for the formats'
  // extensions.
  std::string_view Help;
  bool ListsFormats = false;  // the table's formats follow the paragraph
  // Reads the value (none for OptionValue::None, and for Attached when no
  // value was attached); false, with what is wrong, for a value it refuses.
  // None for "--", which the parser itself reads.
  bool (*Set)(std::optional<std::string_view> value, OptionSettings& settings, std::string& error) = nullptr;
};

// In the order the usage text lists them.
std::span<const Option> Options();

// What the user gave, as a message about it quotes it: 'x.pgl'.
std::string InQuotes(std::string_view text);

}  // namespace cli
