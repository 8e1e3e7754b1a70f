#include "toolkit/dialogs/dialog_fields_win32.hpp"

#include <commctrl.h>

#include <string>
#include <vector>

#include "toolkit/dialogs/dialog_table_win32.hpp"
#include "toolkit/dialogs/modal_bracket_win32.hpp"
#include "toolkit/windows/control_classes_win32.hpp"
#include "toolkit/windows/grid_win32.hpp"
#include "toolkit/windows/window_table_win32.hpp"

namespace toolkit {

namespace {

static_assert(BS_CHECKBOX == 2 && BS_AUTOCHECKBOX == 3 && BS_RADIOBUTTON == 4 && BS_3STATE == 5 &&
              BS_AUTO3STATE == 6 && BS_AUTORADIOBUTTON == 9 && BS_ICON == 0x40 && BS_BITMAP == 0x80 &&
              SS_ICON == 3 && SS_BITMAP == 0x0E && ES_MULTILINE == 4 && LBS_MULTIPLESEL == 8 &&
              LBS_EXTENDEDSEL == 0x800 && LBS_USETABSTOPS == 0x80 && CBS_DROPDOWNLIST == 3);

constexpr int LongestText = 65535;

// The record and the procedure it stands in front of live as long as the
// control: the field procedure lets both go when the control is destroyed.
struct Field {
  FieldRecord Record;
  WNDPROC Chained = nullptr;
};

Field* FieldOf(HWND control) { return reinterpret_cast<Field*>(GetWindowLongPtrA(control, GWLP_USERDATA)); }

// A wide procedure: one set through the ANSI call would make the control
// keep its text in the ANSI code page, losing what that cannot hold.
LRESULT CALLBACK FieldProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  Field* field = FieldOf(control);
  if (field == nullptr) return DefWindowProcW(control, message, wParam, lParam);
  const WNDPROC chained = field->Chained;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chained));
    SetWindowLongPtrA(control, GWLP_USERDATA, 0);
    delete field;
  }
  return CallWindowProcW(chained, control, message, wParam, lParam);
}

void AttachField(HWND control) {
  if (FieldOf(control) != nullptr) return;
  auto* field = new Field;
  SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(field));
  field->Chained = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FieldProcedure)));
}

LONG Style(HWND window) { return GetWindowLongA(window, GWL_STYLE); }

// Images are loaded once per identifier and shared by every instance.
struct LoadedImage {
  int Id;
  ImageKind Kind;
  HANDLE Image;
};
std::vector<LoadedImage> Images;

HANDLE ImageResource(int id, ImageKind kind) {
  for (const LoadedImage& i : Images) {
    if (i.Id == id && i.Kind == kind) return i.Image;
  }
  const HANDLE image = LoadImageA(ProgramInstance(), MAKEINTRESOURCEA(id),
                                  kind == ImageKind::Bitmap ? IMAGE_BITMAP : IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR);
  if (image != nullptr) Images.push_back({id, kind, image});
  return image;
}

WPARAM PlatformImageType(ImageKind kind) { return kind == ImageKind::Bitmap ? IMAGE_BITMAP : IMAGE_ICON; }

void ShowOwnImage(HWND control, ControlKind kind) {
  const ImageKind image = ImageFor(kind, Style(control));
  if (image == ImageKind::None) return;
  const HANDLE handle = ImageResource(GetDlgCtrlID(control), image);
  if (kind == ControlKind::Static) {
    if (handle != nullptr) SendMessageA(control, STM_SETIMAGE, PlatformImageType(image), reinterpret_cast<LPARAM>(handle));
  } else if (handle != nullptr) {
    SendMessageA(control, BM_SETIMAGE, PlatformImageType(image), reinterpret_cast<LPARAM>(handle));
  } else {
    // A button without its image shows its text instead.
    SetWindowLongA(control, GWL_STYLE, Style(control) & ~(BS_BITMAP | BS_ICON));
  }
}

std::wstring TextOf(HWND window) {
  std::vector<wchar_t> text(LongestText + 1, L'\0');
  GetWindowTextW(window, text.data(), LongestText + 1);
  return text.data();
}

