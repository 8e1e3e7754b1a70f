#include "toolkit/windows/popup_locator.hpp"

#include <array>
#include <cstdint>
#include <vector>

#include <doctest/doctest.h>

using namespace toolkit;

namespace {

// A menu as a tree: an entry is a command or a popup.
struct Menu {
  std::vector<const Menu*> Popups;  // nullptr where the entry is a plain command
};

const Menu* SubMenuAt(const Menu* menu, int position) {
  if (position < 0 || position >= static_cast<int>(menu->Popups.size())) return nullptr;
  return menu->Popups[position];
}

// The program's menu: File, Options > Resolution, Help.
const Menu file{{nullptr, nullptr, nullptr, nullptr}};
const Menu resolution{{nullptr, nullptr, nullptr}};
const Menu options{{&resolution}};
const Menu help{{nullptr, nullptr}};
const Menu bar{{&file, &options, &help}};

constexpr std::array<std::uint16_t, 14> Table{40001, 1, 0, 40012, 2, 0, 40013, 2, 1, 0,
                                              40006, 3, 0, 0};

}  // namespace

TEST_CASE("FindPopupPath") {
  CHECK(FindPopupPath(Table, 40013).size() == 2);
  CHECK(FindPopupPath(Table, 40006).size() == 1);
  CHECK(FindPopupPath(Table, 40006)[0] == 3);
  CHECK(FindPopupPath(Table, 40002).empty());
  CHECK(FindPopupPath(Table, 0).empty());
  SUBCASE("entries after the closing zero are not read") {
    const std::array<std::uint16_t, 4> early{0, 40001, 1, 0};
    CHECK(FindPopupPath(early, 40001).empty());
  }
  SUBCASE("a table cut short does not read past its end") {
    const std::array<std::uint16_t, 3> cut{40001, 1, 2};
    CHECK(FindPopupPath(cut, 40001).size() == 2);
  }
}

TEST_CASE("LocatePopup") {
  SUBCASE("a top-level popup lies on the menu bar") {
    const auto place = LocatePopup(Table, 40012, &bar, SubMenuAt);
    CHECK(place.Found);
    CHECK(place.Holder == &bar);
    CHECK(place.Position == 1);
    CHECK(place.OnMenuBar);
  }
  SUBCASE("a nested popup is found in the menu that holds it") {
    const auto place = LocatePopup(Table, 40013, &bar, SubMenuAt);
    CHECK(place.Found);
    CHECK(place.Holder == &options);
    CHECK(place.Position == 0);
    CHECK_FALSE(place.OnMenuBar);
  }
  SUBCASE("an identifier the table does not list is not found") {
    CHECK_FALSE(LocatePopup(Table, 40018, &bar, SubMenuAt).Found);
  }
  SUBCASE("a path through an entry without submenu is not found") {
    const std::array<std::uint16_t, 6> table{50000, 1, 2, 1, 0, 0};
    CHECK_FALSE(LocatePopup(table, 50000, &bar, SubMenuAt).Found);
  }
}
