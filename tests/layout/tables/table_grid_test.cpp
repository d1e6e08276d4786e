// Column widths, spans and row heights of a table grid, against values
// worked out by hand.
#include <gtest/gtest.h>

#include <vector>

#include "layout/tables/table_grid.h"

namespace {

struct CellSpec {
  int32_t minimum = 0;  // widest word
  int32_t natural = 0;  // widest line
  StyleLength width = kStyleLengthUnset;
  uint32_t columnSpan = 1;
  uint32_t rowSpan = 1;
  int32_t height = 0;  // content height
  StyleLength givenHeight = kStyleLengthUnset;
};

// A grid of rows of cells with no padding and no borders unless asked.
void Fill(TableGrid* grid, const std::vector<std::vector<CellSpec>>& rows, StyleLength padding = 0) {
  grid->table.cellPadding = padding;
  for (const auto& row : rows) {
    ASSERT_TRUE(grid->AddRow(TableRowItem{}));
    for (const CellSpec& spec : row) {
      GridCell cell;
      cell.minimumWidth = spec.minimum;
      cell.record.contentWidth = spec.natural;
      cell.record.contentHeight = spec.height;
      cell.record.givenWidth = spec.width;
      cell.record.givenHeight = spec.givenHeight;
      cell.record.columnSpan = spec.columnSpan;
      cell.record.rowSpan = spec.rowSpan;
      ASSERT_TRUE(grid->AddCell(cell));
    }
  }
}

std::vector<int32_t> Values(const IntArray& a) {
  std::vector<int32_t> out;
  for (uint32_t i = 0; i < a.Count(); ++i) out.push_back(a.Get(i));
  return out;
}

std::vector<int32_t> Solve(TableGrid* grid, int32_t available, int32_t* width) {
  EXPECT_TRUE(grid->Close(false));
  grid->InheritStyles();
  IntArray widths;
  IntArray gaps;
  *width = available;
  EXPECT_TRUE(grid->SolveColumns(width, 10, &widths, &gaps));
  return Values(widths);
}

constexpr StyleLength Percent(int32_t n) { return MakeStyleLength(n, kStyleLengthPercent); }

TEST(TableWidths, FixedAutoAndPercentTablesMatchHandValues) {
  struct Case {
    const char* name;
    StyleLength tableWidth;
    std::vector<CellSpec> cells;
    StyleLength padding;
    std::vector<int32_t> widths;
    int32_t total;
  };
  const std::vector<Case> cases = {
      // Two fixed columns (50 + 70) in a table of 200: the slack is shared
      // evenly, 40 each.
      {"fixed", 200, {{0, 0, 50}, {0, 0, 70}}, 0, {90, 110}, 200},
      // Auto width: minimums 12 and 22, preferred 32 and 52 (padding 1 a
      // side); the table takes the preferred total, 84; the second column
      // reaches its preference, the first gets (84 - 12 - 52) + 12 = 32.
      {"auto", kStyleLengthUnset, {{10, 30}, {20, 50}}, kStyleLengthUnset | 1, {32, 52}, 84},
      // 50% of 200 is 100; the percent cell takes 25% of 200, the flexible
      // one its 12 and then all the slack.
      {"percent", Percent(50), {{0, 0, Percent(25)}, {10, 10}}, kStyleLengthUnset | 1, {50, 50}, 100},
      // A table narrower than its content is widened to the minimum total.
      {"too narrow", 30, {{40, 80}, {20, 20}}, 0, {40, 20}, 60},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TableGrid grid;
    grid.table.givenWidth = c.tableWidth;
    Fill(&grid, {c.cells}, c.padding);
    int32_t width = 0;
    EXPECT_EQ(Solve(&grid, 200, &width), c.widths);
    EXPECT_EQ(width, c.total);
    // Cells are placed where their columns start.
    EXPECT_EQ(grid.Cell(0).record.x, 0);
    EXPECT_EQ(grid.Cell(1).record.x, c.widths[0]);
  }
}

TEST(TableWidths, SpanningCellRaisesTheFlexibleColumnsEqually) {
  TableGrid grid;
  Fill(&grid, {{{10, 10}, {10, 10}, {10, 10}}, {{60, 60, kStyleLengthUnset, 3}}});
  ASSERT_TRUE(grid.Close(false));
  grid.InheritStyles();
  IntArray minimums, preferred, gaps;
  ASSERT_TRUE(grid.ComputeColumnWidths(10, 200, &minimums, &preferred, &gaps));
  // 60 less the other columns' 20 leaves 40; less column 3's own 10, 30 is
  // shared by the two flexible columns before it.
  EXPECT_EQ(Values(minimums), (std::vector<int32_t>{25, 25, 10}));
  EXPECT_EQ(minimums.Sum(), 60);
  EXPECT_EQ(IntArray::Plain(preferred.Get(2)), 40);
  EXPECT_EQ(grid.Cell(3).record.column, 0);
  EXPECT_EQ(grid.Cell(3).record.row, 1);
}

TEST(TableWidths, BordersMakeTheGaps) {
  TableGrid grid;
  grid.table.box.SetBorders(2, 1, Color::FromRgb(0, 0, 0));
  Fill(&grid, {{{0, 0, 50}, {0, 0, 50}}});
  int32_t width = 0;
  Solve(&grid, 300, &width);
  // Three gaps of 2 around two columns; an auto table takes its preferred
  // total, 50 + 50 + 6.
  EXPECT_EQ(grid.Cell(0).record.x, 2);
  EXPECT_EQ(grid.Cell(1).record.x, 54);
  EXPECT_EQ(width, 106);
}

TEST(TableGridSpans, OverlappingSpansFail) {
  // B reaches down into row 2; C's COLSPAN of 2 then claims B's column.
  TableGrid grid;
  Fill(&grid, {{{1, 1}, {1, 1, kStyleLengthUnset, 1, 2}}, {{1, 1, kStyleLengthUnset, 2}}});
  EXPECT_FALSE(grid.Close(false));
}

TEST(TableGridSpans, HugeSpansAreCutAtTheRowsRead) {
  TableGrid grid;
  Fill(&grid, {{{1, 1, kStyleLengthUnset, 1000, 65534}, {1, 1}}, {{1, 1}}});
  ASSERT_TRUE(grid.Close(false));
  EXPECT_EQ(grid.RowCount(), 2u);
  EXPECT_EQ(grid.Cell(0).record.rowSpan, 2u);
  EXPECT_EQ(grid.Columns(), 1001u);
  EXPECT_EQ(grid.Cell(2).record.column, 1000);
}

TEST(TableGridSpans, EmptyGridFails) {
  TableGrid grid;
  ASSERT_TRUE(grid.AddRow(TableRowItem{}));
  EXPECT_FALSE(grid.Close(false));
}

TEST(TableRows, HeightsCutsAndSharedExtra) {
  // Three rows of content 20, 30 and 40; cut at the row starts that fit.
  TableGrid grid;
  Fill(&grid, {{{1, 1, kStyleLengthUnset, 1, 1, 20}}, {{1, 1, kStyleLengthUnset, 1, 1, 30}},
               {{1, 1, kStyleLengthUnset, 1, 1, 40}}});
  ASSERT_TRUE(grid.Close(false));
  grid.InheritStyles();
  IntArray starts;
  for (int32_t s : {1, 2, 3}) starts.Append(s);
  uint32_t placed = 0;
  int32_t height = 0;
  ASSERT_TRUE(grid.SolveRows(60, 10, 3, starts, false, &placed, &height));
  EXPECT_EQ(placed, 2u);
  EXPECT_EQ(height, 50);
  EXPECT_EQ(grid.Cell(1).record.y, 20);
  // Nothing fits: none, or the first row when the table is at the top.
  ASSERT_TRUE(grid.SolveRows(10, 10, 3, starts, false, &placed, &height));
  EXPECT_EQ(placed, 0u);
  ASSERT_TRUE(grid.SolveRows(10, 10, 3, starts, true, &placed, &height));
  EXPECT_EQ(placed, 1u);

  // A table height of 150 over 90 of content: 60 shared by the three
  // flexible rows.
  grid.table.givenHeight = 150;
  ASSERT_TRUE(grid.SolveRows(400, 10, 3, starts, false, &placed, &height));
  EXPECT_EQ(height, 150);
  EXPECT_EQ(grid.Cell(2).record.height, 60);
}

TEST(TableRows, NoFlexibleRowSharesNothing) {
  TableGrid grid;
  grid.table.givenHeight = 100;
  Fill(&grid, {{{1, 1, kStyleLengthUnset, 1, 1, 5, 30}}, {{1, 1, kStyleLengthUnset, 1, 1, 5, 20}}});
  ASSERT_TRUE(grid.Close(false));
  grid.InheritStyles();
  IntArray starts;
  starts.Append(1);
  starts.Append(2);
  uint32_t placed = 0;
  int32_t height = 0;
  ASSERT_TRUE(grid.SolveRows(400, 10, 2, starts, false, &placed, &height));
  EXPECT_EQ(height, 50);
}

TEST(TableWidths, DistributeWithNothingPending) {
  // Every flexible column reaches its preference: no division by the
  // pending total; the slack then goes to the flexible columns.
  IntArray minimums, preferred, widths;
  minimums.Append(5);
  minimums.Append(5);
  preferred.Append(10 | IntArray::kFlexible);
  preferred.Append(10 | IntArray::kFlexible);
  ASSERT_TRUE(DistributeWidths(41, minimums, preferred, &widths));
  EXPECT_EQ(Values(widths), (std::vector<int32_t>{20, 21}));
}

}  // namespace
