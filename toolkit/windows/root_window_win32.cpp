// Opening and closing the root window: classes, frame, status bar, client
// window, and the state the rest of the layer works with.

#include "toolkit/windows/root_window.hpp"

#include <algorithm>
#include <string>

#include "toolkit/state/error_screen.hpp"
#include "toolkit/state/platform_text_win32.hpp"
#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/windows/client_procedure_win32.hpp"
#include "toolkit/windows/control_classes_win32.hpp"
#include "toolkit/windows/display_scale.hpp"
#include "toolkit/windows/display_scale_win32.hpp"
#include "toolkit/windows/frame_procedure_win32.hpp"
#include "toolkit/windows/palette_win32.hpp"
#include "toolkit/windows/resource_words.hpp"
#include "toolkit/windows/status_bar.hpp"
#include "toolkit/windows/window_font_win32.hpp"
#include "toolkit/windows/window_table_win32.hpp"

#include <commctrl.h>

namespace toolkit {

namespace {

constexpr char FrameClass[] = "KESTRAFOLIO";
constexpr char ClientClass[] = "KESTCLIENT";
constexpr int StatusBarId = 999;

[[noreturn]] void Abort(const char* text) {
  MessageBoxA(nullptr, text, "Kestrafolio Window", MB_ICONERROR);
  ExitProcess(0);
}

bool RegisterFrameClass(int menuId) {
  const HINSTANCE instance = ProgramInstance();
  UnregisterClassA(FrameClass, instance);  // may remain from an earlier opening
  WNDCLASSA wc{};
  wc.lpfnWndProc = FrameProcedure;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, "icon1");
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszMenuName = menuId != 0 ? MAKEINTRESOURCEA(menuId) : nullptr;
  wc.lpszClassName = FrameClass;
  return RegisterClassA(&wc) != 0;
}

bool RegisterClientClass() {
  const HINSTANCE instance = ProgramInstance();
  WNDCLASSA wc{};
  if (GetClassInfoA(instance, ClientClass, &wc)) return true;
  wc = {};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = ClientProcedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = ClientClass;
  return RegisterClassA(&wc) != 0;
}

DWORD FrameStyle(const WindowFlags& f) {
  DWORD style = WS_CAPTION | WS_CLIPCHILDREN;
  if (f.SystemMenu) style |= WS_SYSMENU;
  if (f.MinimiseBox) style |= WS_MINIMIZEBOX;
  if (f.MaximiseBox) style |= WS_MAXIMIZEBOX;
  if (f.StartMaximised) style |= WS_MAXIMIZE;
  if (!f.FixedSize) style |= WS_THICKFRAME;
  return style;
}

int HeightOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r.bottom - r.top;
}

// The status bar goes along the bottom; the frame grows by its height so
// that the client area keeps the size asked for.
void AddStatusBar(WindowSlot& root, const WindowFlags& f, int requestedY, int outerWidth) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                      (f.FixedSize ? 0 : SBARS_SIZEGRIP);
  root.StatusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", style, 0, 0, outerWidth, 10, root.Frame,
                                   reinterpret_cast<HMENU>(StatusBarId), ProgramInstance(), nullptr);
  if (root.StatusBar == nullptr) return;
  const int barHeight = HeightOf(root.StatusBar);
  RECT frame;
  GetWindowRect(root.Frame, &frame);
  const int top = TopAfterStatusBar(frame.top, requestedY, f.StartMaximised, barHeight);
  SetWindowPos(root.Frame, nullptr, frame.left, top, frame.right - frame.left,
               frame.bottom - frame.top + barHeight,
               SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOZORDER);
  SendMessageA(root.StatusBar, WM_SIZE, 0, 0);
}

void CreateClientWindow(WindowSlot& root) {
  RECT area;
  GetClientRect(root.Frame, &area);
  const int barHeight = root.StatusBar != nullptr ? HeightOf(root.StatusBar) : 0;
  root.Client = CreateWindowExA(0, ClientClass, "",
                                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                                area.right, area.bottom - barHeight, root.Frame,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)), ProgramInstance(),
                                nullptr);
}

void LoadMenuCompanions(WindowSlot& root, int menuId) {
  const HINSTANCE instance = ProgramInstance();
  root.Menu = GetMenu(root.Frame);
  if (menuId == 0) return;
  root.Accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(menuId));
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(menuId), MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (found == nullptr) return;
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(instance, found)));
  if (bytes == nullptr) return;
  root.PopupLocatorTable = ResourceWords({bytes, SizeofResource(instance, found)});
}

void InitialiseDrawingState() {
  constexpr COLORREF basic[16] = {
      RGB(0, 0, 0),          RGB(0xBF, 0, 0),    RGB(0xBF, 0xBF, 0),    RGB(0, 0xBF, 0),
      RGB(0, 0xBF, 0xBF),    RGB(0, 0, 0xBF),    RGB(0xBF, 0, 0xBF),    RGB(0xBF, 0xBF, 0xBF),
      RGB(0x40, 0x40, 0x40), RGB(0xFF, 0, 0),    RGB(0xFF, 0xFF, 0),    RGB(0, 0xFF, 0),
      RGB(0, 0xFF, 0xFF),    RGB(0, 0, 0xFF),    RGB(0xFF, 0, 0xFF),    RGB(0xFF, 0xFF, 0xFF),
  };
  std::copy(std::begin(basic), std::end(basic), Layer.BasicColours.begin());
  Layer.WindowTextColour = GetSysColor(COLOR_WINDOWTEXT);
  Layer.WindowColour = GetSysColor(COLOR_WINDOW);
  if (State.ColourCount == 256) CreateToolkitPalette(Layer.ColourReserve);
  if (Layer.WorkBitmap == nullptr) Layer.WorkBitmap = CreateCompatibleBitmap(Layer.ClientDc, 8, 8);
}

