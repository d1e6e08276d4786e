// TableGrid: rows and cells, span assignment, column widths and row heights.
#include "layout/tables/table_grid.h"

#include "layout/styles/style_length.h"

namespace {

int64_t Larger(int64_t a, int64_t b) { return a > b ? a : b; }

// An inner margin: bit 30 (unset) masked off, as the cell padding's default
// carries it.
int32_t MarginPixels(StyleLength length, int32_t fontSize, int32_t reference) {
  return IntArray::Clamp(ResolveStyleLength(length & ~kStyleLengthUnset, fontSize, reference));
}

bool IsGiven(StyleLength length) { return (length & kStyleLengthUnset) == 0; }
bool IsPercent(StyleLength length) { return (length & kStyleLengthUnitMask) == kStyleLengthPercent; }

uint32_t LastColumn(const TableCellItem& cell) { return static_cast<uint32_t>(cell.column) + cell.columnSpan - 1; }

}  // namespace

TableGrid::TableGrid() {
  rows_.SetGeometry(sizeof(TableRowItem), 4);
  cells_.SetGeometry(sizeof(GridCell), 4);
}

bool TableGrid::AddRow(const TableRowItem& row) {
  if (rows_.count != 0) {
    TableRowItem& last = Row(rows_.count - 1);
    last.cellCount = static_cast<int32_t>(cells_.count - static_cast<uint32_t>(last.firstCell));
  }
  TableRowItem added = row;
  added.firstCell = static_cast<int32_t>(cells_.count);
  added.cellCount = 0;
  return rows_.Append(&added) >= 0;
}

bool TableGrid::AddCell(const GridCell& cell) {
  if (rows_.count == 0 && !AddRow(TableRowItem{})) return false;
  if (cells_.Append(&cell) < 0) return false;
  TableRowItem& last = Row(rows_.count - 1);
  last.cellCount = static_cast<int32_t>(cells_.count - static_cast<uint32_t>(last.firstCell));
  return true;
}

void TableGrid::RemoveLastRow() {
  if (rows_.count == 0) return;
  cells_.count = static_cast<uint32_t>(Row(rows_.count - 1).firstCell);
  --rows_.count;
}

bool TableGrid::Close(bool noRowBreak) {
  noRowBreak_ = noRowBreak;
  if (rows_.count != 0) {
    TableRowItem& last = Row(rows_.count - 1);
    last.cellCount = static_cast<int32_t>(cells_.count - static_cast<uint32_t>(last.firstCell));
  }
  rowsRead_ = rows_.count;
  // Spans are cut at the rows read, so no padding row is ever needed.
  return AssignCells();
}

bool TableGrid::AssignCells() {
  columns_ = 0;
  if (rows_.count == 0 || cells_.count == 0) return false;
  // Per column, the row up to which (exclusive) a cell above occupies it.
  SegmentedArray occupied;
  occupied.SetGeometry(sizeof(int64_t), 4);
  for (uint32_t i = 0; i < rows_.count; ++i) {
    const TableRowItem& row = Row(i);
    uint32_t column = 0;
    for (int32_t n = 0; n < row.cellCount; ++n) {
      TableCellItem& cell = Cell(static_cast<uint32_t>(row.firstCell + n)).record;
      uint32_t span = cell.columnSpan < 1 ? 1 : cell.columnSpan;
      if (span > kMaxColumns) return false;
      while (column < occupied.count && *static_cast<int64_t*>(occupied.At(column)) > i) ++column;
      if (uint64_t{column} + span > kMaxColumns) return false;
      const int64_t rowsLeft = static_cast<int64_t>(rows_.count) - i;
      const int64_t rowSpan = cell.rowSpan < 1 ? 1 : (cell.rowSpan > rowsLeft ? rowsLeft : cell.rowSpan);
      for (uint32_t k = column; k < column + span; ++k) {
        while (occupied.count <= k) {
          const int64_t free = 0;
          if (occupied.Append(&free) < 0) return false;
        }
        int64_t* until = static_cast<int64_t*>(occupied.At(k));
        if (*until > i) return false;  // overlapping spans
        *until = int64_t{i} + rowSpan;
      }
      cell.column = static_cast<int32_t>(column);
      cell.row = static_cast<int32_t>(i);
      cell.columnSpan = span;
      cell.rowSpan = static_cast<uint32_t>(rowSpan);
      if (column + span > columns_) columns_ = column + span;
      column += span;
    }
  }
  return columns_ != 0;
}

