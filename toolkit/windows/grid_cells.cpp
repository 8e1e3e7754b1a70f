#include "toolkit/windows/grid_cells.hpp"

#include <algorithm>

namespace toolkit {

GridCells MakeGrid(int rows, int columns, const std::vector<std::string>& headings) {
  GridCells grid;
  grid.Rows = std::clamp(rows, 1, MaxGridRows);
  grid.Columns = std::clamp(columns, 1, MaxGridColumns);
  grid.Headings.assign(headings.begin(), headings.begin() + std::min<std::size_t>(headings.size(), grid.Columns));
  grid.Headings.resize(grid.Columns);
  grid.Texts.resize(static_cast<std::size_t>(grid.Rows) * grid.Columns);
  return grid;
}

bool InGrid(const GridCells& grid, int row, int column) {
  return row >= 0 && row < grid.Rows && column >= 0 && column < grid.Columns;
}

std::string_view CellText(const GridCells& grid, int row, int column) {
  if (!InGrid(grid, row, column)) return {};
  return grid.Texts[static_cast<std::size_t>(row) * grid.Columns + column];
}

bool SetCellText(GridCells& grid, int row, int column, std::string_view text) {
  if (!InGrid(grid, row, column)) return false;
  std::string& cell = grid.Texts[static_cast<std::size_t>(row) * grid.Columns + column];
  if (cell == text) return false;
  cell = text;
  return true;
}

void MoveCurrent(GridCells& grid, GridMove move, int pageRows) {
  const int page = std::max(pageRows, 1);
  int row = grid.CurrentRow;
  int column = grid.CurrentColumn;
  switch (move) {
    case GridMove::Up: --row; break;
    case GridMove::Down: ++row; break;
    case GridMove::Left: --column; break;
    case GridMove::Right: ++column; break;
    case GridMove::Home: column = 0; break;
    case GridMove::End: column = grid.Columns - 1; break;
    case GridMove::PageUp: row -= page; break;
    case GridMove::PageDown: row += page; break;
  }
  grid.CurrentRow = std::clamp(row, 0, std::max(grid.Rows - 1, 0));
  grid.CurrentColumn = std::clamp(column, 0, std::max(grid.Columns - 1, 0));
  ScrollToCurrent(grid, page);
}

void ScrollToCurrent(GridCells& grid, int pageRows) {
  const int page = std::max(pageRows, 1);
  if (grid.CurrentRow < grid.TopRow) grid.TopRow = grid.CurrentRow;
  if (grid.CurrentRow >= grid.TopRow + page) grid.TopRow = grid.CurrentRow - page + 1;
}

}  // namespace toolkit
