// FlowTable: reading, measuring, laying out, placing and cutting a table.
#include "layout/tables/table_flow.h"

#include "layout/drawing/drawing_surface.h"
#include "layout/styles/style_length.h"
#include "layout/tables/table_grid.h"

namespace {

// Tables inside cells inside tables: deeper ones flow as lines.
constexpr uint32_t kMaxNesting = 8;
// How deep the items of nested tables may go while a table is read.
constexpr uint32_t kMaxReadDepth = 64;
// The height a cell's content is laid out into: it is never cut.
constexpr int32_t kCellSpaceHeight = 0x3FFFFFF;

int64_t Larger(int64_t a, int64_t b) { return a > b ? a : b; }

bool IsMark(const LayoutCursor& at, int16_t code) { return at.KindAt() == kMarkItem && MarkAt(at)->code == code; }

TableItem* TableAt(const LayoutCursor& at) {
  return static_cast<TableItem*>(at.store->fixed[kTableItem].At(at.index[kTableItem]));
}
TableRowItem* RowAt(const LayoutCursor& at) {
  return static_cast<TableRowItem*>(at.store->fixed[kTableRowItem].At(at.index[kTableRowItem]));
}
TableCellItem* CellAt(const LayoutCursor& at) {
  return static_cast<TableCellItem*>(at.store->fixed[kTableCellItem].At(at.index[kTableCellItem]));
}

bool InsertMarkAt(LayoutCursor* at, int16_t code) {
  LayoutMark mark;
  mark.code = code;
  mark.value = 1;
  const uint32_t position = at->store->PositionAt(*at);
  if (!at->store->InsertItemAt(kMarkItem, *at, &mark, position, false)) return false;
  at->Next();  // back on the item that was there
  return true;
}

// The widest word and the widest line of a cell's content, measured as the
// table is read.
struct ContentMeasure {
  int64_t line = 0;
  int64_t word = 0;
  int64_t natural = 0;
  int64_t minimum = 0;
  int64_t indent = 0;

  void EndWord() {
    minimum = Larger(minimum, word + indent);
    word = 0;
  }
  void EndLine() {
    EndWord();
    natural = Larger(natural, line + indent);
    line = 0;
  }
  void Text(int32_t width) {
    word += width;
    line += width;
  }
  void Space(int32_t width) {
    EndWord();
    line += width;
  }
  void Object(int64_t width) {
    EndWord();
    minimum = Larger(minimum, width + indent);
    line += width;
  }
};

class TableFlow {
 public:
  TableFlow(LineEnvironment& env, FlowSpace* space, TableWidthCache* cache, uint32_t depth)
      : env_(env), space_(space), cache_(cache), depth_(depth) {}
  TableFlowResult Run(LayoutCursor* cursor, bool* atTop, bool probe, bool* placed);

 private:
  enum class Read { kOk, kAsLines, kFailed };
  bool ReadMore() { return env_.feed != nullptr && env_.feed->ReadMore(env_.store); }
  Read ReadTable(LayoutCursor start);
  bool FinishCell();
  bool LayOutRow(uint32_t r, LayoutCursor* walk);
  bool LayOutCell(GridCell* cell, LayoutCursor* walk);
  void PlaceContent(const LayoutCursor& tableCursor, uint32_t rows, int32_t x, int32_t y, LayoutCursor* end);

