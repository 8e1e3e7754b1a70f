#pragma once
// The font families of text output.

#include <optional>

namespace toolkit {

struct FontFace {
  const char* Name = nullptr;
  int PitchAndFamily = 0;  // the platform's pitch and family byte
};

// Families 2 to 6 are TrueType faces; 1 is the system's fixed-pitch font and
// anything else its proportional one, which have no face of their own.
std::optional<FontFace> FontFaceOf(int family);

}  // namespace toolkit
