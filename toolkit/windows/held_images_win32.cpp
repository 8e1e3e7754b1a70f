// The images of the toolkit's windows held while modal boxes are up.

#include "toolkit/windows/held_images_win32.hpp"

#include "toolkit/windows/window_table_win32.hpp"

namespace toolkit {

namespace {

// Only frames the user can see and that belong to the toolkit (no control
// record in their user data) and stand on their own are held.
bool Holdable(const WindowSlot& slot) {
  return slot.Frame != nullptr && slot.Client != nullptr && IsWindowVisible(slot.Frame) &&
         GetWindowLongPtrA(slot.Frame, GWLP_USERDATA) == 0 &&
         (GetWindowLongA(slot.Frame, GWL_STYLE) & WS_CHILD) == 0;
}

constexpr char ImageProperty[] = "KestraHeldImage";
constexpr char CountProperty[] = "KestraHeldCount";

HBITMAP CopyOfClientArea(HWND client) {
  RECT area{};
  GetClientRect(client, &area);
  const HDC screen = GetDC(client);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP image = CreateCompatibleBitmap(screen, area.right, area.bottom);
  if (image != nullptr) {
    const HGDIOBJ previous = SelectObject(memory, image);
    BitBlt(memory, 0, 0, area.right, area.bottom, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
  }
  DeleteDC(memory);
  ReleaseDC(client, screen);
  return image;
}

// `from` is where the area lies in the image.
void DrawImage(HDC target, HBITMAP image, const RECT& area, POINT from = {0, 0}) {
  const HDC memory = CreateCompatibleDC(target);
  const HGDIOBJ previous = SelectObject(memory, image);
  BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, from.x + area.left,
         from.y + area.top, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
}

}  // namespace

void WindowImagesHold() {
  Layer.ImagesHeld = true;
  for (WindowSlot& slot : Layer.Slots) {
    if (!Holdable(slot)) continue;
    if (slot.HeldImage == nullptr) slot.HeldImage = CopyOfClientArea(slot.Client);
    ++slot.ImageCount;
  }
}

void WindowImagesRelease() {
  Layer.ImagesHeld = false;
  for (WindowSlot& slot : Layer.Slots) {
    if (slot.ImageCount == 0) continue;
    if (--slot.ImageCount > 0) {
      Layer.ImagesHeld = true;
      continue;
    }
    if (slot.HeldImage == nullptr) continue;
    // What the box uncovered is painted here and now, and marked valid: the
    // application is not asked to paint it again.
    RECT area{};
    GetClientRect(slot.Client, &area);
    const HDC dc = GetDC(slot.Client);
    DrawImage(dc, slot.HeldImage, area);
    ReleaseDC(slot.Client, dc);
    DeleteObject(slot.HeldImage);
    slot.HeldImage = nullptr;
    ValidateRgn(slot.Client, nullptr);
  }
}

void HoldWindowImage(HWND window) {
  const auto count = reinterpret_cast<INT_PTR>(GetPropA(window, CountProperty));
  if (count == 0) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    SetPropA(window, ImageProperty, CopyOfClientArea(window));
  }
  SetPropA(window, CountProperty, reinterpret_cast<HANDLE>(count + 1));
}

int ReleaseWindowImage(HWND window) {
  const auto count = reinterpret_cast<INT_PTR>(GetPropA(window, CountProperty));
  if (count == 0) return 0;
  if (count == 1) {
    DropWindowImage(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return 0;
  }
  SetPropA(window, CountProperty, reinterpret_cast<HANDLE>(count - 1));
  return static_cast<int>(count - 1);
}

void DropWindowImage(HWND window) {
  RemovePropA(window, CountProperty);
  if (const HANDLE image = RemovePropA(window, ImageProperty); image != nullptr) DeleteObject(image);
}

bool PaintHeldImage(HWND window) {
  if (!Layer.ImagesHeld) return false;
  HBITMAP image = nullptr;
  POINT from{0, 0};
  if (const int index = SlotOfWindow(window); index >= 0) {
    image = Layer.Slots[index].HeldImage;
    // A window inside the root's client area holds no image of its own: it
    // shows the part of the root's image it covers.
    const HWND root = Layer.Slots[0].Client;
    if (image == nullptr && index != 0 && root != nullptr && IsChild(root, window)) {
      image = Layer.Slots[0].HeldImage;
      MapWindowPoints(window, root, &from, 1);
    }
  } else {
    for (HWND holder = window; holder != nullptr && image == nullptr; holder = GetParent(holder)) {
      image = static_cast<HBITMAP>(GetPropA(holder, ImageProperty));
      if (image != nullptr) MapWindowPoints(window, holder, &from, 1);
    }
  }
  if (image == nullptr) return false;
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  DrawImage(dc, image, paint.rcPaint, from);
  EndPaint(window, &paint);
  return true;
}

}  // namespace toolkit