// Items pass whole through the wide messages, whatever the ANSI code page holds.
template <UINT Count, UINT Length, UINT Get, UINT Reset, UINT Add>
void CopyItems(HWND from, HWND to) {
  SendMessageW(to, Reset, 0, 0);
  const auto count = SendMessageW(from, Count, 0, 0);
  std::vector<wchar_t> item;
  for (LRESULT i = 0; i < count; ++i) {
    item.assign(static_cast<std::size_t>(std::max<LRESULT>(SendMessageW(from, Length, i, 0), 0)) + 1, L'\0');
    SendMessageW(from, Get, i, reinterpret_cast<LPARAM>(item.data()));
    SendMessageW(to, Add, 0, reinterpret_cast<LPARAM>(item.data()));
  }
}

void CopyList(HWND from, HWND to, bool multiple) {
  CopyItems<LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_RESETCONTENT, LB_ADDSTRING>(from, to);
  if (multiple) {
    const auto count = SendMessageA(from, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) SendMessageA(to, LB_SETSEL, SendMessageA(from, LB_GETSEL, i, 0) > 0, i);
  } else {
    SendMessageA(to, LB_SETCURSEL, SendMessageA(from, LB_GETCURSEL, 0, 0), 0);
  }
  SendMessageA(to, LB_SETTOPINDEX, SendMessageA(from, LB_GETTOPINDEX, 0, 0), 0);
}

void CopyCombo(HWND from, HWND to) {
  CopyItems<CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_RESETCONTENT, CB_ADDSTRING>(from, to);
  SendMessageA(to, CB_SETCURSEL, SendMessageA(from, CB_GETCURSEL, 0, 0), 0);
}

