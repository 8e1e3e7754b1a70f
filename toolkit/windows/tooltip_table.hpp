#pragma once
// A window's own tooltips for its toolbar buttons, which win over the
// program's string table.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace toolkit {

struct TooltipRecord {
  std::int32_t Command = 0;
  std::array<char, 80> Text{};
};

// The text of the last record for the command, trailing blanks dropped;
// nothing when the table has none.
std::optional<std::string_view> TooltipFor(std::span<const TooltipRecord> table, int command);

}  // namespace toolkit
