#pragma once
// The grid field: a table of cells under a row of column headings (class
// "KVTGRID", the cells in a window of class "KVTGRIDCLIENT" inside it),
// edited one cell at a time in an edit field laid over the cell. A change
// that is committed is announced to the grid's parent with the registered
// message "GM_CELLCHANGE", both parameters the grid's control identifier.

#include <windows.h>

#include <string_view>

#include "toolkit/windows/grid_cells.hpp"

namespace toolkit {

// Registers both classes, unless registered, and the cell-change message.
void RegisterGridClasses();
// "GM_CELLCHANGE"; 0 until the classes are registered.
UINT CellChangeMessage();

// Null when `window` is no grid.
const GridCells* GridCellsOf(HWND grid);
// Replaces the cells; an edit in progress is dropped.
void SetGridCells(HWND grid, const GridCells& cells);
// Sets one cell (0-based) as the program's own doing: not announced.
void SetGridCellText(HWND grid, int row, int column, std::string_view text);

bool GridEditing(HWND grid);
// Opens the editor on the current cell, its text selected.
void GridBeginEdit(HWND grid);
// The editor's text goes into its cell and the editor closes; a changed
// text is announced.
void GridCommitEdit(HWND grid);
// The Enter key in the editor: the text is committed and the editor opens
// on the cell below (on the same cell in the last row), its text selected.
void GridEnterKey(HWND grid);
// The cell (0-based) whose change was announced last.
POINT GridLastChange(HWND grid);

}  // namespace toolkit
