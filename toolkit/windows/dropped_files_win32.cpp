#include "toolkit/windows/dropped_files_win32.hpp"

#include <shellapi.h>

#include <algorithm>
#include <string>

#include "text/wide_names.hpp"
#include "toolkit/windows/event_loop.hpp"
#include "toolkit/windows/event_reports_win32.hpp"
#include "toolkit/windows/window_table_win32.hpp"
#include "toolkit/windows/window_units.hpp"

namespace toolkit {

namespace {

// The platform's wide name as UTF-8, the form in which the toolkit hands
// names to the application.
std::string Utf8Name(HDROP drop, UINT index) {
  const UINT length = DragQueryFileW(drop, index, nullptr, 0);
  std::wstring wide(length + 1, L'\0');
  DragQueryFileW(drop, index, wide.data(), length + 1);
  wide.resize(length);
  return text::Utf8FromWide<wchar_t>(wide);
}

}  // namespace

void AcceptDroppedFiles(bool on) {
  for (const WindowSlot& slot : Layer.Slots) {
    if (slot.Frame != nullptr) DragAcceptFiles(slot.Frame, on ? TRUE : FALSE);
  }
}

LRESULT OnDropFiles(HWND frame, HDROP drop) {
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  Layer.DroppedFiles.clear();
  for (UINT i = 0; i < count; ++i) Layer.DroppedFiles.push_back(Utf8Name(drop, i));
  POINT at{-1, -1};
  DragQueryPoint(drop, &at);
  DragFinish(drop);
  // The point is in the frame's client area; the units are the client window's.
  int x = -1, y = -1;
  const int slot = SlotOfWindow(frame);
  if (slot >= 0 && Layer.Slots[slot].Client != nullptr) {
    const HWND client = Layer.Slots[slot].Client;
    MapWindowPoints(frame, client, &at, 1);
    RECT area;
    GetClientRect(client, &area);
    x = PixelsToUnits(at.x, area.right);
    y = PixelsToUnits(at.y, area.bottom);
  }
  ReportEvent(frame, EventType::FilesDropped, static_cast<int>(count), -1, -1, -1, x, y);
  return 0;
}

void DroppedFileName(int index, std::span<char> fileName) {
  std::fill(fileName.begin(), fileName.end(), ' ');
  if (index < 1 || index > static_cast<int>(Layer.DroppedFiles.size())) return;
  const std::string& name = Layer.DroppedFiles[static_cast<std::size_t>(index - 1)];
  std::copy_n(name.begin(), std::min(name.size(), fileName.size()), fileName.begin());
}

}  // namespace toolkit