void CopyTabs(HWND from, HWND to) {
  SendMessageA(to, TCM_DELETEALLITEMS, 0, 0);
  const auto count = SendMessageA(from, TCM_GETITEMCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t label[256] = L"";
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = label;
    item.cchTextMax = std::size(label);
    SendMessageW(from, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
    SendMessageW(to, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageA(to, TCM_SETCURSEL, SendMessageA(from, TCM_GETCURSEL, 0, 0), 0);
}

void CopyProgress(HWND from, HWND to) {
  PBRANGE range{};
  SendMessageA(from, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  SendMessageA(to, PBM_SETRANGE32, range.iLow, range.iHigh);
  SendMessageA(to, PBM_SETPOS, SendMessageA(from, PBM_GETPOS, 0, 0), 0);
}

void CopyTrackbar(HWND from, HWND to) {
  SendMessageA(to, TBM_SETRANGEMIN, FALSE, SendMessageA(from, TBM_GETRANGEMIN, 0, 0));
  SendMessageA(to, TBM_SETRANGEMAX, FALSE, SendMessageA(from, TBM_GETRANGEMAX, 0, 0));
  SendMessageA(to, TBM_SETPAGESIZE, 0, SendMessageA(from, TBM_GETPAGESIZE, 0, 0));
  SendMessageA(to, TBM_SETLINESIZE, 0, SendMessageA(from, TBM_GETLINESIZE, 0, 0));
  SendMessageA(to, TBM_SETSELSTART, FALSE, SendMessageA(from, TBM_GETSELSTART, 0, 0));
  SendMessageA(to, TBM_SETSELEND, FALSE, SendMessageA(from, TBM_GETSELEND, 0, 0));
  // The ticks between the ends: the first and the last are always there.
  SendMessageA(to, TBM_CLEARTICS, FALSE, 0);
  const auto* ticks = reinterpret_cast<const DWORD*>(SendMessageA(from, TBM_GETPTICS, 0, 0));
  const auto between = SendMessageA(from, TBM_GETNUMTICS, 0, 0) - 2;
  for (LRESULT i = 0; ticks != nullptr && i < between; ++i) SendMessageA(to, TBM_SETTIC, 0, ticks[i]);
  SendMessageA(to, TBM_SETPOS, TRUE, SendMessageA(from, TBM_GETPOS, 0, 0));
}

void CopyImage(HWND from, HWND to, UINT get, UINT set) {
  for (const WPARAM type : {IMAGE_BITMAP, IMAGE_ICON}) {
    if (const LRESULT image = SendMessageA(from, get, type, 0); image != 0) SendMessageA(to, set, type, image);
  }
}

void ApplyTabStops(HWND control, ControlKind kind, const FieldRecord& record) {
  if (record.TabStopCount == 0) return;
  const UINT message = kind == ControlKind::List ? LB_SETTABSTOPS : EM_SETTABSTOPS;
  SendMessageA(control, message, record.TabStopCount, reinterpret_cast<LPARAM>(record.TabStops.data()));
}

void CopyField(HWND from, HWND to) {
  const ControlKind kind = ControlKindOf(from);
  const FieldCopy copy = FieldCopyFor(kind, Style(from));
  if (copy.Skip) return;
  SetWindowLongA(to, GWL_STYLE, Style(from));
  const Field* source = FieldOf(from);
  Field* target = FieldOf(to);
  if (source != nullptr && target != nullptr) target->Record = source->Record;
  if (copy.Check) SendMessageA(to, BM_SETCHECK, SendMessageA(from, BM_GETCHECK, 0, 0), 0);
  if (copy.ButtonImage) CopyImage(from, to, BM_GETIMAGE, BM_SETIMAGE);
  if (copy.StaticImage) CopyImage(from, to, STM_GETIMAGE, STM_SETIMAGE);
  if (copy.ListItems) CopyList(from, to, copy.MultipleSelection);
  if (copy.ComboItems) CopyCombo(from, to);
  if (copy.TabItems) CopyTabs(from, to);
  if (copy.Progress) CopyProgress(from, to);
  if (copy.Trackbar) CopyTrackbar(from, to);
  if (copy.Cells) {
    if (const GridCells* cells = GridCellsOf(from)) SetGridCells(to, *cells);
  }
  if (copy.EditState) {
    SendMessageA(to, EM_SETLIMITTEXT, SendMessageA(from, EM_GETLIMITTEXT, 0, 0), 0);
    SendMessageA(to, EM_SETREADONLY, (Style(from) & ES_READONLY) != 0, 0);
  }
  if (copy.TabStops && target != nullptr) ApplyTabStops(to, kind, target->Record);
  if (copy.Text) SetWindowTextW(to, TextOf(from).c_str());
  EnableWindow(to, IsWindowEnabled(from));
}

// Page dialogs embedded in an instance are windows of their own, not fields.
bool IsField(HWND child) { return Dialogs.IndexOf(child) == 0; }

HWND NextField(HWND child) {
  while (child != nullptr && !IsField(child)) child = GetWindow(child, GW_HWNDNEXT);
  return child;
}

}  // namespace

FieldRecord* FieldRecordOf(HWND control) {
  Field* field = FieldOf(control);
  return field != nullptr ? &field->Record : nullptr;
}

// The toolkit's own edit classes get their records here as well, with every
// other control: they are registered by the window layer, which knows
// nothing of fields, and no field is used before its instance is made.
void PrepareFields(HWND dialog) {
  for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
    AttachField(control);
    const ControlKind kind = ControlKindOf(control);
    if (IsEditKind(kind)) {
      const int limit = EditLimitFor(Style(control));
      SendMessageA(control, EM_SETLIMITTEXT, limit, 0);
      FieldOf(control)->Record.TextLimit = limit;
    } else if (kind == ControlKind::Button) {
      SetWindowLongA(control, GWL_STYLE, SelfCheckingStyle(Style(control)));
    }
    ShowOwnImage(control, kind);
    SetWindowLongA(control, GWL_EXSTYLE, GetWindowLongA(control, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY);
  }
}

void CopyFields(HWND from, HWND to) {
  SetWindowTextW(to, TextOf(from).c_str());
  HWND source = NextField(GetWindow(from, GW_CHILD));
  HWND target = NextField(GetWindow(to, GW_CHILD));
  for (; source != nullptr && target != nullptr;
       source = NextField(GetWindow(source, GW_HWNDNEXT)), target = NextField(GetWindow(target, GW_HWNDNEXT))) {
    CopyField(source, target);
  }
}

void ForgetFieldImages() {
  for (const LoadedImage& i : Images) {
    if (i.Kind == ImageKind::Bitmap) {
      DeleteObject(i.Image);
    } else {
      DestroyIcon(static_cast<HICON>(i.Image));
    }
  }
  Images.clear();
}

}  // namespace toolkit
