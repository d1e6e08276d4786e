// TableGrid: the working state of one table while it is laid out: its row
// and cell records (copies of the store's; the flow writes placements
// back), the grid they occupy once spans are assigned, and the solving of
// column widths and row heights. The width and height rules are free
// functions over IntArrays so that they can be checked by hand.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array.h"
#include "layout/items/layout_records.h"
#include "layout/tables/int_array.h"

struct GridCell {
  TableCellItem record;
  int32_t minimumWidth = 0;  // the widest word or object of its content
};

class TableGrid {
 public:
  // A table that would need more columns than this falls back to lines:
  // a few cells with huge spans must not make the solving slow.
  static constexpr uint32_t kMaxColumns = 4096;

  TableGrid();
  TableGrid(const TableGrid&) = delete;
  TableGrid& operator=(const TableGrid&) = delete;

  TableItem table;

  bool AddRow(const TableRowItem& row);
  bool AddCell(const GridCell& cell);
  void RemoveLastRow();
  // Closes the last row, remembers the rows read, assigns every cell its
  // column and row (spans cut at the rows read) and pads the row list with
  // empty rows up to the grid's row count. False for overlapping spans, a
  // grid without columns or rows, too many columns, or lack of memory.
  bool Close(bool noRowBreak);
  // Rows take the table's borders, cells their row's; unset cell margins
  // take the table's cell padding.
  void InheritStyles();

  uint32_t RowCount() const { return rows_.count; }
  uint32_t CellCount() const { return cells_.count; }
  uint32_t Columns() const { return columns_; }
  uint32_t RowsRead() const { return rowsRead_; }
  bool NoRowBreak() const { return noRowBreak_; }
  TableRowItem& Row(uint32_t i) const { return *static_cast<TableRowItem*>(rows_.At(i)); }
  GridCell& Cell(uint32_t i) const { return *static_cast<GridCell*>(cells_.At(i)); }

  // Minimum and preferred widths (bit 30 flexible) of every column and the
  // gaps between them (one more than the columns).
  bool ComputeColumnWidths(int32_t fontSize, int32_t available, IntArray* minimums, IntArray* preferred,
                           IntArray* gaps) const;
  // Heights (bit 30 flexible) of the first `rows` rows, and the gaps.
  bool ComputeRowHeights(int32_t fontSize, int32_t available, uint32_t rows, IntArray* heights,
                         IntArray* gaps) const;
  // The table's width from the available width (in/out): columns solved
  // and placed horizontally.
  bool SolveColumns(int32_t* width, int32_t fontSize, IntArray* widths, IntArray* gaps);
  // Solved widths given (a table continued on a later page): placed as
  // they are.
  void PlaceColumns(const IntArray& widths, const IntArray& gaps, int32_t* width);
  // Rows that fit `available` (at most `rows`, cut only at a row in
  // `rowStarts`; at least the first start when `atLeastOne`), their heights
  // placed; the table's height out. `rowStarts` holds ascending row indices
  // above 0 at which the table may be cut.
  bool SolveRows(int32_t available, int32_t fontSize, uint32_t rows, const IntArray& rowStarts, bool atLeastOne,
                 uint32_t* placed, int32_t* height);

 private:
  bool AssignCells();
  void PlaceCells(const IntArray& sizes, const IntArray& gaps, bool columns);

  SegmentedArray rows_;
  SegmentedArray cells_;
  uint32_t columns_ = 0;
  uint32_t rowsRead_ = 0;
  bool noRowBreak_ = false;
};

// The table's width: below the preferred total, the larger of the given
// width and the minimum total; otherwise the preferred total for an auto
// width and the given width otherwise. Totals include the gaps.
int32_t ChooseTableWidth(int32_t specified, bool automatic, int64_t preferredTotal, int64_t minimumTotal);
// Shares width `a` (gaps excluded) among the columns.
bool DistributeWidths(int32_t a, const IntArray& minimums, const IntArray& preferred, IntArray* widths);
