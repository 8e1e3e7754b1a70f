#pragma once
// The toolkit operations the desktop program uses, behind one interface: the
// program hands them the real toolkit (real_toolkit.cpp), the tests a
// recording double, so the application's logic runs natively as well.
// Optional arguments the program never passes are left out.

#include <span>
#include <string>
#include <string_view>

#include "toolkit/windows/event_record.hpp"
#include "toolkit/windows/window_layout.hpp"

namespace shell {

class Toolkit {
 public:
  virtual ~Toolkit() = default;

  virtual void ToolkitStart(std::string_view configFileName) = 0;
  virtual void OpenRootWindow(const toolkit::WindowSpec& window) = 0;
  virtual void StatusBarParts(std::span<const int> widths) = 0;
  virtual void ToolbarCreate(int resource) = 0;
  virtual void NextEvent(int& type, toolkit::EventRecord& record) = 0;
  virtual void EventEnable(int type, int on) = 0;
  // A file of the last FilesDropped event, 1-based; blank-padded.
  virtual void DroppedFileName(int index, std::span<char> fileName) = 0;
  virtual void CloseRootWindow() = 0;

  virtual void StatusBarText(int part, std::string_view text) = 0;
  virtual void MenuItemState(int item, int kind, int value) = 0;
  virtual void ClearClientArea() = 0;
  virtual void TextAt(int x, int y, std::string_view text) = 0;

  // fileName is replaced by the chosen path when the user confirms; so is
  // the 1-based file type of the filter, when asked for.
  virtual void FileSelect(std::string_view filter, int flags, std::span<char> fileName, std::string_view title,
                          int* filterIndex = nullptr) = 0;
  virtual void MessageBoxShow(int buttonType, int iconType, int defaultButton, std::string_view message,
                              std::string_view title) = 0;
  virtual int DialogInfo(int code) = 0;
  virtual void DialogLoad(int dialogId) = 0;
  virtual void DialogPutText(int fieldId, std::string_view text) = 0;
  virtual void DialogShowModal(int x, int y, int focusField, int mode) = 0;
  virtual void DialogUnload() = 0;

  // A blank document closes the help viewer.
  virtual void HelpShow(std::string_view document) = 0;
  // The file HelpShow opens for the document on this system.
  virtual std::string HelpDocumentPath(std::string_view document) = 0;
  // Which is one of toolkit::ErrorSlot; the slot is cleared.
  virtual int ErrorQuery(int which) = 0;
};

}  // namespace shell
