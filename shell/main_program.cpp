#include "shell/main_program.hpp"

#include <array>
#include <string>
#include <vector>

#include "resources/resource_ids.hpp"
#include "shell/application_state.hpp"
#include "shell/arriving_logs.hpp"
#include "shell/commands.hpp"
#include "shell/file_names.hpp"
#include "shell/progress.hpp"
#include "toolkit/codes.hpp"

namespace shell {

namespace {

constexpr int MainWindowFlags = toolkit::WindowFlag::SystemMenu | toolkit::WindowFlag::MinimiseBox |
                                toolkit::WindowFlag::MaximiseBox | toolkit::WindowFlag::StatusBar |
                                toolkit::WindowFlag::FixedSize;

toolkit::WindowSpec MainWindow() {
  toolkit::WindowSpec window;
  window.Flags = MainWindowFlags;
  window.X = toolkit::Centred;
  window.Y = toolkit::Centred;
  window.Width = 512;
  window.Height = 256;
  window.MenuId = resources::MainMenu;
  window.Title = "REZ Log file to Microsoft Pushpin conversion";
  return window;
}

std::vector<std::string> DroppedFiles(Toolkit& toolkit, int count) {
  std::vector<std::string> names;
  // Room for any name the system gives: a cut name would be another file.
  std::string name(GivenNameBytes, ' ');
  for (int i = 1; i <= count; ++i) {
    toolkit.DroppedFileName(i, name);
    const std::size_t end = name.find_last_not_of(' ');
    if (end != std::string::npos) names.emplace_back(name, 0, end + 1);
  }
  return names;
}

}  // namespace

int RunPinwell(Toolkit& toolkit, std::span<const std::string> logs) {
  ApplicationState& app = Application;
  toolkit.ToolkitStart(" ");
  toolkit.OpenRootWindow(MainWindow());
  constexpr std::array statusWidths{7000, toolkit::ToRightEnd};
  toolkit.StatusBarParts(statusWidths);
  toolkit.StatusBarText(NumberStylePart, EnglishNumbersText);
  toolkit.StatusBarText(ResolutionPart, OneSecondText);
  toolkit.ToolbarCreate(resources::MainToolbar);
  toolkit.EventEnable(toolkit::EventType::FilesDropped, 1);
  LogsArrived(toolkit, logs);

  while (!app.ExitRequested) {
    int type = toolkit::EventType::None;
    toolkit::EventRecord event;
    toolkit.NextEvent(type, event);
    switch (type) {
      case toolkit::EventType::MenuCommand: DispatchCommand(toolkit, event.Value1, app.ExitRequested); break;
      case toolkit::EventType::Repaint:
      case toolkit::EventType::SizeChange: RedrawProgress(toolkit); break;
      case toolkit::EventType::CloseAsked: app.ExitRequested = true; break;
      case toolkit::EventType::FilesDropped: LogsArrived(toolkit, DroppedFiles(toolkit, event.Value1)); break;
      default: break;
    }
  }
  toolkit.CloseRootWindow();
  return 0;
}

}  // namespace shell