void TableGrid::InheritStyles() {
  const uint32_t allSides = (1u << kBoxSideCount) - 1;
  for (uint32_t i = 0; i < rows_.count; ++i) {
    TableRowItem& row = Row(i);
    row.box.InheritBorders(table.box, allSides);
    for (int32_t n = 0; n < row.cellCount; ++n) {
      TableCellItem& cell = Cell(static_cast<uint32_t>(row.firstCell + n)).record;
      cell.box.InheritBorders(row.box, allSides);
      cell.box.FillUnsetMargins(table.cellPadding);
    }
  }
}

bool TableGrid::ComputeColumnWidths(int32_t fontSize, int32_t available, IntArray* minimums, IntArray* preferred,
                                    IntArray* gaps) const {
  if (!minimums->Fill(columns_, 0) || !preferred->Fill(columns_, IntArray::kFlexible) ||
      !gaps->Fill(columns_ + 1, 0))
    return false;
  for (uint32_t c = 0; c < cells_.count; ++c) {
    const TableCellItem& cell = Cell(c).record;
    const uint32_t left = static_cast<uint32_t>(cell.column);
    const int32_t leftWidth = static_cast<int32_t>(BoxStyle::BorderWidth(cell.box.border[kBoxLeft]));
    const int32_t rightWidth = static_cast<int32_t>(BoxStyle::BorderWidth(cell.box.border[kBoxRight]));
    if (leftWidth > gaps->Get(left)) gaps->Set(left, leftWidth);
    if (rightWidth > gaps->Get(LastColumn(cell) + 1)) gaps->Set(LastColumn(cell) + 1, rightWidth);
  }
  const int32_t reference = IntArray::Clamp(int64_t{available} - gaps->Sum());
  for (uint32_t c = 0; c < cells_.count; ++c) {
    const GridCell& grid = Cell(c);
    const TableCellItem& cell = grid.record;
    const uint32_t i = LastColumn(cell);
    const uint32_t first = static_cast<uint32_t>(cell.column);
    const int64_t p = int64_t{MarginPixels(cell.box.margin[kBoxLeft], fontSize, reference)} +
                      MarginPixels(cell.box.margin[kBoxRight], fontSize, reference);
    const bool given = IsGiven(cell.givenWidth);
    int64_t w = given ? IntArray::Clamp(ResolveStyleLength(cell.givenWidth, fontSize, reference)) : 0;
    w = given && IsPercent(cell.givenWidth) ? Larger(w, p) : w + p;
    int64_t m = w;
    int64_t g = w;
    if (!given) {
      m = p + grid.minimumWidth;
      g = Larger(w, p + cell.contentWidth);
    }
    if (first < i) {
      int64_t others = 0;
      int64_t othersPreferred = 0;
      uint32_t flexible = 0;
      for (uint32_t k = first; k < i; ++k) {
        others += minimums->Get(k);
        othersPreferred += IntArray::Plain(preferred->Get(k));
        if (IntArray::IsFlexible(preferred->Get(k))) ++flexible;
      }
      m -= others;
      g -= othersPreferred;
      if (m > 0) {
        int64_t rest = m - minimums->Get(i);
        if (rest > 0) {
          const int64_t share = rest / (flexible != 0 ? flexible : cell.columnSpan);
          for (uint32_t k = first; k < i; ++k) {
            if (flexible != 0 && !IntArray::IsFlexible(preferred->Get(k))) continue;
            minimums->Set(k, IntArray::Clamp(minimums->Get(k) + share));
            if (IntArray::Plain(preferred->Get(k)) < minimums->Get(k)) preferred->Set(k, minimums->Get(k));
            rest -= share;
          }
          m = minimums->Get(i) + rest;
        }
      }
    }
    if (m > minimums->Get(i)) minimums->Set(i, IntArray::Clamp(m));
    const int32_t current = preferred->Get(i);
    const int32_t value = IntArray::Clamp(g);
    if (given) {
      if (IntArray::IsFlexible(current) || value > current) preferred->Set(i, value);
    } else if (IntArray::IsFlexible(current) && value > IntArray::Plain(current)) {
      preferred->Set(i, value | IntArray::kFlexible);
    }
  }
  // A flexible column never prefers less than it needs.
  for (uint32_t i = 0; i < columns_; ++i) {
    const int32_t v = preferred->Get(i);
    if (IntArray::IsFlexible(v) && IntArray::Plain(v) < minimums->Get(i))
      preferred->Set(i, minimums->Get(i) | IntArray::kFlexible);
  }
  return true;
}

