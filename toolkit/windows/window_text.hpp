#pragma once
// Output into the current window's client area.

#include <string_view>

namespace toolkit {

void ClearClientArea();
void TextAt(int x, int y, std::string_view text);

}  // namespace toolkit
