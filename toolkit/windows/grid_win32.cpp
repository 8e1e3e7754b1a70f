// The grid field's two windows and its cell editor. The grid keeps its
// cells in its window's extra bytes: the user data belongs to the dialog's
// field record.

#include "toolkit/windows/grid_win32.hpp"

#include <algorithm>
#include <optional>
#include <string>

#include "toolkit/state/platform_text_win32.hpp"
#include "toolkit/windows/gdi_holders_win32.hpp"
#include "toolkit/windows/held_images_win32.hpp"
#include "toolkit/windows/window_table_win32.hpp"

namespace toolkit {

namespace {

constexpr wchar_t GridClass[] = L"KVTGRID";
constexpr wchar_t GridClientClass[] = L"KVTGRIDCLIENT";
constexpr int CellPadding = 3;

UINT CellChange = 0;
ATOM GridAtom = 0;

struct Grid {
  GridCells Cells;
  HWND Client = nullptr;
  HWND Editor = nullptr;  // while a cell is edited
  WNDPROC EditorProcedure = nullptr;
  int EditRow = 0;
  int EditColumn = 0;
  POINT LastChange{};
  HFONT Font = nullptr;  // the dialog's, not owned
};

// Only a grid's extra bytes hold a grid.
Grid* GridOf(HWND grid) {
  if (GridAtom == 0 || grid == nullptr || GetClassWord(grid, GCW_ATOM) != GridAtom) return nullptr;
  return reinterpret_cast<Grid*>(GetWindowLongPtrW(grid, 0));
}
Grid* GridOfClient(HWND client) { return GridOf(GetParent(client)); }

HFONT FontOf(const Grid& g) {
  return g.Font != nullptr ? g.Font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int RowHeight(HWND window, const Grid& g) {
  const HDC dc = GetDC(window);
  TEXTMETRICW metrics{};
  {
    const Selection font(dc, FontOf(g));
    GetTextMetricsW(dc, &metrics);
  }
  ReleaseDC(window, dc);
  return metrics.tmHeight + 2 * CellPadding;
}

SIZE ClientArea(HWND client) {
  RECT r{};
  GetClientRect(client, &r);
  return {r.right, r.bottom};
}

int PageRows(HWND client, const Grid& g) { return std::max<int>(ClientArea(client).cy / RowHeight(client, g), 1); }

// The columns share the width the template gave the grid.
RECT CellRect(HWND client, const Grid& g, int row, int column) {
  const SIZE area = ClientArea(client);
  const int height = RowHeight(client, g);
  const int top = (row - g.Cells.TopRow) * height;
  return {area.cx * column / g.Cells.Columns, top, area.cx * (column + 1) / g.Cells.Columns, top + height};
}

void DrawCellText(HDC dc, RECT r, std::string_view text) {
  const std::wstring shown = PlatformText(text);
  InflateRect(&r, -CellPadding, 0);
  DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &r,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void UpdateScrollBar(HWND client, const Grid& g) {
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, g.Cells.Rows - 1,
                  static_cast<UINT>(PageRows(client, g)), g.Cells.TopRow, 0};
  SetScrollInfo(client, SB_VERT, &info, TRUE);
}

void Refresh(const Grid& g) {
  if (g.Client == nullptr) return;
  UpdateScrollBar(g.Client, g);
  InvalidateRect(g.Client, nullptr, TRUE);
  InvalidateRect(GetParent(g.Client), nullptr, TRUE);
}

// --- the cell editor ---

// The edit stays open when the keyboard goes to another field (the user may
// look something up there and come back); Enter, another cell, a push
// button or scrolling the cell away commit it, Escape takes it back.
void CloseEditor(Grid& g) {
  if (g.Editor == nullptr) return;
  const HWND editor = g.Editor;
  g.Editor = nullptr;
  if (GetFocus() == editor) SetFocus(g.Client);
  DestroyWindow(editor);
}

// Escape takes back what was typed and leaves the dialog up: a user who
// presses it in a cell means the cell.
LRESULT CALLBACK EditorProcedure(HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND client = GetParent(editor);
  Grid* g = GridOfClient(client);
  const WNDPROC own = g != nullptr ? g->EditorProcedure : nullptr;
  if (own == nullptr) return DefWindowProcW(editor, message, wParam, lParam);
  if (message == WM_GETDLGCODE && lParam != 0) {
    const MSG& m = *reinterpret_cast<const MSG*>(lParam);
    if ((m.message == WM_KEYDOWN || m.message == WM_CHAR) && m.wParam == VK_ESCAPE) return DLGC_WANTALLKEYS;
  }
  if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
    CloseEditor(*g);
    return 0;
  }
  if (message == WM_CHAR && wParam == VK_ESCAPE) return 0;
  return CallWindowProcW(own, editor, message, wParam, lParam);
}

void OpenEditor(Grid& g, const std::wstring* typed) {
  if (g.Editor != nullptr) return;
  ScrollToCurrent(g.Cells, PageRows(g.Client, g));
  g.EditRow = g.Cells.CurrentRow;
  g.EditColumn = g.Cells.CurrentColumn;
  Refresh(g);
  const RECT r = CellRect(g.Client, g, g.EditRow, g.EditColumn);
  const std::wstring text = typed != nullptr ? *typed : PlatformText(CellText(g.Cells, g.EditRow, g.EditColumn));
  g.Editor = CreateWindowExW(0, L"EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, r.left,
                             r.top, r.right - r.left, r.bottom - r.top, g.Client, nullptr, ProgramInstance(), nullptr);
  if (g.Editor == nullptr) return;
  g.EditorProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(g.Editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditorProcedure)));
  SendMessageW(g.Editor, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(g)), FALSE);
  SetFocus(g.Editor);
  // A typed first character replaces the text and goes on after it.
  if (typed != nullptr) {
    SendMessageW(g.Editor, EM_SETSEL, text.size(), text.size());
  } else {
    SendMessageW(g.Editor, EM_SETSEL, 0, -1);
  }
}

