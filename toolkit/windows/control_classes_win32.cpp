#include "toolkit/windows/control_classes_win32.hpp"

#include <array>

#include "toolkit/windows/grid_win32.hpp"
#include "toolkit/windows/window_table_win32.hpp"

namespace toolkit {

namespace {

struct ControlClass {
  const char* Name;
  ControlKind Kind;
  ATOM Identity;
};

std::array<ControlClass, 15> Classes{{
    {"BUTTON", ControlKind::Button, 0},
    {"STATIC", ControlKind::Static, 0},
    {"EDIT", ControlKind::Edit, 0},
    {"INTEGEREDIT", ControlKind::IntegerEdit, 0},
    {"INTEGERSPIN", ControlKind::IntegerSpin, 0},
    {"REALEDIT", ControlKind::RealEdit, 0},
    {"DOUBLEEDIT", ControlKind::DoubleEdit, 0},
    {"LISTBOX", ControlKind::List, 0},
    {"COMBOBOX", ControlKind::DropDown, 0},
    {"msctls_trackbar32", ControlKind::Trackbar, 0},
    {"SysTabControl32", ControlKind::Tabs, 0},
    {"msctls_progress32", ControlKind::Progress, 0},
    {"msctls_updown32", ControlKind::Spin, 0},
    {"SysHeader32", ControlKind::Header, 0},
    {"KVTGRID", ControlKind::Grid, 0},
}};

WNDPROC EditProcedure = nullptr;

// The toolkit's edit classes behave as the platform's edit field.
LRESULT CALLBACK ToolkitEditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(EditProcedure, window, message, wParam, lParam);
}

void RegisterEditCopy(const char* name) {
  const HINSTANCE instance = ProgramInstance();
  WNDCLASSA wc{};
  if (GetClassInfoA(instance, name, &wc) || !GetClassInfoA(nullptr, "EDIT", &wc)) return;
  EditProcedure = wc.lpfnWndProc;
  wc.lpfnWndProc = ToolkitEditProcedure;
  wc.hInstance = instance;
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}

// A class's identity is what its windows carry; one window is made to read it.
ATOM IdentityOf(const char* name) {
  const HWND window = CreateWindowExA(0, name, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, ProgramInstance(), nullptr);
  if (window == nullptr) return 0;
  const ATOM identity = static_cast<ATOM>(GetClassWord(window, GCW_ATOM));
  DestroyWindow(window);
  return identity;
}

}  // namespace

void RecordControlClasses() {
  for (const char* name : {"INTEGEREDIT", "INTEGERSPIN", "REALEDIT", "DOUBLEEDIT"}) RegisterEditCopy(name);
  RegisterGridClasses();
  for (ControlClass& c : Classes) {
    if (c.Identity == 0) c.Identity = IdentityOf(c.Name);
  }
}

ControlKind ControlKindOf(HWND control) {
  const ATOM identity = static_cast<ATOM>(GetClassWord(control, GCW_ATOM));
  for (const ControlClass& c : Classes) {
    if (c.Identity != 0 && c.Identity == identity) return c.Kind;
  }
  return ControlKind::Other;
}

}  // namespace toolkit
