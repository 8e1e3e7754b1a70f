#pragma once
// The toolkit's one global record: display metrics, platform flags, settings,
// logical file numbers and the error slots. ToolkitStart fills it once; every
// other part of the toolkit reads it from here.

#include <array>
#include <cstdint>

#include "text/fixed_text.hpp"

namespace toolkit {

// StartedMarker once ToolkitStart has run.
inline constexpr std::int32_t StartedMark = -9999;

// The outcome of the last file dialog, message box or resource dialog, read
// through DialogInfo codes 1 to 5.
struct DialogStatus {
  std::int32_t ExitField = 0;        // control that ended the last modal dialog
  std::int32_t PreviousField = 0;    // control that had the focus then
  std::int32_t CurrentDialogId = 0;  // 0 when no dialog is loaded
  std::int32_t CommonResult = 0;     // file dialog 1 confirmed / 0 not; message box: the answer
  std::int32_t EventDialogId = 0;    // dialog of the last command

  bool operator==(const DialogStatus&) const = default;
};

struct ToolkitState {
  std::int32_t StartedMarker = 0;

  // Display and operating system.
  std::int32_t ScreenWidth = 0;
  std::int32_t ScreenHeight = 0;
  std::int32_t ColourCount = 0;
  std::int32_t PaletteSize = 0;
  std::int32_t IsWin32s = 0;
  std::int32_t IsWindows9x = 0;
  std::int32_t IsWindowsNT = 0;
  std::int32_t OsMajorVersion = 0;

  // Settings.
  text::FixedText<1> PathSeparator;
  std::int32_t ErrorBeep = 0;
  std::int32_t GeneralUnit = 0;
  std::int32_t PlotOutputUnit = 0;
  std::int32_t PlotInputUnit = 0;
  text::FixedText<60> ProductName;
  text::FixedText<140> RootDirectory;
  text::FixedText<160> ConfigFileName;
  text::FixedText<160> DumpFileName;
  text::FixedText<160> PlotFileName;
  text::FixedText<160> CharSetFile;
  text::FixedText<160> TempPlotFile;
  text::FixedText<160> SecondTempFile;
  text::FixedText<140> CharDirectory;
  text::FixedText<140> SystemDirectory;
  text::FixedText<200> BrowserCommand;
  text::FixedText<1024> CommandLine;

  // Hardcopy driver selection; the graphics layer gives the numbers meaning.
  std::int32_t PrinterDriver = 0;
  std::int32_t PlotterDriver = 0;
  std::int32_t Hpgl2Mode = 0;
  std::int32_t PrinterDriverChosen = 0;
  std::int32_t PlotterDriverChosen = 0;
  std::int32_t Hpgl2ModeChosen = 0;

  // Error reporting.
  std::int32_t LastError = 0;   // slot 1
  std::int32_t ErrorSlot2 = 0;  // input/output status of a failed file operation
  std::int32_t ErrorSlot3 = 0;  // operating-system error code, stored with error 13
  std::int32_t ErrorReportMode = 0;

  // Starting values of state that the window and dialog layers own.
  std::int32_t RootWindowOpen = 0;
  std::int32_t DialogLoaded = 0;
  DialogStatus Dialog;
  // Family, bold, italic, width and height of the window text font last
  // created; -1 makes the first text output create its font.
  std::array<std::int32_t, 5> FontCache{};

  bool operator==(const ToolkitState&) const = default;
};

extern ToolkitState State;

}  // namespace toolkit
