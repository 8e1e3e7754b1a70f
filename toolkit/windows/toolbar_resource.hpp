#pragma once
// A toolbar described by a resource: image size, then one word per item, a
// command identifier or 0 for a separator, ended by two consecutive zeros.

#include <cstdint>
#include <span>
#include <vector>

namespace toolkit {

struct ToolbarItem {
  int Command = 0;  // 0: separator
  int Image = -1;   // index into the button images; -1 for a separator
};

struct ToolbarResource {
  int ImageWidth = 0;
  int ImageHeight = 0;
  int Margin = 6;  // pixels between an image and its button's edges, both sides together
  std::vector<ToolbarItem> Items;
};

// A list that runs to the end of the resource without its two zeros ends there.
ToolbarResource ParseToolbarResource(std::span<const std::uint16_t> words);

struct ToolbarSize {
  int Width = 0;
  int Height = 0;
};

// Buttons are Margin pixels larger than their images each way.
ToolbarSize ToolbarButtonSize(const ToolbarResource& toolbar);

// The sides a window keeps a toolbar at, in the order it keeps them.
enum class ToolbarSide { Top, Left, Right, Bottom };

// The side of a ToolbarPosition; anything else is the top.
ToolbarSide ToolbarSideAt(int position);

// Size of a toolbar at a side of a client area; a side toolbar is half a
// margin wider than its buttons.
ToolbarSize ToolbarPlaceSize(const ToolbarResource& toolbar, ToolbarSide side, int clientWidth,
                             int clientHeight);

}  // namespace toolkit
