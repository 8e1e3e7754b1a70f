#include "toolkit/dialogs/companion_win32.hpp"

#include <string_view>

#include "toolkit/dialogs/companion_resource.hpp"
#include "toolkit/dialogs/dialog_fields_win32.hpp"
#include "toolkit/dialogs/dialog_operations.hpp"
#include "toolkit/dialogs/dialog_table_win32.hpp"
#include "toolkit/dialogs/modal_bracket_win32.hpp"
#include "toolkit/state/platform_text_win32.hpp"
#include "toolkit/state/toolkit_state.hpp"
#include "toolkit/windows/control_classes_win32.hpp"
#include "toolkit/windows/grid_win32.hpp"
#include "toolkit/windows/window_table_win32.hpp"

#include <commctrl.h>

namespace toolkit {

namespace {

std::string_view CompanionText(int dialogId) {
  const HINSTANCE instance = ProgramInstance();
  const HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(dialogId), MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (found == nullptr) return {};
  const auto* bytes = static_cast<const char*>(LockResource(LoadResource(instance, found)));
  return bytes != nullptr ? std::string_view(bytes, SizeofResource(instance, found)) : std::string_view();
}

void SetRange(HWND control, ControlKind kind, FieldRecord& record, const CompanionRange& r) {
  record.RealMinimum = r.Minimum;
  record.RealMaximum = r.Maximum;
  record.IntegerMinimum = static_cast<int>(r.Minimum);
  record.IntegerMaximum = static_cast<int>(r.Maximum);
  if (kind == ControlKind::Progress) {
    SendMessageA(control, PBM_SETRANGE32, record.IntegerMinimum, record.IntegerMaximum);
  } else if (kind == ControlKind::Trackbar) {
    SendMessageA(control, TBM_SETRANGEMIN, FALSE, record.IntegerMinimum);
    SendMessageA(control, TBM_SETRANGEMAX, TRUE, record.IntegerMaximum);
  } else if (kind == ControlKind::Spin) {
    SendMessageA(control, UDM_SETRANGE32, record.IntegerMinimum, record.IntegerMaximum);
  }
}

void FillMenu(HWND control, ControlKind kind, const CompanionMenu& m) {
  const bool list = kind == ControlKind::List;
  if (!list && kind != ControlKind::DropDown) return;
  SendMessageA(control, list ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
  for (const std::string& item : m.Items) {
    const std::wstring shown = PlatformText(item);
    SendMessageW(control, list ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
  }
  SendMessageA(control, list ? LB_SETCURSEL : CB_SETCURSEL, m.Selected - 1, 0);
}

// Each page is a dialog of its own, loaded beside this one; the tab keeps
// the page's identifier.
void FillTabs(HWND control, const CompanionTabs& t) {
  SendMessageA(control, TCM_DELETEALLITEMS, 0, 0);
  int current = 0;
  for (int i = 0; i < static_cast<int>(t.Pages.size()); ++i) {
    const CompanionPage& page = t.Pages[i];
    std::wstring label = PlatformText(page.Label);
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = label.data();
    item.lParam = page.DialogId;
    SendMessageW(control, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    if (page.DialogId == t.CurrentPage) current = i;
  }
  SendMessageA(control, TCM_SETCURSEL, current, 0);
  const int currentSlot = Dialogs.Current;
  const int currentId = State.Dialog.CurrentDialogId;
  for (const CompanionPage& page : t.Pages) DialogLoad(page.DialogId);
  Dialogs.Current = currentSlot;
  State.Dialog.CurrentDialogId = currentId;
}

template <typename Entry, typename Apply>
void ForFields(HWND dialog, const std::vector<Entry>& entries, Apply apply) {
  for (const Entry& e : entries) {
    const HWND control = GetDlgItem(dialog, e.Field);
    FieldRecord* record = control != nullptr ? FieldRecordOf(control) : nullptr;
    if (record != nullptr) apply(control, ControlKindOf(control), *record, e);
  }
}

}  // namespace

void ApplyCompanion(HWND dialog, int dialogId) {
  const std::string_view text = CompanionText(dialogId);
  if (text.empty()) return;
  const CompanionResource c = ParseCompanion(text);
  const auto range = [](HWND w, ControlKind k, FieldRecord& r, const CompanionRange& e) { SetRange(w, k, r, e); };
  const auto menu = [](HWND w, ControlKind k, FieldRecord&, const CompanionMenu& e) { FillMenu(w, k, e); };
  const auto check = [](HWND w, ControlKind, FieldRecord&, const CompanionCheck& e) {
    SendMessageA(w, BM_SETCHECK, e.State, 0);
  };
  const auto tabs = [](HWND w, ControlKind k, FieldRecord&, const CompanionTabs& e) {
    if (k == ControlKind::Tabs) FillTabs(w, e);
  };
  const auto colours = [](HWND, ControlKind, FieldRecord& r, const CompanionColours& e) {
    r.Coloured = true;
    r.Foreground = RGB(e.Foreground[0], e.Foreground[1], e.Foreground[2]);
    r.Background = RGB(e.Background[0], e.Background[1], e.Background[2]);
  };
  const auto trackbar = [](HWND w, ControlKind k, FieldRecord&, const CompanionTrackbar& e) {
    if (k != ControlKind::Trackbar) return;
    SendMessageA(w, TBM_SETPAGESIZE, 0, e.PageSize);
    SendMessageA(w, TBM_SETLINESIZE, 0, e.LineSize);
    SendMessageA(w, TBM_SETTICFREQ, e.TickFrequency, 0);
    SendMessageA(w, TBM_SETSEL, TRUE, MAKELPARAM(e.SelectionStart, e.SelectionEnd));
  };
  const auto length = [](HWND w, ControlKind k, FieldRecord& r, const CompanionLength& e) {
    r.TextLimit = e.Length;
    if (IsEditKind(k)) SendMessageA(w, EM_SETLIMITTEXT, e.Length, 0);
    if (k == ControlKind::DropDown) SendMessageA(w, CB_LIMITTEXT, e.Length, 0);
  };
  ForFields(dialog, c.Ranges, range);
  ForFields(dialog, c.Menus, menu);
  ForFields(dialog, c.Checks, check);
  ForFields(dialog, c.Colours, colours);
  ForFields(dialog, c.Trackbars, trackbar);
  ForFields(dialog, c.Lengths, length);
  const auto grid = [](HWND w, ControlKind k, FieldRecord&, const CompanionGrid& e) {
    if (k == ControlKind::Grid) SetGridCells(w, MakeGrid(e.Rows, e.Columns, e.Headings));
  };
  ForFields(dialog, c.Grids, grid);
  ForFields(dialog, c.Tabs, tabs);
}

}  // namespace toolkit