  LineEnvironment& env_;
  FlowSpace* space_;
  TableWidthCache* cache_;
  uint32_t depth_;
  TableGrid grid_;
  ContentMeasure measure_;
  bool inCell_ = false;
  int32_t fontSize_ = 0;
  IntArray rowOrder_;  // each row item's order index, as read
};

bool TableFlow::FinishCell() {
  if (!inCell_) return true;
  measure_.EndLine();
  GridCell& cell = grid_.Cell(grid_.CellCount() - 1);
  cell.record.contentWidth = IntArray::Clamp(measure_.natural);
  cell.minimumWidth = IntArray::Clamp(measure_.minimum);
  measure_ = ContentMeasure{};
  inCell_ = false;
  return true;
}

// Reads the table's items up to its end mark, normalising as it goes, and
// fills the grid with its rows and measured cells.
TableFlow::Read TableFlow::ReadTable(LayoutCursor walk) {
  LayoutItemStore* store = env_.store;
  grid_.table = *TableAt(walk);
  walk.Next();
  TextStyle style = *env_.frameStyle;
  env_.font.Apply(style);
  uint32_t depth = 0;  // of nested tables inside the current cell
  bool rowOpen = false;
  for (;;) {
    if (walk.AtEnd()) {
      if (!ReadMore()) return Read::kFailed;
      continue;
    }
    const uint32_t kind = walk.KindAt();
    const uint32_t position = store->PositionAt(walk);
    if (kind == kMarkItem && MarkAt(walk)->code == kMarkTextEnd) {
      // The text ends inside the table: every open table is closed here.
      for (uint32_t i = 0; i < depth; ++i)
        if (!InsertMarkAt(&walk, kMarkTableEnd)) return Read::kAsLines;
      if (inCell_ && !InsertMarkAt(&walk, kMarkCellEnd)) return Read::kAsLines;
      FinishCell();
      if (!InsertMarkAt(&walk, kMarkTableEnd)) return Read::kAsLines;
      return grid_.CellCount() != 0 ? Read::kOk : Read::kAsLines;
    }
    if (depth > 0) {  // inside a table inside the current cell
      if (kind == kTableItem) {
        if (++depth > kMaxReadDepth) return Read::kAsLines;
      } else if (IsMark(walk, kMarkTableEnd)) {
        --depth;
      } else if (kind == kLineItem) {
        store->EraseAt(walk);
        continue;
      } else if (kind == kStyleRunItem) {
        style = *StyleRunAt(walk);
        env_.font.Apply(style);
      } else if (kind == kTextItem) {
        TextAt(walk)->Measure(env_.font.surface);
        measure_.Text(TextAt(walk)->width);
      } else if (kind == kMarkItem && MarkAt(walk)->code == kMarkSpace) {
        measure_.Space(MarkAt(walk)->value);
      } else if (kind == kMarkItem) {
        measure_.EndLine();
      }
      walk.Next();
      continue;
    }
    const bool content = kind == kTextItem || kind == kObjectItem || kind == kTableItem;
    if (content && !inCell_) {
      // Content outside any cell gets a cell of its own, so nothing is lost.
      if (!rowOpen) {
        TableRowItem row;
        if (!store->InsertItemAt(kTableRowItem, walk, &row, position, false)) return Read::kAsLines;
        continue;  // met again as a row
      }
      TableCellItem cell;
      if (!store->InsertItemAt(kTableCellItem, walk, &cell, position, false)) return Read::kAsLines;
      continue;
    }
    switch (kind) {
      case kTableRowItem:
        if (inCell_) {
          if (!InsertMarkAt(&walk, kMarkCellEnd)) return Read::kAsLines;
          continue;
        }
        if (!grid_.AddRow(*RowAt(walk)) || rowOrder_.Append(static_cast<int32_t>(walk.order)) < 0)
          return Read::kAsLines;
        rowOpen = true;
        break;
      case kTableCellItem: {
        if (inCell_) {
          if (!InsertMarkAt(&walk, kMarkCellEnd)) return Read::kAsLines;
          continue;
        }
        if (!rowOpen) {
          TableRowItem row;
          if (!store->InsertItemAt(kTableRowItem, walk, &row, position, false)) return Read::kAsLines;
          continue;
        }
        GridCell cell;
        cell.record = *CellAt(walk);
        if (!grid_.AddCell(cell)) return Read::kAsLines;
        inCell_ = true;
        break;
      }
      case kTableItem:  // a table inside the cell
        depth = 1;
        measure_.EndLine();
        break;
      case kLineItem:  // laid out for an earlier try: laid out again
        store->EraseAt(walk);
        continue;
      case kStyleRunItem:
        style = *StyleRunAt(walk);
        env_.font.Apply(style);
        break;
      case kParagraphFormatItem:
        if (inCell_) {
          measure_.EndLine();
          const ParagraphFormat& format = *FormatAt(walk);
          measure_.indent = int64_t{ResolveStyleLength(format.lengths[0], fontSize_, space_->width)} +
                            ResolveStyleLength(format.lengths[2], fontSize_, space_->width);
          if (measure_.indent < 0) measure_.indent = 0;
        }
        break;
      case kTextItem:
        TextAt(walk)->Measure(env_.font.surface);
        measure_.Text(TextAt(walk)->width);
        break;
      case kObjectItem: {
        const LayoutObject& object = *ObjectAt(walk);
        const int64_t width =
            ResolveStyleLength(static_cast<StyleLength>(object.words[kObjectWidth]), fontSize_, space_->width);
        measure_.Object(Larger(width, 0) + 2 * Larger(object.words[kObjectHSpace], 0));
        break;
      }
      case kMarkItem: {
        const int16_t code = MarkAt(walk)->code;
        if (code == kMarkTableEnd) {
          if (inCell_) {
            if (!InsertMarkAt(&walk, kMarkCellEnd)) return Read::kAsLines;
            continue;
          }
          return grid_.CellCount() != 0 ? Read::kOk : Read::kAsLines;
        }
        if (code == kMarkRowEnd) {
          if (inCell_) {
            if (!InsertMarkAt(&walk, kMarkCellEnd)) return Read::kAsLines;
            continue;
          }
          rowOpen = false;
          break;
        }
        if (code == kMarkCellEnd) {
          if (!inCell_) {  // a stray cell end
            store->EraseAt(walk);
            continue;
          }
          FinishCell();
          break;
        }
        if (!inCell_ || code == kMarkPageBreak) {  // marks between cells, and page breaks, have no place
          store->EraseAt(walk);
          continue;
        }
        if (code == kMarkSpace) {
          measure_.Space(MarkAt(walk)->value);
        } else if (code == kMarkParagraphEnd || code == kMarkLineEnd) {
          measure_.EndLine();
        }
        break;
      }
      default:
        break;
    }
    walk.Next();
  }
}

bool TableFlow::LayOutCell(GridCell* cell, LayoutCursor* walk) {
  LineEnvironment env = env_;
  env.tablesAsLines = false;
  const BoxStyle& box = cell->record.box;
  const int32_t left = ResolveStyleLength(box.margin[kBoxLeft] & ~kStyleLengthUnset, fontSize_, space_->width);
  const int32_t right = ResolveStyleLength(box.margin[kBoxRight] & ~kStyleLengthUnset, fontSize_, space_->width);
  FlowSpace space;
  space.Reset();
  int64_t width = int64_t{cell->record.width} - Larger(left, 0) - Larger(right, 0);
  space.SetColumn(0, 0, width < 1 ? 1 : static_cast<int32_t>(width), kCellSpaceHeight);
  bool atTop = true;
  uint32_t stuck = 0;
  for (;;) {
    if (walk->AtEnd()) {
      if (!ReadMore()) return false;
      continue;
    }
    if (IsMark(*walk, kMarkCellEnd)) break;
    const uint32_t before = walk->order;
    if (walk->KindAt() == kTableItem) {
      bool placed = false;
      TableFlow inner(env, &space, cache_, depth_ + 1);
      const TableFlowResult result = inner.Run(walk, &atTop, false, &placed);
      if (result == TableFlowResult::kFailed) return false;
      continue;
    }
    bool more = false;
    bool produced = false;
    if (!LayOutLine(env, &space, walk, &more, &atTop, &produced)) return false;
    space.full = 0;  // the cell's end stops its lines; nothing else does
    if (walk->order == before && !IsMark(*walk, kMarkCellEnd)) {
      // Nothing moved: whatever stops the lines here has no place in a cell.
      if (++stuck > 2) {
        env_.store->EraseAt(*walk);
        stuck = 0;
      }
    } else {
      stuck = 0;
    }
  }
  cell->record.contentHeight = IntArray::Clamp(space.UsedHeight());
  return true;
}

// Lays out the cells of row r; the walk starts at the row item and ends at
// the next row item or the table's end mark.
bool TableFlow::LayOutRow(uint32_t r, LayoutCursor* walk) {
  const TableRowItem& row = grid_.Row(r);
  uint32_t next = static_cast<uint32_t>(row.firstCell);
  const uint32_t end = next + static_cast<uint32_t>(row.cellCount);
  walk->Next();
  for (;;) {
    if (walk->AtEnd()) {
      if (!ReadMore()) return false;
      continue;
    }
    const uint32_t kind = walk->KindAt();
    if (kind == kTableRowItem || IsMark(*walk, kMarkTableEnd)) return true;
    if (kind == kTableCellItem && next < end) {
      walk->Next();
      if (!LayOutCell(&grid_.Cell(next++), walk)) return false;
      continue;  // at the cell's end mark
    }
    if (kind == kStyleRunItem) *env_.frameStyle = *StyleRunAt(*walk);
    if (kind == kParagraphFormatItem) *env_.frameFormat = *FormatAt(*walk);
    walk->Next();
  }
}

// Moves the placed cells' content into place and writes the placements
// back into the store; `end` is left after the last item of the placed
// part (after the table's end mark when every row was placed).
void TableFlow::PlaceContent(const LayoutCursor& tableCursor, uint32_t rows, int32_t x, int32_t y,
                             LayoutCursor* end) {
  LayoutCursor walk = tableCursor;
  walk.Next();
  uint32_t row = 0;
  uint32_t cell = 0;
  bool rowSeen = false;
  int32_t dx = 0;
  int32_t dy = 0;
  uint32_t depth = 0;
  for (; !walk.AtEnd(); walk.Next()) {
    const uint32_t kind = walk.KindAt();
    if (depth == 0) {
      if (kind == kTableRowItem) {
        if (rowSeen) ++row;
        rowSeen = true;
        if (row >= rows) break;
        continue;
      }
      if (IsMark(walk, kMarkTableEnd)) {
        walk.Next();
        break;
      }
      if (kind == kTableCellItem) {
        const GridCell& grid = grid_.Cell(cell++);
        const TableCellItem& placed = grid.record;
        TableCellItem* record = CellAt(walk);
        *record = placed;
        const BoxStyle& box = placed.box;
        const int32_t top = ResolveStyleLength(box.margin[kBoxTop] & ~kStyleLengthUnset, fontSize_, space_->width);
        const int32_t bottom =
            ResolveStyleLength(box.margin[kBoxBottom] & ~kStyleLengthUnset, fontSize_, space_->width);
        const int32_t left =
            ResolveStyleLength(box.margin[kBoxLeft] & ~kStyleLengthUnset, fontSize_, space_->width);
        dx = x + placed.x + left;
        int32_t offset = top;
        if (box.verticalAlignment == 2) {
          offset = placed.height - bottom - placed.contentHeight;
        } else if (box.verticalAlignment != 0) {
          offset = top + (placed.height - top - bottom - placed.contentHeight) / 2;
        }
        if (offset < top) offset = top;
        dy = y + placed.y + offset;
        continue;
      }
    }
    if (kind == kTableItem) {
      TableItem* inner = TableAt(walk);
      inner->x += dx;
      inner->y += dy;
      inner->placedX += dx;
      inner->placedY += dy;
      ++depth;
    } else if (kind == kLineItem) {
      LineRecord* line = LineAt(walk);
      line->x += dx;
      line->y += dy;
    } else if (depth > 0 && IsMark(walk, kMarkTableEnd)) {
      --depth;
    }
  }
  *end = walk;
}

TableFlowResult TableFlow::Run(LayoutCursor* cursor, bool* atTop, bool probe, bool* placed) {
  *placed = false;
  LayoutItemStore* store = env_.store;
  const LayoutCursor tableCursor = *cursor;
  if (depth_ >= kMaxNesting) {
    ConvertTableToLines(store, tableCursor);
    return TableFlowResult::kAsLines;
  }
  const TextStyle startStyle = *env_.frameStyle;
  const ParagraphFormat startFormat = *env_.frameFormat;
  fontSize_ = env_.font.SizeFor(startStyle);
  const TableItem original = *TableAt(tableCursor);
  const uint32_t key = original.reserved[0] != 0 ? static_cast<uint32_t>(original.reserved[0])
                                                  : store->PositionAt(tableCursor) + 1;
  const Read read = ReadTable(tableCursor);
  if (read == Read::kFailed) return TableFlowResult::kFailed;
  if (read == Read::kAsLines || !grid_.Close(false)) {
    ConvertTableToLines(store, tableCursor);
    *env_.frameStyle = startStyle;
    env_.font.Apply(startStyle);
    return TableFlowResult::kAsLines;
  }
  grid_.InheritStyles();

  // Columns: those of the table's earlier part when it continues one.
  IntArray widths;
  IntArray gaps;
  int32_t width = space_->width;
  if (original.reserved[0] != 0 && cache_ != nullptr && cache_->Find(key, space_->width, grid_.Columns(), &widths, &gaps)) {
    grid_.PlaceColumns(widths, gaps, &width);
  } else {
    if (!grid_.SolveColumns(&width, fontSize_, &widths, &gaps)) {
      ConvertTableToLines(store, tableCursor);
      return TableFlowResult::kAsLines;
    }
    if (cache_ != nullptr) cache_->Store(key, space_->width, widths, gaps);
  }

  // Rows, one after another, until one no longer fits; the table may be
  // cut before a row that no span from above reaches into.
  *env_.frameStyle = startStyle;
  *env_.frameFormat = startFormat;
  const int32_t available = space_->Remaining();
  IntArray starts;
  SegmentedTypedArray<TextStyle> rowStyles;
  SegmentedArray rowFormats;
  rowFormats.SetGeometry(sizeof(ParagraphFormat), 4);
  // Where each row starts. Laying a row out inserts line items into it,
  // which moves what follows, so rows are reached by walking on; a row's
  // cursor stays good once reached, since later rows lie after it.
  SegmentedArray rowCursors;
  rowCursors.SetGeometry(sizeof(LayoutCursor), 4);
  LayoutCursor walk = LayoutCursor::At(store, static_cast<uint32_t>(rowOrder_.Get(0)));
  int64_t spanEnd = 0;
  uint32_t laidOut = 0;
  const uint32_t rows = grid_.RowCount();
  bool failed = false;
  for (uint32_t r = 0; r < rows; ++r) {
    if (rowStyles.Append(*env_.frameStyle) < 0 || rowFormats.Append(env_.frameFormat) < 0 ||
        rowCursors.Append(&walk) < 0) {
      failed = true;
      break;
    }
    if (!LayOutRow(r, &walk)) return TableFlowResult::kFailed;
    laidOut = r + 1;
    const TableRowItem& row = grid_.Row(r);
    for (int32_t n = 0; n < row.cellCount; ++n) {
      const TableCellItem& cell = grid_.Cell(static_cast<uint32_t>(row.firstCell + n)).record;
      spanEnd = Larger(spanEnd, int64_t{cell.row} + cell.rowSpan);
    }
    if (spanEnd > laidOut) continue;  // no cut inside a span
    if (starts.Append(static_cast<int32_t>(laidOut)) < 0) {
      failed = true;
      break;
    }
    if (probe) break;
    IntArray heights;
    IntArray rowGaps;
    if (!grid_.ComputeRowHeights(fontSize_, available, laidOut, &heights, &rowGaps)) {
      failed = true;
      break;
    }
    if (heights.Sum() + rowGaps.Sum() > available) break;
  }
  // Where the rows not laid out begin, should the table be cut there.
  if (!failed && laidOut < rows &&
      (rowStyles.Append(*env_.frameStyle) < 0 || rowFormats.Append(env_.frameFormat) < 0 ||
       rowCursors.Append(&walk) < 0))
    failed = true;
  uint32_t count = 0;
  int32_t height = 0;
  if (failed || !grid_.SolveRows(available, fontSize_, laidOut, starts, *atTop, &count, &height)) {
    ConvertTableToLines(store, tableCursor);
    *env_.frameStyle = startStyle;
    *env_.frameFormat = startFormat;
    return TableFlowResult::kAsLines;
  }
  if (count == 0) {  // not even the first rows fit: the table starts on the next page
    *env_.frameStyle = startStyle;
    *env_.frameFormat = startFormat;
    env_.font.Apply(startStyle);
    space_->MarkFull();
    return TableFlowResult::kPlaced;
  }

  // The table on the line: narrower than the space, it follows the
  // alignment in force.
  int32_t x = space_->x;
  if (grid_.table.width < space_->width) {
    const int32_t free = space_->width - grid_.table.width;
    if (startFormat.alignment == 2) x += free;
    if (startFormat.alignment == 3) x += free / 2;
  }
  const int32_t y = space_->y + space_->UsedHeight();
  TableItem* record = TableAt(tableCursor);
  record->x = x;
  record->y = y;
  record->width = grid_.table.width;
  record->height = height;
  record->placedX = x;
  record->placedY = y;
  record->spaceWidth = space_->width;
  const int32_t shown = available < height ? available : height;
  record->shownHeight = shown < 0 ? 0 : shown;
  record->reserved[0] = static_cast<int32_t>(key);
  LayoutCursor end;
  PlaceContent(tableCursor, count, x, y, &end);
  space_->Advance(height);
  *atTop = false;
  *placed = true;

  if (count < rows) {
    // The rest goes on the next page: this page's part ends with a table
    // end, the next page starts with a copy of the table at the first row
    // that did not fit.
    LayoutCursor cut = *static_cast<LayoutCursor*>(rowCursors.At(count));
    TableItem copy = original;
    copy.reserved[0] = static_cast<int32_t>(key);
    const uint32_t position = store->PositionAt(cut);
    LayoutMark mark;
    mark.code = kMarkTableEnd;
    mark.value = 1;
    if (!store->InsertItemAt(kTableItem, cut, &copy, position, false) ||
        !store->InsertItemAt(kMarkItem, cut, &mark, position, false))
      return TableFlowResult::kFailed;
    cut.Next();
    *cursor = cut;
    *env_.frameStyle = *rowStyles.At(count);
    *env_.frameFormat = *static_cast<ParagraphFormat*>(rowFormats.At(count));
    *env_.frameStart = position;
    env_.font.Apply(*env_.frameStyle);
    space_->MarkFull();
    return TableFlowResult::kPlaced;
  }
  *cursor = end;
  *env_.frameStart = store->PositionAt(end);
  env_.font.Apply(*env_.frameStyle);
  return TableFlowResult::kPlaced;
}

}  // namespace

