#include "shell/real_toolkit.hpp"

#include "toolkit/frame/toolkit_start.hpp"
#include "toolkit/windows/window_operations.hpp"

namespace shell {

namespace {

class Win32Toolkit final : public Toolkit {
 public:
  void ToolkitStart(std::string_view configFileName) override { toolkit::ToolkitStart(configFileName); }
  void OpenRootWindow(const toolkit::WindowSpec& window) override { toolkit::OpenRootWindow(window); }
  void StatusBarParts(std::span<const int> widths) override { toolkit::StatusBarParts(widths); }
  void ToolbarCreate(int resource) override { toolkit::ToolbarCreate(resource); }
  void NextEvent(int& type, toolkit::EventRecord& record) override { toolkit::NextEvent(type, record); }
  void CloseRootWindow() override { toolkit::CloseRootWindow(); }

  void StatusBarText(int part, std::string_view text) override { toolkit::StatusBarText(part, text); }
  void MenuItemState(int item, int kind, int value) override { toolkit::MenuItemState(item, kind, value); }
  void ClearClientArea() override { toolkit::ClearClientArea(); }
  void TextAt(int x, int y, std::string_view text) override { toolkit::TextAt(x, y, text); }

  void FileSelect(std::string_view, int, std::span<char>, std::string_view) override {}
  void MessageBoxShow(int, int, int, std::string_view, std::string_view) override {}
  int DialogInfo(int) override { return 0; }
  void DialogLoad(int) override {}
  void DialogPutText(int, std::string_view) override {}
  void DialogShowModal(int, int, int, int) override {}
  void DialogUnload() override {}

  void HelpShow(std::string_view) override {}
};

}  // namespace

Toolkit& RealToolkit() {
  static Win32Toolkit toolkit;
  return toolkit;
}

}  // namespace shell