// Report mode 3: the line goes into part 1 of the root window's status bar,
// whichever window is current.
void ShowErrorLineInRootStatusBar(std::string_view line) {
  const int remembered = Layer.CurrentWindow;
  Layer.CurrentWindow = 0;
  StatusBarText(1, line);
  Layer.CurrentWindow = remembered;
}

// Resource dialogs recognise their fields by the controls' classes.
void RecordStandardControls() {
  RecordControlClasses();
  LoadLibraryA("riched32.dll");  // rich edit fields of the program's dialogs
  RegisterWindowMessageA("commdlg_FindReplace");
}

}  // namespace

void OpenRootWindow(const WindowSpec& window, std::optional<int> colourReserve) {
  if (State.RootWindowOpen != 0) return;
  // The size asked for is the size at 100 %; the window opens on the display
  // of the system's scaling.
  const int dpi = WindowDpi(nullptr);
  const int clientWidth = RequestedClientSize(ScaledPixels(window.Width, dpi), State.ScreenWidth);
  const int clientHeight = RequestedClientSize(ScaledPixels(window.Height, dpi), State.ScreenHeight);
  const WindowFlags flags = SplitWindowFlags(window.Flags);
  Layer.RootFlags = window.Flags;
  Layer.ColourReserve = ColourReserveFor(colourReserve);
  const std::string caption(window.Title.Trimmed());

  if (!RegisterFrameClass(window.MenuId) || !RegisterClientClass()) {
    Abort("Failed to register class - aborting.");
  }
  LoadLibraryA("comctl32.dll");

  const DWORD style = FrameStyle(flags);
  const DWORD exStyle = flags.AlwaysOnTop ? WS_EX_TOPMOST : 0;
  RECT outer{0, 0, clientWidth, clientHeight};
  AdjustFrameRect(outer, style, window.MenuId != 0, exStyle, dpi);
  const int outerWidth = outer.right - outer.left;
  const int outerHeight = outer.bottom - outer.top;
  const int x = WindowOrigin(window.X, State.ScreenWidth, outerWidth);
  const int y = WindowOrigin(window.Y, State.ScreenHeight, outerHeight);

  WindowSlot& root = Layer.Slots[0];
  root = WindowSlot{};
  root.Frame = CreateWindowExA(exStyle, FrameClass, "", style, x, y, outerWidth,
                               outerHeight, nullptr, nullptr, ProgramInstance(), nullptr);
  if (root.Frame != nullptr) {
    root.Dpi = dpi;
    // Set by the wide default procedure, the caption passes whole, whatever
    // the ANSI code page holds; the frame's own procedure is an ANSI one.
    DefWindowProcW(root.Frame, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(PlatformText(caption).c_str()));
    root.PartStyles.fill(PartStyle::Sunken);
    if (flags.StatusBar) AddStatusBar(root, flags, window.Y, outerWidth);
    CreateClientWindow(root);
  }
  if (root.Frame == nullptr || root.Client == nullptr) Abort("Failed to create window - aborting.");

  Layer.RootHidden = flags.StartHidden;
  if (flags.StartHidden) {
    ShowWindow(root.Frame, SW_HIDE);
  } else {
    ShowWindow(root.Frame, flags.StartMaximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    ValidateRgn(root.Client, nullptr);
  }

  Layer.ClientDc = GetDC(root.Client);
  SetBkMode(Layer.ClientDc, TRANSPARENT);
  SetTextAlign(Layer.ClientDc, TA_LEFT | TA_BASELINE);

  RECT client;
  GetClientRect(root.Client, &client);
  root.ClientWidth = root.ScaleWidth = client.right;
  root.ClientHeight = root.ScaleHeight = client.bottom;

  LoadMenuCompanions(root, window.MenuId);
  InitialiseDrawingState();
  RefreshFont(root.Text);  // the default font, and the character size it has
  RecordStandardControls();

  for (WindowSlot& slot : Layer.Slots) slot.Pending = PendingEvent{};
  if (!flags.StartHidden) SetFocus(root.Client);
  Layer.CurrentWindow = 0;
  Layer.ActiveWindow = 0;
  Layer.RecentWindow = root.Frame;

  RegisterErrorScreen({.StatusBarLine = ShowErrorLineInRootStatusBar});
  State.RootWindowOpen = 1;
}

void CloseRootWindow() {
  for (int slot = WindowSlotCount - 1; slot >= 1; --slot) {
    if (Layer.Slots[slot].Frame != nullptr) DestroyWindow(Layer.Slots[slot].Frame);
  }
  if (Layer.ClosingWithRoot != nullptr) Layer.ClosingWithRoot();
  WindowSlot& root = Layer.Slots[0];
  DeleteToolkitPalette();
  if (Layer.ClientDc != nullptr) ReleaseDC(root.Client, Layer.ClientDc);
  Layer.ClientDc = nullptr;
  if (Layer.TextFont != nullptr && !Layer.TextFontIsStock) DeleteObject(Layer.TextFont);
  Layer.TextFont = nullptr;
  State.FontCache.fill(-1);

  Layer.Switches = ClosedEventSwitches();
  if (root.Frame != nullptr) DestroyWindow(root.Frame);
  if (root.StatusFont != nullptr) DeleteObject(root.StatusFont);
  for (WindowSlot& slot : Layer.Slots) slot = WindowSlot{};
  Layer.CurrentWindow = 0;
  State.RootWindowOpen = 0;
  Layer.RootFlags = 0;
  Layer.RootHidden = false;
  Layer.RecentWindow = nullptr;
  Layer.ModelessDialog = nullptr;
  State.Dialog = {};
}

}  // namespace toolkit
