#pragma once
// The text a dialog may carry beside its template (a raw-data resource with
// the dialog's identifier) that fills its fields when it is loaded:
//
//   [Menus]
//   3002, 3, 2        field, number of items, selected item (1-based, 0 none)
//   North             then one item per line
//   ...
//   [Tabs]
//   3005, 2, 302      field, number of pages, page dialog shown first
//   301 General       then per line a page dialog and its label
//   ...
//
// and one line per field in the sections [Ranges] (minimum, maximum),
// [Checks] (state), [Trackbars] (page size, line size, tick frequency,
// selection start and end), [Lengths] (maximum text length), [Colours]
// (foreground and background red, green, blue) and [Grids] (rows,
// columns, then the column headings separated by commas:
// "3010, 4, 3, Name, Latitude, Longitude").
// Values are separated by commas or blanks; items and labels run to the end
// of their line. Lines outside a known section, and lines short of values,
// are passed over.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

struct CompanionRange {
  int Field = 0;
  double Minimum = 0;
  double Maximum = 0;
  bool operator==(const CompanionRange&) const = default;
};

struct CompanionMenu {
  int Field = 0;
  int Selected = 0;
  std::vector<std::string> Items;
  bool operator==(const CompanionMenu&) const = default;
};

struct CompanionCheck {
  int Field = 0;
  int State = 0;
  bool operator==(const CompanionCheck&) const = default;
};

struct CompanionPage {
  int DialogId = 0;
  std::string Label;
  bool operator==(const CompanionPage&) const = default;
};

struct CompanionTabs {
  int Field = 0;
  int CurrentPage = 0;  // a page's dialog identifier
  std::vector<CompanionPage> Pages;
  bool operator==(const CompanionTabs&) const = default;
};

struct CompanionGrid {
  int Field = 0;
  int Rows = 0;
  int Columns = 0;
  std::vector<std::string> Headings;
  bool operator==(const CompanionGrid&) const = default;
};

struct CompanionColours {
  int Field = 0;
  std::array<int, 3> Foreground{};
  std::array<int, 3> Background{};
  bool operator==(const CompanionColours&) const = default;
};

struct CompanionTrackbar {
  int Field = 0;
  int PageSize = 0;
  int LineSize = 0;
  int TickFrequency = 0;
  int SelectionStart = 0;
  int SelectionEnd = 0;
  bool operator==(const CompanionTrackbar&) const = default;
};

struct CompanionLength {
  int Field = 0;
  int Length = 0;
  bool operator==(const CompanionLength&) const = default;
};

struct CompanionResource {
  std::vector<CompanionRange> Ranges;
  std::vector<CompanionMenu> Menus;
  std::vector<CompanionCheck> Checks;
  std::vector<CompanionTabs> Tabs;
  std::vector<CompanionGrid> Grids;
  std::vector<CompanionColours> Colours;
  std::vector<CompanionTrackbar> Trackbars;
  std::vector<CompanionLength> Lengths;
  bool operator==(const CompanionResource&) const = default;
};

// The text ends at its end or at the first NUL byte.
CompanionResource ParseCompanion(std::string_view text);

}  // namespace toolkit
