#include "toolkit/windows/toolbar_resource.hpp"

#include "toolkit/codes.hpp"

namespace toolkit {

ToolbarResource ParseToolbarResource(std::span<const std::uint16_t> words) {
  ToolbarResource toolbar;
  if (words.size() < 2) return toolbar;
  toolbar.ImageWidth = words[0];
  toolbar.ImageHeight = words[1];
  const auto items = words.subspan(2);
  std::size_t end = 0;
  while (end < items.size() && !(items[end] == 0 && end + 1 < items.size() && items[end + 1] == 0)) {
    ++end;
  }
  int image = 0;
  for (std::size_t i = 0; i < end; ++i) {
    if (items[i] == 0) {
      toolbar.Items.push_back({});
    } else {
      toolbar.Items.push_back({items[i], image++});
    }
  }
  return toolbar;
}

ToolbarSize ToolbarButtonSize(const ToolbarResource& toolbar) {
  return {toolbar.ImageWidth + toolbar.Margin, toolbar.ImageHeight + toolbar.Margin};
}

ToolbarSide ToolbarSideAt(int position) {
  switch (position) {
    case ToolbarPosition::Left: return ToolbarSide::Left;
    case ToolbarPosition::Right: return ToolbarSide::Right;
    case ToolbarPosition::Bottom: return ToolbarSide::Bottom;
    default: return ToolbarSide::Top;
  }
}

ToolbarSize ToolbarPlaceSize(const ToolbarResource& toolbar, ToolbarSide side, int clientWidth,
                             int clientHeight) {
  const ToolbarSize button = ToolbarButtonSize(toolbar);
  if (side == ToolbarSide::Left || side == ToolbarSide::Right) return {button.Width + toolbar.Margin / 2, clientHeight};
  return {clientWidth, button.Height};
}

}  // namespace toolkit
