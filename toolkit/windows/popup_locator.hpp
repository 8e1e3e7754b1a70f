#pragma once
// Popup menus have no identifiers of their own; a locator table, a resource
// beside the menu, gives them one: per entry the popup's identifier, its path
// of 1-based positions from the menu bar, and a 0; a lone 0 ends the table.

#include <cstdint>
#include <span>

namespace toolkit {

// The path of popup `id` (empty when the table does not list it).
std::span<const std::uint16_t> FindPopupPath(std::span<const std::uint16_t> table, int id);

template <class Menu>
struct PopupPlace {
  bool Found = false;
  Menu Holder{};          // the menu that holds the popup
  int Position = 0;       // the popup's 0-based position in it
  bool OnMenuBar = false; // the holder is the menu bar itself
};

// Walks the path of popup `id` from `bar`; `subMenuAt(menu, position)` gives
// the submenu at a 0-based position, or an empty Menu when there is none.
template <class Menu, class SubMenuAt>
PopupPlace<Menu> LocatePopup(std::span<const std::uint16_t> table, int id, Menu bar,
                             SubMenuAt subMenuAt) {
  const auto path = FindPopupPath(table, id);
  if (path.empty()) return {};
  Menu holder = bar;
  for (std::size_t i = 0; i + 1 < path.size(); ++i) {
    holder = subMenuAt(holder, path[i] - 1);
    if (holder == Menu{}) return {};
  }
  return {true, holder, path.back() - 1, path.size() == 1};
}

}  // namespace toolkit
