#pragma once
// What the desktop program remembers while it runs. Nothing of it is saved:
// every start begins with English numbers, a resolution of 1 second and
// every fix written.

#include <array>

#include "conversion/constants.hpp"
#include "text/fixed_text.hpp"

namespace shell {

inline constexpr int MaxProgressLines = 5;

using FileName = text::FixedText<256>;
using ProgressLine = text::FixedText<128>;

struct ApplicationState {
  FileName InputLogName;    // blank: no log chosen, or its conversion has run
  FileName OutputFileName;  // blank: the Save dialog asks for one
  conversion::NumberStyle NumberStyle = conversion::NumberStyle::English;
  int ResolutionSeconds = 1;
  bool FixesOnly = false;   // leave out positions the receiver gave without a fix
  std::array<ProgressLine, MaxProgressLines> ProgressLines;
  int ProgressLineCount = 0;
  bool ExitRequested = false;
};

extern ApplicationState Application;

}  // namespace shell