int32_t ChooseTableWidth(int32_t specified, bool automatic, int64_t preferredTotal, int64_t minimumTotal) {
  if (specified < preferredTotal) return IntArray::Clamp(Larger(specified, minimumTotal));
  return automatic ? IntArray::Clamp(preferredTotal) : specified;
}

bool DistributeWidths(int32_t a, const IntArray& minimums, const IntArray& preferred, IntArray* widths) {
  const uint32_t n = minimums.Count();
  if (!widths->Fill(n, 0)) return false;
  if (n == 0) return true;
  if (a == minimums.Sum()) {
    for (uint32_t i = 0; i < n; ++i) widths->Set(i, minimums.Get(i));
    return true;
  }
  int64_t fixedSum = 0;
  int64_t minimumSum = 0;
  int64_t preferredSum = 0;
  uint32_t flexibleCount = 0;
  for (uint32_t i = 0; i < n; ++i) {
    const int32_t v = preferred.Get(i);
    if (IntArray::IsFlexible(v)) {
      ++flexibleCount;
      minimumSum += minimums.Get(i);
      preferredSum += IntArray::Plain(v);
      widths->Set(i, minimums.Get(i));  // what a flexible column takes when nothing is left
    } else {
      fixedSum += v;
      widths->Set(i, v);
    }
  }
  if (a >= fixedSum && preferredSum > 0) {
    int64_t d = a - fixedSum;
    int64_t pendingPreferred = 0;
    const int64_t spare = a - minimumSum - fixedSum;
    SegmentedArray pending;
    pending.SetGeometry(sizeof(uint32_t), 4);
    for (uint32_t i = 0; i < n; ++i) {
      const int32_t v = preferred.Get(i);
      if (!IntArray::IsFlexible(v)) continue;
      const int64_t want = IntArray::Plain(v);
      if (minimums.Get(i) + spare * want / preferredSum >= want) {
        widths->Set(i, static_cast<int32_t>(want));
        d -= want;
      } else {
        if (pending.Append(&i) < 0) return false;
        d -= minimums.Get(i);
        pendingPreferred += want;
      }
    }
    if (pendingPreferred > 0) {
      for (uint32_t k = 0; k < pending.count; ++k) {
        const uint32_t i = *static_cast<uint32_t*>(pending.At(k));
        const int64_t want = IntArray::Plain(preferred.Get(i));
        widths->Set(i, IntArray::Clamp((d > 0 ? d : 0) * want / pendingPreferred + minimums.Get(i)));
      }
    }
  }
  int64_t total = widths->Sum();
  if (flexibleCount == 0) {
    if (a - total > n) {
      const int64_t more = (a - total) / n;
      for (uint32_t i = 0; i < n; ++i) widths->Set(i, IntArray::Clamp(widths->Get(i) + more));
    }
  } else if (a > total) {
    const int64_t more = (a - total) / flexibleCount;
    for (uint32_t i = 0; i < n; ++i)
      if (IntArray::IsFlexible(preferred.Get(i))) widths->Set(i, IntArray::Clamp(widths->Get(i) + more));
  }
  total = widths->Sum();
  if (a > total) {
    uint32_t last = n - 1;
    if (flexibleCount != 0)
      while (!IntArray::IsFlexible(preferred.Get(last))) --last;
    widths->Set(last, IntArray::Clamp(widths->Get(last) + (a - total)));
  }
  return true;
}

