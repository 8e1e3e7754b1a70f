#pragma once
// The window table: the 21 window slots and what the event loop shares with
// the window procedures. Only the toolkit's Win32 code sees it.

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/windows/event_record.hpp"
#include "toolkit/windows/pending_events.hpp"
#include "toolkit/windows/status_bar_edges.hpp"
#include "toolkit/windows/tooltip_table.hpp"

namespace toolkit {

inline constexpr int WindowSlotCount = 21;  // slot 0 is the root window
inline constexpr int ToolbarPlaces = 4;  // top, left, right, bottom

struct ToolbarPlace {
  HWND Window = nullptr;
  int Resource = 0;  // what it was made from, to make it again at another display scaling
  WNDPROC ControlProcedure = nullptr;  // the control's own, behind our WM_SIZE filter
  int SideWidth = 0;                   // left and right toolbars: width kept for layout
  // The size the toolkit gave it at its place, before the control sized
  // itself (which makes a side toolbar as wide as a top one): what a
  // replacement is compared with.
  SIZE Measured{};
};

// What text output draws with; set when the root window opens.
struct TextState {
  int Foreground = 0;   // index into the basic colours
  int Background = 15;
  int FontFamily = 0;
  int Bold = 0;
  int Italic = 0;
  int CharWidth = 0;    // pixels, as the font reports them
  int CharHeight = 0;
  bool Underline = false;
  int TextX = 0;        // window units just after the last text drawn
  int TextY = 0;
};

struct WindowSlot {
  HWND Frame = nullptr;
  HWND Client = nullptr;
  HWND StatusBar = nullptr;
  HMENU Menu = nullptr;
  HACCEL Accelerators = nullptr;
  std::vector<std::uint16_t> PopupLocatorTable;
  std::array<int, MaxStatusBarParts> PartStyles{};
  std::array<ToolbarPlace, ToolbarPlaces> Toolbars{};
  std::vector<TooltipRecord> TooltipTable;
  PendingEvent Pending;
  int Dpi = 96;          // of the display the frame is on
  HFONT StatusFont = nullptr;  // owned; none until the frame moves to a display of another scaling
  int ClientWidth = 0;   // last known client size in pixels
  int ClientHeight = 0;
  bool Minimised = false;
  int ScaleWidth = 0;    // client size that unit conversions use
  int ScaleHeight = 0;
  TextState Text;
  // The client area as it was when the first of the open modal boxes came up,
  // and how many of them still hold it.
  HBITMAP HeldImage = nullptr;
  int ImageCount = 0;
};

struct WindowLayer {
  std::array<WindowSlot, WindowSlotCount> Slots;
  int CurrentWindow = 0;
  int ActiveWindow = 0;
  // The toolkit window or dialog that had the activation last: the owner of
  // the next box when no dialog is active.
  HWND RecentWindow = nullptr;
  // The shown dialog that has the keyboard: NextEvent lets it see its keys.
  HWND ModelessDialog = nullptr;
  bool RootHidden = false;
  int RootFlags = 0;
  int ColourReserve = 16;
  EventSwitches Switches = StartingEventSwitches();

  // Shared between NextEvent and the window procedures.
  bool Waiting = false;
  int CurrentType = EventType::None;
  EventRecord CurrentEvent;
  HWND DispatchingWindow = nullptr;  // the queued WM_PAINT or WM_SIZE NextEvent is dispatching
  UINT DispatchingMessage = 0;
  bool DiscardCaretBlink = true;

  // Set while modal boxes hold images of the windows: the windows are painted
  // from them, and nothing is reported or deferred.
  bool ImagesHeld = false;

  // The names of the files last dropped onto a window, UTF-8, until the next drop.
  std::vector<std::string> DroppedFiles;

  // The text of the tooltip last asked for; the control reads it once the
  // notification returns.
  std::array<char, 81> TooltipText{};

  HDC ClientDc = nullptr;  // the root client's, kept while the window is open
  HFONT TextFont = nullptr;
  bool TextFontIsStock = true;
  std::array<COLORREF, 16> BasicColours{};
  HPALETTE Palette = nullptr;     // on a display of 256 colours only
  HBITMAP WorkBitmap = nullptr;   // 8 by 8 pixels, made once per process
  COLORREF WindowTextColour = 0;
  COLORREF WindowColour = 0;

  // What goes with the root window when it closes, set by the part that
  // keeps windows inside it (the loaded dialogs); the window layer itself
  // knows nothing of them.
  void (*ClosingWithRoot)() = nullptr;
  // Draws the captions of the loaded dialogs inactive, when the program
  // loses the activation; set by the same part.
  void (*DialogCaptionsInactive)() = nullptr;
};

extern WindowLayer Layer;

// The slot whose frame or client is `window`; -1 when none.
int SlotOfWindow(HWND window);
// The place (0..3) of `window` among the slot's toolbars; -1 when none.
int ToolbarPlaceOf(const WindowSlot& slot, HWND window);
bool HasToolbar(const WindowSlot& slot);
// Gives the toolbar its own window procedure back, so that it handles its
// destruction itself.
void UnhookToolbar(ToolbarPlace& place);
HINSTANCE ProgramInstance();

}  // namespace toolkit
