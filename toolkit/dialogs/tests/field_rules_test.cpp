// What each kind of control gets when an instance is made, and what is
// copied between the hidden and the shown instance.

#include <doctest/doctest.h>

#include <tuple>

#include "toolkit/dialogs/field_rules.hpp"

using namespace toolkit;

TEST_CASE("A new field record holds no range") {
  const FieldRecord r;
  CHECK(r.RealMinimum == 1000.0);
  CHECK(r.RealMaximum == -1000.0);
  CHECK(r.IntegerMinimum == -1);
  CHECK(r.IntegerMaximum == -1);
}

TEST_CASE("Instance initialisation") {
  CHECK(EditLimitFor(0x80) == 32767);
  CHECK(EditLimitFor(0x84) == 65535);  // multi-line
  const int styles[][2] = {
      {0x50010002, 0x50010003},  // check box
      {0x50010005, 0x50010003},  // three-state
      {0x50010006, 0x50010003},  // automatic three-state
      {0x50010004, 0x50010009},  // radio button
      {0x50010003, 0x50010003}, {0x50010009, 0x50010009}, {0x50010000, 0x50010000}, {0x50010007, 0x50010007},
  };
  for (const auto& [before, after] : styles) {
    CAPTURE(before);
    CHECK(SelfCheckingStyle(before) == after);
  }
}

TEST_CASE("ImageFor") {
  using enum ImageKind;
  using K = ControlKind;
  const std::tuple<K, int, ImageKind> cases[] = {
      {K::Button, 0x80, Bitmap}, {K::Button, 0x40, Icon}, {K::Button, 0x01, None},
      {K::Static, 0x0E, Bitmap}, {K::Static, 0x03, Icon}, {K::Static, 0x0F, None},  // an etched frame
      {K::Static, 0x00, None},   {K::Edit, 0x80, None},
  };
  for (const auto& [kind, style, image] : cases) {
    CAPTURE(style);
    CHECK(ImageFor(kind, style) == image);
  }
}

TEST_CASE("FieldCopyFor") {
  using K = ControlKind;
  struct Case {
    const char* Name;
    K Kind;
    int Style;
    FieldCopy Copy;
  };
  const Case cases[] = {
      {"spin control", K::Spin, 0, {.Skip = true, .Text = false}},
      {"push button", K::Button, 0x00, {}},
      {"check box", K::Button, 0x03, {.Check = true}},
      {"radio button", K::Button, 0x09, {.Check = true}},
      {"image button", K::Button, 0x80, {.ButtonImage = true}},
      {"text", K::Static, 0x00, {}},
      {"bitmap", K::Static, 0x0E, {.StaticImage = true}},
      {"list", K::List, 0x01, {.ListItems = true}},
      {"list of several choices", K::List, 0x08, {.ListItems = true, .MultipleSelection = true}},
      {"extended list with tab stops", K::List, 0x880,
       {.ListItems = true, .MultipleSelection = true, .TabStops = true}},
      {"drop-down list", K::DropDown, 0x03, {.ComboItems = true, .Text = false}},
      {"combo box with an edit field", K::DropDown, 0x02, {.ComboItems = true}},
      {"tab control", K::Tabs, 0, {.TabItems = true}},
      {"progress bar", K::Progress, 0, {.Progress = true}},
      {"trackbar", K::Trackbar, 0, {.Trackbar = true}},
      {"edit field", K::Edit, 0x80, {.EditState = true}},
      {"multi-line edit field", K::Edit, 0x04, {.EditState = true, .TabStops = true}},
      {"integer field", K::IntegerEdit, 0, {.EditState = true}},
      {"header", K::Header, 0, {}},
  };
  for (const Case& c : cases) {
    CAPTURE(c.Name);
    CHECK(FieldCopyFor(c.Kind, c.Style) == c.Copy);
  }
}