// --- the cells ---

void PaintCells(HWND client, Grid& g) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(client, &paint);
  const Selection font(dc, FontOf(g));
  SetBkMode(dc, TRANSPARENT);
  const OwnedObject line(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE)));
  const Selection pen(dc, line.get());
  const bool focused = GetFocus() == client;
  const int last = std::min(g.Cells.Rows, g.Cells.TopRow + PageRows(client, g) + 1);
  for (int row = g.Cells.TopRow; row < last; ++row) {
    for (int column = 0; column < g.Cells.Columns; ++column) {
      const RECT r = CellRect(client, g, row, column);
      const bool current = row == g.Cells.CurrentRow && column == g.Cells.CurrentColumn;
      FillRect(dc, &r, GetSysColorBrush(current && focused ? COLOR_HIGHLIGHT : COLOR_WINDOW));
      SetTextColor(dc, GetSysColor(current && focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
      DrawCellText(dc, r, CellText(g.Cells, row, column));
      MoveToEx(dc, r.left, r.bottom - 1, nullptr);
      LineTo(dc, r.right - 1, r.bottom - 1);
      LineTo(dc, r.right - 1, r.top - 1);
      if (current && !focused) DrawFocusRect(dc, &r);
    }
  }
  EndPaint(client, &paint);
}

std::optional<GridMove> MoveForKey(WPARAM key) {
  switch (key) {
    case VK_UP: return GridMove::Up;
    case VK_DOWN: return GridMove::Down;
    case VK_LEFT: return GridMove::Left;
    case VK_RIGHT: return GridMove::Right;
    case VK_HOME: return GridMove::Home;
    case VK_END: return GridMove::End;
    case VK_PRIOR: return GridMove::PageUp;
    case VK_NEXT: return GridMove::PageDown;
    default: return std::nullopt;
  }
}

void OnClick(HWND client, Grid& g, LPARAM at, bool twice) {
  SetFocus(client);
  const int height = RowHeight(client, g);
  const int row = g.Cells.TopRow + static_cast<short>(HIWORD(at)) / height;
  const int column = static_cast<short>(LOWORD(at)) * g.Cells.Columns / std::max<int>(ClientArea(client).cx, 1);
  if (!InGrid(g.Cells, row, column)) return;
  if (g.Editor != nullptr && row == g.EditRow && column == g.EditColumn) {
    SetFocus(g.Editor);  // back to the edit left open
    return;
  }
  // Another cell takes what was typed in the last one with it.
  if (g.Editor != nullptr) GridCommitEdit(GetParent(client));
  g.Cells.CurrentRow = row;
  g.Cells.CurrentColumn = column;
  Refresh(g);
  if (twice) OpenEditor(g, nullptr);
}

void OnScroll(HWND client, Grid& g, WPARAM request) {
  const int page = PageRows(client, g);
  int top = g.Cells.TopRow;
  switch (LOWORD(request)) {
    case SB_LINEUP: --top; break;
    case SB_LINEDOWN: ++top; break;
    case SB_PAGEUP: top -= page; break;
    case SB_PAGEDOWN: top += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: top = HIWORD(request); break;
    default: return;
  }
  g.Cells.TopRow = std::clamp(top, 0, std::max(g.Cells.Rows - page, 0));
  if (g.Editor != nullptr) GridCommitEdit(GetParent(client));
  Refresh(g);
}

LRESULT CALLBACK ClientProcedure(HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
  Grid* g = GridOfClient(client);
  if (g == nullptr) return DefWindowProcW(client, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      if (!PaintHeldImage(client)) PaintCells(client, *g);
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(client, nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN: OnClick(client, *g, lParam, false); return 0;
    case WM_LBUTTONDBLCLK: OnClick(client, *g, lParam, true); return 0;
    case WM_VSCROLL: OnScroll(client, *g, wParam); return 0;
    case WM_KEYDOWN:
      if (wParam == VK_F2) {
        OpenEditor(*g, nullptr);
      } else if (const auto move = MoveForKey(wParam)) {
        MoveCurrent(g->Cells, *move, PageRows(client, *g));
        Refresh(*g);
      }
      return 0;
    case WM_CHAR:
      // Typing on a cell replaces its text, as F2 or a double click edits it.
      if (wParam >= L' ') {
        const std::wstring typed(1, static_cast<wchar_t>(wParam));
        OpenEditor(*g, &typed);
      }
      return 0;
    default: return DefWindowProcW(client, message, wParam, lParam);
  }
}

// --- the grid: the headings, and the cells beneath them ---

void PaintHeadings(HWND grid, Grid& g) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(grid, &paint);
  const Selection font(dc, FontOf(g));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  RECT area{};
  GetClientRect(grid, &area);
  const int height = RowHeight(grid, g);
  const int width = ClientArea(g.Client).cx;
  for (int column = 0; column < g.Cells.Columns; ++column) {
    RECT r{width * column / g.Cells.Columns, 0, width * (column + 1) / g.Cells.Columns, height};
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH);
    DrawCellText(dc, r, g.Cells.Headings[column]);
  }
  EndPaint(grid, &paint);
}

