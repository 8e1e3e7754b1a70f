#pragma once
// The cells of a grid field and the moves of its current cell, kept apart
// from the window that draws them. Texts are UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

// A grid larger than this is a slip in its definition, not a table anyone
// fills in a dialog: it would only take the memory.
inline constexpr int MaxGridRows = 10000;
inline constexpr int MaxGridColumns = 256;

struct GridCells {
  int Rows = 0;
  int Columns = 0;
  std::vector<std::string> Headings;  // one per column, blank when not given
  std::vector<std::string> Texts;     // row by row
  int CurrentRow = 0;                 // 0-based
  int CurrentColumn = 0;
  int TopRow = 0;                     // the first row in view

  bool operator==(const GridCells&) const = default;
};

// Rows and columns cut to 1..the largest; headings beyond the columns are
// dropped, missing ones blank. Every cell starts empty.
GridCells MakeGrid(int rows, int columns, const std::vector<std::string>& headings);

bool InGrid(const GridCells& grid, int row, int column);
// Empty outside the grid.
std::string_view CellText(const GridCells& grid, int row, int column);
// Returns whether the text changed; nothing happens outside the grid.
bool SetCellText(GridCells& grid, int row, int column, std::string_view text);

// The arrow keys, Home, End, Page Up and Page Down move the current cell
// and stop at the edges; `pageRows` rows are in view.
enum class GridMove { Up, Down, Left, Right, Home, End, PageUp, PageDown };
void MoveCurrent(GridCells& grid, GridMove move, int pageRows);

// Keeps the current row in view: the top row follows it.
void ScrollToCurrent(GridCells& grid, int pageRows);

}  // namespace toolkit
