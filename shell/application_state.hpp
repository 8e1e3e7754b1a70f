#pragma once
// What the desktop program remembers while it runs. Nothing of it is saved:
// every start begins with English numbers, a resolution of 1 second,
// every fix written and times in UTC.

#include <array>

#include "conversion/constants.hpp"
#include "conversion/formats/output_format.hpp"
#include "text/fixed_text.hpp"

namespace shell {

// As many as the window shows: an Open's line, a conversion's three and
// the notes on what it read.
inline constexpr int MaxProgressLines = 9;

// A name field holds 256 characters of any script (4 bytes at most in
// UTF-8) and every path Windows allows without its long-path prefix (259
// UTF-16 units, 3 bytes at most each).
inline constexpr std::size_t NameBytes = 1024;
using FileName = text::FixedText<NameBytes>;
using ProgressLine = text::FixedText<128>;

struct ApplicationState {
  FileName InputLogName;    // blank: no log chosen, or its conversion has run
  FileName OutputFileName;  // blank: the Save dialog asks for one
  // What is written under OutputFileName: a name and its format never part.
  conversion::OutputFormat OutputFormat = conversion::DefaultFormat;
  conversion::NumberStyle NumberStyle = conversion::NumberStyle::English;
  int OneFixIn = 1;         // the resolution: one fix kept in this many
  bool FixesOnly = false;   // leave out positions the receiver gave without a fix
  bool LocalTime = false;   // the times people read in the machine's zone, not UTC
  std::array<ProgressLine, MaxProgressLines> ProgressLines;
  int ProgressLineCount = 0;
  bool ExitRequested = false;
};

extern ApplicationState Application;

}  // namespace shell