bool TableGrid::SolveColumns(int32_t* width, int32_t fontSize, IntArray* widths, IntArray* gaps) {
  const int32_t available = *width < 0 ? 0 : *width;
  const bool automatic = !IsGiven(table.givenWidth);
  const int32_t specified =
      automatic ? available : IntArray::Clamp(ResolveStyleLength(table.givenWidth, fontSize, available));
  IntArray minimums;
  IntArray preferred;
  if (!ComputeColumnWidths(fontSize, available, &minimums, &preferred, gaps)) return false;
  const int64_t gapSum = gaps->Sum();
  const int32_t chosen =
      ChooseTableWidth(specified, automatic, preferred.Sum() + gapSum, minimums.Sum() + gapSum);
  if (!DistributeWidths(IntArray::Clamp(chosen - gapSum), minimums, preferred, widths)) return false;
  PlaceColumns(*widths, *gaps, width);
  return true;
}

void TableGrid::PlaceColumns(const IntArray& widths, const IntArray& gaps, int32_t* width) {
  PlaceCells(widths, gaps, true);
  table.x = 0;
  table.width = IntArray::Clamp(widths.Sum() + gaps.Sum());
  *width = table.width;
}

bool TableGrid::ComputeRowHeights(int32_t fontSize, int32_t available, uint32_t rows, IntArray* heights,
                                  IntArray* gaps) const {
  if (rows > rows_.count) rows = rows_.count;
  if (!heights->Fill(rows, IntArray::kFlexible) || !gaps->Fill(rows + 1, 0)) return false;
  auto lastRow = [rows](const TableCellItem& cell) {
    const int64_t end = int64_t{cell.row} + cell.rowSpan;
    return static_cast<uint32_t>((end < rows ? end : rows) - 1);
  };
  for (uint32_t c = 0; c < cells_.count; ++c) {
    const TableCellItem& cell = Cell(c).record;
    if (static_cast<uint32_t>(cell.row) >= rows) break;  // cells are kept row by row
    const int32_t top = static_cast<int32_t>(BoxStyle::BorderWidth(cell.box.border[kBoxTop]));
    const int32_t bottom = static_cast<int32_t>(BoxStyle::BorderWidth(cell.box.border[kBoxBottom]));
    if (top > gaps->Get(static_cast<uint32_t>(cell.row))) gaps->Set(static_cast<uint32_t>(cell.row), top);
    if (bottom > gaps->Get(lastRow(cell) + 1)) gaps->Set(lastRow(cell) + 1, bottom);
  }
  const int32_t reference = IntArray::Clamp(int64_t{available} - gaps->Sum());
  // Cells are kept row by row, so each row's cells are met after those of
  // the rows above: heights of spanned rows are known when needed.
  for (uint32_t i = 0; i < rows; ++i) {
    int64_t fixedHeight = -1;
    int64_t flexibleHeight = 0;
    for (uint32_t c = 0; c < cells_.count; ++c) {
      const TableCellItem& cell = Cell(c).record;
      if (static_cast<uint32_t>(cell.row) > i) break;
      if (lastRow(cell) != i) continue;
      StyleLength length = cell.givenHeight;
      if (!IsGiven(length) && cell.rowSpan == 1) length = Row(static_cast<uint32_t>(cell.row)).givenHeight;
      const int64_t p = int64_t{MarginPixels(cell.box.margin[kBoxTop], fontSize, reference)} +
                        MarginPixels(cell.box.margin[kBoxBottom], fontSize, reference);
      const bool given = IsGiven(length);
      int64_t h = given ? IntArray::Clamp(ResolveStyleLength(length, fontSize, reference)) : 0;
      h = given && IsPercent(length) ? Larger(h, p) : h + p;
      const int64_t need = p + cell.contentHeight;
      int64_t above = 0;
      for (uint32_t k = static_cast<uint32_t>(cell.row); k < i; ++k) above += IntArray::Plain(heights->Get(k));
      if (given && h > need) {
        fixedHeight = Larger(fixedHeight, h - above);
      } else {
        flexibleHeight = Larger(flexibleHeight, need - above);
      }
    }
    if (fixedHeight >= flexibleHeight) {
      heights->Set(i, IntArray::Clamp(fixedHeight));
    } else {
      heights->Set(i, IntArray::Clamp(flexibleHeight) | IntArray::kFlexible);
    }
  }
  return true;
}

