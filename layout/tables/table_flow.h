// FlowTable: lays out the table at a cursor into the space of a column.
// It reads the table's items to its end (normalising what markup left
// open: a cell without its end, content outside any cell), measures every
// cell, solves the column widths, lays out the cells' content row by row
// at those widths (cells may hold tables), solves the row heights, places
// the cells and their lines, and, when the table is taller than the space
// left, cuts it between rows: the page's part ends with a table-end mark
// and a copy of the table item starts the next page at the first row that
// did not fit, keeping the same column widths.
#pragma once

#include <cstdint>

#include "layout/lines/line_layout.h"
#include "layout/tables/int_array.h"

// The column widths of the tables laid out last, so that a table continued
// on the next page keeps them. A few entries: pages are built one at a time.
class TableWidthCache {
 public:
  static constexpr uint32_t kEntries = 4;
  // Widths and gaps of the table with this key laid out in a space this
  // wide; false when not kept.
  bool Find(uint32_t key, int32_t space, uint32_t columns, IntArray* widths, IntArray* gaps) const;
  void Store(uint32_t key, int32_t space, const IntArray& widths, const IntArray& gaps);
  void Clear();

 private:
  struct Entry {
    uint32_t key = 0;
    int32_t space = 0;
    bool used = false;
    uint32_t stamp = 0;
    IntArray widths;
    IntArray gaps;
  };
  Entry entries_[kEntries];
  uint32_t stamp_ = 0;
};

enum class TableFlowResult {
  kPlaced,   // laid out (whole, in part, or moved to the next page: placed says)
  kAsLines,  // the table cannot be laid out as one: its items now flow as lines
  kFailed,   // reading the document failed
};

// The cursor is at a table item. atTop: nothing stands above in the column
// (in); cleared when a part of the table was placed. placed: some rows were
// placed here.
TableFlowResult FlowTable(LineEnvironment& env, FlowSpace* space, LayoutCursor* cursor, bool* atTop, bool probe,
                          TableWidthCache* cache, bool* placed);

// Turns the table at the cursor into lines: its table, row and cell items
// are removed and its row, cell and table ends become line ends.
void ConvertTableToLines(LayoutItemStore* store, const LayoutCursor& at);