void PlaceClient(HWND grid, const Grid& g) {
  RECT area{};
  GetClientRect(grid, &area);
  const int height = RowHeight(grid, g);
  SetWindowPos(g.Client, nullptr, 0, height, area.right, std::max<int>(area.bottom - height, 0),
               SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateScrollBar(g.Client, g);
}

LRESULT OnCreate(HWND grid) {
  auto* g = new Grid;
  g->Cells = MakeGrid(1, 1, {});
  SetWindowLongPtrW(grid, 0, reinterpret_cast<LONG_PTR>(g));
  g->Client = CreateWindowExW(0, GridClientClass, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN, 0, 0, 0, 0, grid, nullptr,
                              ProgramInstance(), nullptr);
  if (g->Client == nullptr) return -1;
  PlaceClient(grid, *g);
  return 0;
}

LRESULT CALLBACK GridProcedure(HWND grid, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) return OnCreate(grid);
  Grid* g = GridOf(grid);
  if (g == nullptr) return DefWindowProcW(grid, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      if (!PaintHeldImage(grid)) PaintHeadings(grid, *g);
      return 0;
    case WM_SIZE: PlaceClient(grid, *g); return 0;
    case WM_SETFOCUS: SetFocus(g->Editor != nullptr ? g->Editor : g->Client); return 0;
    case WM_SETFONT:
      g->Font = reinterpret_cast<HFONT>(wParam);
      PlaceClient(grid, *g);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(g->Font);
    case WM_NCDESTROY:
      SetWindowLongPtrW(grid, 0, 0);
      delete g;
      return DefWindowProcW(grid, message, wParam, lParam);
    default: return DefWindowProcW(grid, message, wParam, lParam);
  }
}