bool TableGrid::SolveRows(int32_t available, int32_t fontSize, uint32_t rows, const IntArray& rowStarts,
                          bool atLeastOne, uint32_t* placed, int32_t* height) {
  IntArray heights;
  IntArray gaps;
  if (!ComputeRowHeights(fontSize, available, rows, &heights, &gaps)) return false;
  rows = heights.Count();
  auto totalUpTo = [&](uint32_t k) {
    int64_t total = gaps.Get(0);
    for (uint32_t j = 0; j < k; ++j) total += IntArray::Plain(heights.Get(j)) + gaps.Get(j + 1);
    return total;
  };
  uint32_t count = 0;
  for (uint32_t s = 0; s < rowStarts.Count(); ++s) {
    const uint32_t start = static_cast<uint32_t>(rowStarts.Get(s));
    if (start > rows) break;
    if (totalUpTo(start) <= available) count = start;
  }
  if (count == 0 && atLeastOne) count = rowStarts.Count() != 0 ? static_cast<uint32_t>(rowStarts.Get(0)) : rows;
  if (count > rows) count = rows;
  // The whole table fits and has a height of its own: flexible rows share
  // what is left over. Without flexible rows nothing is shared.
  if (count == rows && IsGiven(table.givenHeight) && rows == rows_.count) {
    const int64_t specified = IntArray::Clamp(ResolveStyleLength(table.givenHeight, fontSize, available));
    const int64_t extra = specified - totalUpTo(rows);
    uint32_t flexible = 0;
    for (uint32_t j = 0; j < rows; ++j)
      if (IntArray::IsFlexible(heights.Get(j))) ++flexible;
    if (extra >= 1 && flexible != 0) {
      const int64_t share = extra / flexible;
      int64_t left = extra - share * flexible;
      for (uint32_t j = 0; j < rows; ++j) {
        if (!IntArray::IsFlexible(heights.Get(j))) continue;
        int64_t add = share;
        if (--flexible == 0) add += left;
        heights.Set(j, IntArray::Clamp(IntArray::Plain(heights.Get(j)) + add) | IntArray::kFlexible);
      }
    }
  }
  IntArray placedHeights;
  if (!placedHeights.Fill(count, 0)) return false;
  for (uint32_t j = 0; j < count; ++j) placedHeights.Set(j, IntArray::Plain(heights.Get(j)));
  PlaceCells(placedHeights, gaps, false);
  table.y = 0;
  table.height = IntArray::Clamp(totalUpTo(count));
  *placed = count;
  *height = table.height;
  return true;
}

void TableGrid::PlaceCells(const IntArray& sizes, const IntArray& gaps, bool columns) {
  const uint32_t n = sizes.Count();
  for (uint32_t c = 0; c < cells_.count; ++c) {
    TableCellItem& cell = Cell(c).record;
    const uint32_t first = static_cast<uint32_t>(columns ? cell.column : cell.row);
    const uint32_t span = columns ? cell.columnSpan : cell.rowSpan;
    if (first >= n) {
      if (!columns) cell.y = cell.height = 0;
      continue;
    }
    uint32_t last = first + span - 1;
    if (last >= n) last = n - 1;
    int64_t start = 0;
    for (uint32_t k = 0; k < first; ++k) start += sizes.Get(k) + gaps.Get(k);
    start += gaps.Get(first);
    int64_t extent = 0;
    for (uint32_t k = first; k <= last; ++k) extent += sizes.Get(k) + (k < last ? gaps.Get(k + 1) : 0);
    if (columns) {
      cell.x = IntArray::Clamp(start);
      cell.width = IntArray::Clamp(extent);
    } else {
      cell.y = IntArray::Clamp(start);
      cell.height = IntArray::Clamp(extent);
    }
  }
}
