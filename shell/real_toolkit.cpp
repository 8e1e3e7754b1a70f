#include "shell/real_toolkit.hpp"

#include "toolkit/dialogs/dialog_operations.hpp"
#include "toolkit/frame/help_show.hpp"
#include "toolkit/frame/toolkit_start.hpp"
#include "toolkit/state/errors.hpp"
#include "toolkit/windows/event_loop.hpp"
#include "toolkit/windows/menu_state.hpp"
#include "toolkit/windows/root_window.hpp"
#include "toolkit/windows/status_bar.hpp"
#include "toolkit/windows/toolbar.hpp"
#include "toolkit/windows/window_text.hpp"

namespace shell {

namespace {

class Win32Toolkit final : public Toolkit {
 public:
  void ToolkitStart(std::string_view configFileName) override { toolkit::ToolkitStart(configFileName); }
  void OpenRootWindow(const toolkit::WindowSpec& window) override { toolkit::OpenRootWindow(window); }
  void StatusBarParts(std::span<const int> widths) override { toolkit::StatusBarParts(widths); }
  void ToolbarCreate(int resource) override { toolkit::ToolbarCreate(resource); }
  void NextEvent(int& type, toolkit::EventRecord& record) override { toolkit::NextEvent(type, record); }
  void EventEnable(int type, int on) override { toolkit::EventEnable(type, on); }
  void DroppedFileName(int index, std::span<char> fileName) override { toolkit::DroppedFileName(index, fileName); }
  void CloseRootWindow() override { toolkit::CloseRootWindow(); }

  void StatusBarText(int part, std::string_view text) override { toolkit::StatusBarText(part, text); }
  void MenuItemState(int item, int kind, int value) override { toolkit::MenuItemState(item, kind, value); }
  void ClearClientArea() override { toolkit::ClearClientArea(); }
  void TextAt(int x, int y, std::string_view text) override { toolkit::TextAt(x, y, text); }

  void FileSelect(std::string_view filter, int flags, std::span<char> fileName, std::string_view title,
                  int* filterIndex) override {
    toolkit::FileSelect(filter, flags, fileName, title, filterIndex);
  }
  void MessageBoxShow(int buttonType, int iconType, int defaultButton, std::string_view message,
                      std::string_view title) override {
    toolkit::MessageBoxShow(buttonType, iconType, defaultButton, message, title);
  }
  int DialogInfo(int code) override { return toolkit::DialogInfo(code); }
  void DialogLoad(int dialogId) override { toolkit::DialogLoad(dialogId); }
  void DialogPutText(int fieldId, std::string_view text) override { toolkit::DialogPutText(fieldId, text); }
  void DialogShowModal(int x, int y, int focusField, int mode) override {
    toolkit::DialogShowModal(x, y, focusField, mode);
  }
  void DialogUnload() override { toolkit::DialogUnload(); }

  void HelpShow(std::string_view document) override { toolkit::HelpShow(document); }
  std::string HelpDocumentPath(std::string_view document) override { return toolkit::HelpDocumentPath(document); }
  int ErrorQuery(int which) override { return toolkit::ErrorQuery(which); }
};

}  // namespace

Toolkit& RealToolkit() {
  static Win32Toolkit toolkit;
  return toolkit;
}

}  // namespace shell