ATOM Register(const wchar_t* name, WNDPROC procedure, UINT style, int extraBytes) {
  WNDCLASSEXW known{};
  known.cbSize = sizeof known;
  if (const ATOM atom = static_cast<ATOM>(GetClassInfoExW(ProgramInstance(), name, &known)); atom != 0) return atom;
  WNDCLASSW wc{};
  wc.style = style;
  wc.lpfnWndProc = procedure;
  wc.cbWndExtra = extraBytes;
  wc.hInstance = ProgramInstance();
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
  wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  wc.lpszClassName = name;
  return RegisterClassW(&wc);
}

}  // namespace

void RegisterGridClasses() {
  GridAtom = Register(GridClass, GridProcedure, 0, sizeof(LONG_PTR));
  Register(GridClientClass, ClientProcedure, CS_DBLCLKS, 0);
  CellChange = RegisterWindowMessageA("GM_CELLCHANGE");
}

UINT CellChangeMessage() { return CellChange; }

const GridCells* GridCellsOf(HWND grid) {
  const Grid* g = GridOf(grid);
  return g != nullptr ? &g->Cells : nullptr;
}

void SetGridCells(HWND grid, const GridCells& cells) {
  Grid* g = GridOf(grid);
  if (g == nullptr) return;
  CloseEditor(*g);
  g->Cells = cells;
  Refresh(*g);
}

void SetGridCellText(HWND grid, int row, int column, std::string_view text) {
  Grid* g = GridOf(grid);
  if (g != nullptr && SetCellText(g->Cells, row, column, text)) Refresh(*g);
}

bool GridEditing(HWND grid) {
  const Grid* g = GridOf(grid);
  return g != nullptr && g->Editor != nullptr;
}

void GridBeginEdit(HWND grid) {
  if (Grid* g = GridOf(grid)) OpenEditor(*g, nullptr);
}

void GridCommitEdit(HWND grid) {
  Grid* g = GridOf(grid);
  if (g == nullptr || g->Editor == nullptr) return;
  const int length = GetWindowTextLengthW(g->Editor);
  std::wstring typed(static_cast<std::size_t>(length) + 1, L'\0');
  typed.resize(GetWindowTextW(g->Editor, typed.data(), length + 1));
  CloseEditor(*g);
  if (!SetCellText(g->Cells, g->EditRow, g->EditColumn, TextFromPlatform(typed))) return;
  g->LastChange = {g->EditColumn, g->EditRow};
  Refresh(*g);
  const auto id = static_cast<WPARAM>(GetDlgCtrlID(grid));
  SendMessageW(GetParent(grid), CellChange, id, static_cast<LPARAM>(id));
}

// As in the spreadsheets of the day: Enter takes the text and goes on to
// the row below, so that a column is filled in one go.
void GridEnterKey(HWND grid) {
  Grid* g = GridOf(grid);
  if (g == nullptr) return;
  GridCommitEdit(grid);
  MoveCurrent(g->Cells, GridMove::Down, PageRows(g->Client, *g));
  OpenEditor(*g, nullptr);
}

POINT GridLastChange(HWND grid) {
  const Grid* g = GridOf(grid);
  return g != nullptr ? g->LastChange : POINT{};
}

}  // namespace toolkit
