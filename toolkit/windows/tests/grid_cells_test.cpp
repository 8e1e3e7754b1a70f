#include "toolkit/windows/grid_cells.hpp"

#include <doctest/doctest.h>

using namespace toolkit;

TEST_CASE("MakeGrid") {
  struct Case {
    int Rows, Columns;
    std::vector<std::string> Headings;
    int WantRows, WantColumns;
    std::vector<std::string> WantHeadings;
  };
  const Case cases[] = {
      {3, 2, {"Name", "Speed"}, 3, 2, {"Name", "Speed"}},
      {3, 3, {"Name"}, 3, 3, {"Name", "", ""}},             // missing headings blank
      {1, 1, {"Name", "Speed"}, 1, 1, {"Name"}},             // extra headings dropped
      {0, -4, {}, 1, 1, {""}},                               // at least one cell
      {20000, 1000, {}, 10000, 256, std::vector<std::string>(256)},
  };
  for (const Case& c : cases) {
    CAPTURE(c.Rows);
    CAPTURE(c.Columns);
    const GridCells grid = MakeGrid(c.Rows, c.Columns, c.Headings);
    CHECK(grid.Rows == c.WantRows);
    CHECK(grid.Columns == c.WantColumns);
    CHECK(grid.Headings == c.WantHeadings);
    CHECK(grid.Texts.size() == static_cast<std::size_t>(c.WantRows) * c.WantColumns);
  }
}

TEST_CASE("Cell texts") {
  GridCells grid = MakeGrid(2, 3, {});
  CHECK(SetCellText(grid, 1, 2, "Caf\xC3\xA9"));
  CHECK_FALSE(SetCellText(grid, 1, 2, "Caf\xC3\xA9"));  // unchanged: nothing to announce
  CHECK(CellText(grid, 1, 2) == "Caf\xC3\xA9");
  CHECK(grid.Texts[5] == "Caf\xC3\xA9");               // row by row
  for (const auto& [row, column] : {std::pair{2, 0}, {0, 3}, {-1, 0}, {0, -1}}) {
    CAPTURE(row);
    CAPTURE(column);
    CHECK_FALSE(SetCellText(grid, row, column, "x"));
    CHECK(CellText(grid, row, column).empty());
  }
}

TEST_CASE("MoveCurrent") {
  struct Case {
    const char* Name;
    int Row, Column;
    GridMove Move;
    int WantRow, WantColumn, WantTop;
  };
  // 20 rows of 4 columns, 5 rows in view, the view at the top.
  const Case cases[] = {
      {"down", 0, 0, GridMove::Down, 1, 0, 0},
      {"down past the view scrolls it", 4, 1, GridMove::Down, 5, 1, 1},
      {"up at the top stays", 0, 2, GridMove::Up, 0, 2, 0},
      {"down at the bottom stays", 19, 0, GridMove::Down, 19, 0, 15},
      {"right at the edge stays", 0, 3, GridMove::Right, 0, 3, 0},
      {"left", 0, 3, GridMove::Left, 0, 2, 0},
      {"left at the edge stays", 0, 0, GridMove::Left, 0, 0, 0},
      {"home", 2, 3, GridMove::Home, 2, 0, 0},
      {"end", 2, 0, GridMove::End, 2, 3, 0},
      {"page down", 0, 1, GridMove::PageDown, 5, 1, 1},
      {"page down near the end", 17, 1, GridMove::PageDown, 19, 1, 15},
      {"page up near the top", 3, 1, GridMove::PageUp, 0, 1, 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.Name);
    GridCells grid = MakeGrid(20, 4, {});
    grid.CurrentRow = c.Row;
    grid.CurrentColumn = c.Column;
    MoveCurrent(grid, c.Move, 5);
    CHECK(grid.CurrentRow == c.WantRow);
    CHECK(grid.CurrentColumn == c.WantColumn);
    CHECK(grid.TopRow == c.WantTop);
  }
  SUBCASE("a current row above the view brings the view up to it") {
    GridCells grid = MakeGrid(20, 4, {});
    grid.TopRow = 10;
    grid.CurrentRow = 10;
    MoveCurrent(grid, GridMove::Up, 5);
    CHECK(grid.TopRow == 9);
  }
}
