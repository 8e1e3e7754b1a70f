#include "toolkit/windows/frame_layout.hpp"

#include <algorithm>

namespace toolkit {

FrameLayout LayOutFrameArea(int width, int height, const FrameParts& parts) {
  int left = 0;
  int top = 0;
  int right = width;
  int bottom = height - parts.StatusBarHeight;
  FrameLayout layout;
  layout.Top = {left, top, right - left, parts.TopHeight};
  top += parts.TopHeight;
  layout.Bottom = {left, bottom - parts.BottomHeight, right - left, parts.BottomHeight};
  bottom -= parts.BottomHeight;
  layout.Left = {left, top, parts.LeftWidth, bottom - top};
  left += parts.LeftWidth;
  layout.Right = {right - parts.RightWidth, top, parts.RightWidth, bottom - top};
  right -= parts.RightWidth;
  layout.Client = {left, top, std::max(0, right - left), std::max(0, bottom - top)};
  return layout;
}

}  // namespace toolkit
