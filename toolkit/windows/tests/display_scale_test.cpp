#include "toolkit/windows/display_scale.hpp"

#include <initializer_list>

#include <doctest/doctest.h>

namespace toolkit {

TEST_CASE("ScaledPixels") {
  struct Case {
    int Pixels, Dpi, Expected;
  };
  // The main window's 512 by 256 at 100 %, 125 %, 150 %, 175 % and 200 %.
  for (const Case c : {Case{512, 96, 512}, Case{256, 120, 320}, Case{512, 144, 768}, Case{256, 168, 448},
                       Case{256, 192, 512}, Case{6, 144, 9}, Case{3, 120, 4}, Case{0, 192, 0}}) {
    CAPTURE(c.Pixels);
    CAPTURE(c.Dpi);
    CHECK(ScaledPixels(c.Pixels, c.Dpi) == c.Expected);
  }
}

TEST_CASE("RescaledEdge") {
  struct Case {
    int Edge, OldDpi, NewDpi, Expected;
  };
  // The status bar's 357 of a 512-pixel window moving between 100 % and 200 %.
  for (const Case c : {Case{357, 96, 192, 714}, Case{714, 192, 96, 357}, Case{357, 96, 144, 536},
                       Case{-1, 96, 192, -1}, Case{357, 96, 96, 357}}) {
    CAPTURE(c.Edge);
    CHECK(RescaledEdge(c.Edge, c.OldDpi, c.NewDpi) == c.Expected);
  }
}

}  // namespace toolkit
