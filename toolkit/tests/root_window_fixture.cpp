#include "toolkit/tests/root_window_fixture.hpp"

#include <array>
#include <fstream>
#include <vector>

#include "text/wide_names.hpp"
#include "toolkit/frame/toolkit_start.hpp"
#include "toolkit/windows/root_window.hpp"
#include "toolkit/windows/status_bar.hpp"
#include "toolkit/windows/toolbar.hpp"

namespace toolkit::testing {

namespace {

// Xvfb runs no window manager, and Wine waits two seconds for one whenever a
// managed window is hidden or destroyed; this program's windows are left
// unmanaged instead. Wine reads the setting when its display driver starts.
void LeaveWindowsUnmanaged() {
  static bool done = false;
  if (done) return;
  done = true;
  std::array<char, MAX_PATH> path{};
  GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
  const std::string program(path.data());
  const std::string key = "Software\\Wine\\AppDefaults\\" + program.substr(program.find_last_of("\\/") + 1) +
                          "\\X11 Driver";
  HKEY handle = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(handle, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
  RegCloseKey(handle);
}

}  // namespace

RootWindow OpenApplicationWindow(bool withToolbar, int clientHeight) {
  LeaveWindowsUnmanaged();
  ToolkitStart(" ");
  OpenRootWindow(ApplicationWindowSpec(clientHeight));
  const std::array widths{7000, -1};
  StatusBarParts(widths);
  StatusBarText(1, " Output format: English style numbers");
  StatusBarText(2, " Resolution: 1 second");
  if (withToolbar) ToolbarCreate(30101);

  RootWindow w;
  w.Frame = FindWindowA("KESTRAFOLIO", nullptr);
  w.Client = FindWindowExA(w.Frame, nullptr, "KESTCLIENT", nullptr);
  w.StatusBar = FindWindowExA(w.Frame, nullptr, STATUSCLASSNAMEA, nullptr);
  w.Toolbar = FindWindowExA(w.Frame, nullptr, TOOLBARCLASSNAMEA, nullptr);
  return w;
}

void CloseApplicationWindow() { CloseRootWindow(); }

int NextEventWithin(int milliseconds, EventRecord& record) {
  const HWND frame = FindWindowA("KESTRAFOLIO", nullptr);
  SetTimer(frame, GuardTimer, milliseconds, nullptr);
  int type = 0;
  NextEvent(type, record);
  KillTimer(frame, GuardTimer);
  return type;
}

std::string WindowText(HWND window) {
  std::vector<wchar_t> text(GetWindowTextLengthW(window) + 1, L'\0');
  GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  return text::Utf8FromWide(std::wstring_view(text.data()));
}

std::string StatusText(HWND bar, int part) {
  std::array<wchar_t, 512> text{};
  SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data()));
  return text::Utf8FromWide(std::wstring_view(text.data()));
}

RECT ScreenRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

SIZE ClientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return {r.right, r.bottom};
}

Pixels ReadPixels(HDC source, const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  Pixels pixels{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
  const HDC memory = CreateCompatibleDC(source);
  const HBITMAP bitmap = CreateCompatibleBitmap(source, width, height);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, source, area.left, area.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  GetDIBits(memory, bitmap, 0, height, pixels.Data.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  for (auto& p : pixels.Data) p &= 0xFFFFFF;
  return pixels;
}

bool SaveScreenshot(const std::string& path) {
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const HDC dc = GetDC(nullptr);
  const Pixels pixels = ReadPixels(dc, screen);
  ReleaseDC(nullptr, dc);
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = pixels.Width;
  info.biHeight = -pixels.Height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  const DWORD bytes = static_cast<DWORD>(pixels.Data.size() * 4);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + bytes;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(reinterpret_cast<const char*>(pixels.Data.data()), bytes);
  return out.good();
}

void PressKeys(std::initializer_list<WORD> down, std::initializer_list<WORD> up) {
  std::vector<INPUT> inputs;
  const auto key = [&inputs](WORD vk, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = flags;
    inputs.push_back(in);
  };
  for (WORD vk : down) key(vk, 0);
  for (WORD vk : up) key(vk, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void ClickAt(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  std::array<INPUT, 2> inputs{};
  inputs[0].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].type = INPUT_MOUSE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

namespace {

void (*PendingAction)() = nullptr;

void CALLBACK RunPendingAction(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (PendingAction != nullptr) PendingAction();
  PendingAction = nullptr;
}

}  // namespace

void ShowUntilTaken(HWND frame, const std::string& folder, const std::string& name, void (*redraw)(),
                    const std::function<void()>& drawn) {
  constexpr int PollTimer = 77;
  const std::string path = folder + "\\" + name;
  SetTimer(frame, PollTimer, 100, nullptr);
  bool announced = false;
  for (int ticks = 0; ticks < 300;) {
    int type = 0;
    EventRecord event;
    NextEvent(type, event);
    if (type == EventType::Repaint || type == EventType::SizeChange) redraw();
    if (type != EventType::TimerTick) continue;
    ++ticks;
    if (!announced) {
      if (drawn) drawn();
      CloseHandle(CreateFileA((path + ".ready").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
      announced = true;
    }
    if (GetFileAttributesA((path + ".taken").c_str()) != INVALID_FILE_ATTRIBUTES) return;
    SetTimer(frame, PollTimer, 100, nullptr);
  }
}

void WhileWaiting(void (*action)()) {
  PendingAction = action;
  SetTimer(nullptr, 0, 10, RunPendingAction);
}

}  // namespace toolkit::testing
