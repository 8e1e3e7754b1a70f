#include "toolkit/dialogs/dialog_fields_win32.hpp"

#include <string>
#include <vector>

#include "toolkit/windows/control_classes_win32.hpp"

namespace toolkit {

namespace {

constexpr int LongestText = 65535;

LONG Style(HWND window) { return GetWindowLongA(window, GWL_STYLE); }

bool IsCheckable(HWND button) {
  switch (Style(button) & 0x0F) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE: return true;
    default: return false;
  }
}

// Plain check boxes and radio buttons would leave the checking to the
// dialog; ours check themselves.
LONG SelfCheckingStyle(LONG style) {
  switch (style & 0x0F) {
    case BS_CHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: return (style & ~0x0F) | BS_AUTOCHECKBOX;
    case BS_RADIOBUTTON: return (style & ~0x0F) | BS_AUTORADIOBUTTON;
    default: return style;
  }
}

std::string TextOf(HWND window) {
  std::vector<char> text(LongestText + 1, '\0');
  GetWindowTextA(window, text.data(), LongestText + 1);
  return text.data();
}

void CopyField(HWND from, HWND to) {
  SetWindowLongA(to, GWL_STYLE, Style(from));
  const ControlKind kind = ControlKindOf(from);
  if (kind == ControlKind::Button && IsCheckable(from)) {
    SendMessageA(to, BM_SETCHECK, SendMessageA(from, BM_GETCHECK, 0, 0), 0);
  } else if (IsEditKind(kind)) {
    SendMessageA(to, EM_SETLIMITTEXT, SendMessageA(from, EM_GETLIMITTEXT, 0, 0), 0);
    SendMessageA(to, EM_SETREADONLY, (Style(from) & ES_READONLY) != 0, 0);
  }
  SetWindowTextA(to, TextOf(from).c_str());
  EnableWindow(to, IsWindowEnabled(from));
}

}  // namespace

void PrepareFields(HWND dialog) {
  for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
    const ControlKind kind = ControlKindOf(control);
    if (IsEditKind(kind)) {
      SendMessageA(control, EM_SETLIMITTEXT, (Style(control) & ES_MULTILINE) != 0 ? 65535 : 32767, 0);
    } else if (kind == ControlKind::Button) {
      SetWindowLongA(control, GWL_STYLE, SelfCheckingStyle(Style(control)));
    }
    SetWindowLongA(control, GWL_EXSTYLE, GetWindowLongA(control, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY);
  }
}

void CopyFields(HWND from, HWND to) {
  SetWindowTextA(to, TextOf(from).c_str());
  HWND source = GetWindow(from, GW_CHILD);
  HWND target = GetWindow(to, GW_CHILD);
  for (; source != nullptr && target != nullptr;
       source = GetWindow(source, GW_HWNDNEXT), target = GetWindow(target, GW_HWNDNEXT)) {
    if (ControlKindOf(source) != ControlKind::Spin) CopyField(source, target);
  }
}

}  // namespace toolkit