bool TableWidthCache::Find(uint32_t key, int32_t space, uint32_t columns, IntArray* widths, IntArray* gaps) const {
  for (const Entry& entry : entries_) {
    if (!entry.used || entry.key != key || entry.space != space || entry.widths.Count() != columns) continue;
    return widths->CopyFrom(entry.widths) && gaps->CopyFrom(entry.gaps);
  }
  return false;
}

void TableWidthCache::Store(uint32_t key, int32_t space, const IntArray& widths, const IntArray& gaps) {
  Entry* slot = &entries_[0];
  for (Entry& entry : entries_) {
    if (entry.used && entry.key == key && entry.space == space) {
      slot = &entry;
      break;
    }
    if (!entry.used || entry.stamp < slot->stamp) slot = &entry;
    if (!slot->used) break;
  }
  slot->key = key;
  slot->space = space;
  slot->stamp = ++stamp_;
  slot->used = slot->widths.CopyFrom(widths) && slot->gaps.CopyFrom(gaps);
}

void TableWidthCache::Clear() {
  for (Entry& entry : entries_) {
    entry.used = false;
    entry.widths.Clear();
    entry.gaps.Clear();
  }
}

void ConvertTableToLines(LayoutItemStore* store, const LayoutCursor& at) {
  LayoutCursor walk = at;
  uint32_t depth = 0;
  while (!walk.AtEnd()) {
    const uint32_t kind = walk.KindAt();
    if (kind == kTableItem) {
      ++depth;
      store->EraseAt(walk);
      continue;
    }
    if (kind == kTableRowItem || kind == kTableCellItem) {
      store->EraseAt(walk);
      continue;
    }
    if (kind == kMarkItem) {
      MarkRecord* mark = MarkAt(walk);
      if (mark->code == kMarkTextEnd) return;
      if (mark->code == kMarkTableEnd || mark->code == kMarkRowEnd || mark->code == kMarkCellEnd) {
        const bool tableEnd = mark->code == kMarkTableEnd;
        mark->code = kMarkLineEnd;
        mark->value = 1;
        if (tableEnd && --depth == 0) return;
      }
    }
    walk.Next();
  }
}

TableFlowResult FlowTable(LineEnvironment& env, FlowSpace* space, LayoutCursor* cursor, bool* atTop, bool probe,
                          TableWidthCache* cache, bool* placed) {
  TableFlow flow(env, space, cache, 0);
  return flow.Run(cursor, atTop, probe, placed);
}
