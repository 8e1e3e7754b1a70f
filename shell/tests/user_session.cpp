#include "shell/tests/user_session.hpp"

#include <commctrl.h>

#include <array>
#include <cctype>
#include <cstdlib>
#include <cstdio>
#include <map>

#include "text/wide_names.hpp"

namespace shell::testing {

namespace {

constexpr DWORD PollMs = 50;

// The visible top-level windows of this class that the process owns.
std::vector<HWND> ProcessWindows(DWORD processId, std::string_view className) {
  struct Search {
    DWORD ProcessId;
    std::string_view ClassName;
    std::vector<HWND> Found;
  } search{processId, className, {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        std::array<char, 64> name{};
        GetClassNameA(window, name.data(), static_cast<int>(name.size()));
        if (owner == s.ProcessId && std::string_view(name.data()) == s.ClassName && IsWindowVisible(window)) {
          s.Found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

// Memory inside the program, for the control messages that fill a buffer:
// the system passes their pointers on unchanged to another process.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, SIZE_T size)
      : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
  ~RemoteBuffer() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  LPARAM Address() const { return reinterpret_cast<LPARAM>(address_); }
  bool Read(void* into, SIZE_T size) const {
    return address_ != nullptr && ReadProcessMemory(process_, address_, into, size, nullptr);
  }

 private:
  HANDLE process_;
  void* address_;
};

using toolkit::testing::Pixels;
using toolkit::testing::ReadPixels;

Pixels ScreenPixels(const RECT& r) {
  HDC screen = GetDC(nullptr);
  Pixels pixels = ReadPixels(screen, r);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// The lines as the program draws them: white background, black text in the
// system font, each at x 100 and y 1000 times its number in window units;
// the lines are UTF-8, drawn by the platform's wide call.
Pixels Drawn(const std::vector<std::string>& lines, int width, int height) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  const RECT all{0, 0, width, height};
  FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HGDIOBJ oldFont = SelectObject(memory, GetStockObject(SYSTEM_FONT));
  SetBkMode(memory, OPAQUE);
  SetBkColor(memory, RGB(255, 255, 255));
  SetTextColor(memory, RGB(0, 0, 0));
  SetTextAlign(memory, TA_LEFT | TA_BASELINE);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int x = (width - 1) * 100 / 9999;
    const int y = (height - 1) * 1000 * static_cast<int>(i + 1) / 9999;
    const std::wstring line = text::WideFromUtf8<wchar_t>(lines[i]);
    TextOutW(memory, x, y, line.data(), static_cast<int>(line.size()));
  }
  SelectObject(memory, oldFont);
  Pixels pixels = ReadPixels(memory, all);
  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

void SendKey(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

WORD KeyCode(std::string_view name) {
  static const std::map<std::string_view, WORD> named{
      {"alt", VK_MENU},     {"ctrl", VK_CONTROL}, {"shift", VK_SHIFT},   {"enter", VK_RETURN},
      {"escape", VK_ESCAPE}, {"tab", VK_TAB},     {"down", VK_DOWN},     {"up", VK_UP},
      {"right", VK_RIGHT},  {"left", VK_LEFT},    {"f1", VK_F1},         {"f4", VK_F4},
      {"space", VK_SPACE},  {"home", VK_HOME},    {"end", VK_END},
  };
  if (const auto found = named.find(name); found != named.end()) return found->second;
  return static_cast<WORD>(std::toupper(static_cast<unsigned char>(name.front())));
}

void ClickAt(POINT screen) {
  // Absolute positions count 0 to 65535 across the screen.
  const LONG x = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  const LONG y = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  // Moved there first, and pressed for a moment, as a hand does: a control
  // learns where the mouse is before the button goes down.
  for (const DWORD action : {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = action | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    Sleep(100);
  }
}

}  // namespace

DWORD RemainingMs() {
  static const DWORD start = GetTickCount();
  const DWORD spent = GetTickCount() - start;
  return spent < OverallLimitMs ? OverallLimitMs - spent : 0;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > limitMs) return false;
    Sleep(PollMs);
  }
  return true;
}

HWND WaitForWindow(const char* className, const char* title, DWORD limitMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = FindWindowA(className, title);
        return found != nullptr && IsWindowVisible(found);
      },
      limitMs);
  return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}

bool Pinwell::Start(const std::string& program, const std::string& folder, const std::string& arguments,
                    const std::vector<std::string>& shown) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  // In this test's own desktop, where its input goes and its searches look.
  std::array<wchar_t, 256> desktop{};
  GetUserObjectInformationW(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, desktop.data(),
                            static_cast<DWORD>(desktop.size() * sizeof(wchar_t)), nullptr);
  startup.lpDesktop = desktop.data();
  // Names are UTF-8, as the program's own.
  std::wstring commandLine = text::WideFromUtf8<wchar_t>("\"" + program + "\" " + arguments);
  if (!CreateProcessW(text::WideFromUtf8<wchar_t>(program).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, text::WideFromUtf8<wchar_t>(folder).c_str(), &startup, &Process)) {
    return false;
  }
  WaitUntil([&] {
    const std::vector<HWND> frames = ProcessWindows(Process.dwProcessId, "KESTRAFOLIO");
    Frame = frames.empty() ? nullptr : frames.front();
    return Frame != nullptr;
  });
  if (Frame == nullptr) return false;
  // The toolbar comes last, after the window is shown.
  WaitUntil([&] {
    Client = FindWindowExA(Frame, nullptr, "KESTCLIENT", nullptr);
    StatusBar = FindWindowExA(Frame, nullptr, STATUSCLASSNAMEA, nullptr);
    Toolbar = FindWindowExA(Frame, nullptr, TOOLBARCLASSNAMEA, nullptr);
    return Client != nullptr && StatusBar != nullptr && Toolbar != nullptr;
  });
  SetForegroundWindow(Frame);
  // Ready once its event loop has drawn the client area.
  return WaitUntil([&] { return GetForegroundWindow() == Frame; }) && Shows(shown);
}

bool Pinwell::Running() const {
  return Process.hProcess != nullptr && WaitForSingleObject(Process.hProcess, 0) == WAIT_TIMEOUT;
}

int Pinwell::WaitForExit(DWORD limitMs) {
  if (WaitForSingleObject(Process.hProcess, limitMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(Process.hProcess, &code);
  return static_cast<int>(code);
}

Pinwell::~Pinwell() {
  if (Process.hProcess == nullptr) return;
  if (Running()) TerminateProcess(Process.hProcess, 99);
  CloseHandle(Process.hThread);
  CloseHandle(Process.hProcess);
}

std::string Pinwell::StatusText(int part) const {
  std::array<char, 512> text{};
  const RemoteBuffer buffer(Process.hProcess, text.size());
  SendMessageA(StatusBar, SB_GETTEXTA, part - 1, buffer.Address());
  buffer.Read(text.data(), text.size() - 1);
  return text.data();
}

std::vector<HWND> Pinwell::OpenMenus() const { return ProcessWindows(Process.dwProcessId, "#32768"); }

std::vector<bool> CheckMarks(HWND menu, int items) {
  // Another process's menu cannot be asked for its states: the marks are read
  // off the screen, in the column left of the captions, one row per item.
  RECT r{};
  GetClientRect(menu, &r);
  MapWindowPoints(menu, nullptr, reinterpret_cast<POINT*>(&r), 2);
  const auto brightness = [](std::uint32_t p) {
    return static_cast<int>((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF));
  };
  // Ink in a row's caption column, against the row's own background at its
  // right end: a highlighted row draws light on dark.
  const auto ink = [&](const Pixels& pixels, int item, int from, int to) {
    const int rowHeight = pixels.Height / items;
    const auto at = [&](int x, int y) { return pixels.Data[static_cast<std::size_t>(y) * pixels.Width + x]; };
    const int middle = item * rowHeight + rowHeight / 2;
    const int background = brightness(at(pixels.Width - 6, middle));
    int count = 0;
    for (int y = middle - rowHeight / 4; y <= middle + rowHeight / 4; ++y) {
      for (int x = from; x < to && x < pixels.Width; ++x) count += std::abs(brightness(at(x, y)) - background) > 200;
    }
    return count;
  };
  // The menu is drawn once every row shows its caption.
  Pixels pixels;
  WaitUntil([&] {
    pixels = ScreenPixels(r);
    for (int item = 0; item < items; ++item) {
      if (ink(pixels, item, 20, pixels.Width - 10) == 0) return false;
    }
    return true;
  });
  std::vector<bool> marks;
  for (int item = 0; item < items; ++item) marks.push_back(ink(pixels, item, 4, 15) > 3);
  return marks;
}

void Pinwell::ClickButton(int command) const {
  WaitUntilReady();
  RECT r{};
  const RemoteBuffer buffer(Process.hProcess, sizeof r);
  SendMessageA(Toolbar, TB_GETRECT, command, buffer.Address());
  buffer.Read(&r, sizeof r);
  POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(Toolbar, &centre);
  ClickAt(centre);
}

void Pinwell::ClickCloseBox() const {
  WaitUntilReady();
  // The close box is found where the window itself says it is, in the
  // caption's right end.
  RECT r{};
  GetWindowRect(Frame, &r);
  for (int y = r.top; y < r.top + 40; ++y) {
    for (int x = r.right - 1; x > r.right - 60; --x) {
      if (SendMessageA(Frame, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
        ClickAt({x - 4, y + 4});
        return;
      }
    }
  }
}

bool Pinwell::WaitUntilReady() const {
  return WaitUntil([&] {
    return IsWindowEnabled(Frame) && (GetForegroundWindow() == Frame || SetForegroundWindow(Frame));
  });
}

bool Pinwell::Shows(const std::vector<std::string>& lines, DWORD limitMs) const {
  RECT area{};
  GetClientRect(Client, &area);
  MapWindowPoints(Client, nullptr, reinterpret_cast<POINT*>(&area), 2);
  const Pixels wanted = Drawn(lines, area.right - area.left, area.bottom - area.top);
  return WaitUntil([&] { return ScreenPixels(area) == wanted; }, limitMs);
}

void Press(std::string_view chords) {
  while (!chords.empty()) {
    const std::size_t blank = chords.find(' ');
    std::string_view chord = chords.substr(0, blank);
    chords.remove_prefix(blank == std::string_view::npos ? chords.size() : blank + 1);
    std::vector<WORD> keys;
    while (!chord.empty()) {
      const std::size_t plus = chord.find('+', 1);
      keys.push_back(KeyCode(chord.substr(0, plus)));
      chord.remove_prefix(plus == std::string_view::npos ? chord.size() : plus + 1);
    }
    for (WORD key : keys) SendKey(key, false);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) SendKey(*key, true);
  }
}

std::string DialogItemText(HWND dialog, int item) { return WindowText(GetDlgItem(dialog, item)); }

std::string MessageText(HWND box) {
  std::string message;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM data) -> BOOL {
        std::array<char, 16> name{};
        GetClassNameA(child, name.data(), static_cast<int>(name.size()));
        auto& found = *reinterpret_cast<std::string*>(data);
        if (std::string_view(name.data()) == "Static") found = WindowText(child);
        return found.empty();
      },
      reinterpret_cast<LPARAM>(&message));
  return message;
}

}  // namespace shell::testing
