#include "toolkit/windows/popup_locator.hpp"

namespace toolkit {

std::span<const std::uint16_t> FindPopupPath(std::span<const std::uint16_t> table, int id) {
  std::size_t i = 0;
  while (i < table.size() && table[i] != 0) {
    const int entryId = table[i];
    const std::size_t start = ++i;
    while (i < table.size() && table[i] != 0) ++i;
    if (entryId == id) return table.subspan(start, i - start);
    ++i;  // the 0 that ends the entry
  }
  return {};
}

}  // namespace toolkit
