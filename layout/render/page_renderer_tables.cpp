// PageRenderer: tables, their cells and what stands in them.
#include "layout/drawing/drawing_surface.h"
#include "layout/pages/layout_context.h"
#include "layout/render/page_renderer.h"
#include "layout/widetables/wide_tables.h"

void PageRenderer::PaintCell(const TableItem& table, const TableCellItem& cell, Color rowBackground,
                             Color background) {
  DrawingSurface* surface = Surface();
  const Rect box{table.x + cell.x, table.y + cell.y, cell.width, cell.height};
  if (box.width <= 0 || box.height <= 0) return;
  Color fill = cell.box.background.IsNone() ? rowBackground : cell.box.background;
  if (fill.IsNone()) fill = background;
  if (!(fill == background)) {
    surface->SetFillColor(fill);
    surface->SetPenColor(fill);
    surface->DrawRect(box, true);
  }
  // The borders lie in the gaps around the cell.
  surface->SetFillColor(Color{});
  const uint32_t sides[] = {kBoxTop, kBoxLeft, kBoxBottom, kBoxRight};
  for (uint32_t side : sides) {
    const int32_t width = static_cast<int32_t>(BoxStyle::BorderWidth(cell.box.border[side]));
    if (width <= 0) continue;
    const Color color = cell.box.borderColor[side].IsNone() ? textColor_ : cell.box.borderColor[side];
    surface->SetPenColor(color);
    surface->SetFillColor(color);
    Rect edge;
    switch (side) {
      case kBoxTop:
        edge = Rect{box.x - width, box.y - width, box.width + 2 * width, width};
        break;
      case kBoxBottom:
        edge = Rect{box.x - width, box.y + box.height, box.width + 2 * width, width};
        break;
      case kBoxLeft:
        edge = Rect{box.x - width, box.y, width, box.height};
        break;
      default:
        edge = Rect{box.x + box.width, box.y, width, box.height};
        break;
    }
    surface->DrawRect(edge, true);
  }
}

Rect PageRenderer::TableBox(const TableItem& table) {
  return Rect{table.placedX, table.placedY, table.width < table.spaceWidth ? table.width : table.spaceWidth,
              table.shownHeight};
}

bool PageRenderer::ScrolledTable(const LayoutCursor& at, Rect* viewport, Point* shift) {
  const TableItem& table = *static_cast<const TableItem*>(at.store->fixed[kTableItem].At(at.index[kTableItem]));
  const Rect box = TableBox(table);
  if (table.width <= table.spaceWidth || tableDepth_ != 0 || scrollStates_ == nullptr) return false;
  WideTables& tables = context_->Tables();
  tables.Bind(scrollStates_);
  // What the page shows of a table taller than the page continues on the
  // next page: only the width scrolls.
  const uint32_t position = at.store->PositionAt(at);
  if (tables.NoteTable(position, box, table.width, box.height, table.box.background) == nullptr) return false;
  return tables.GetTableOffset(box, position, viewport, shift);
}

bool PageRenderer::PaintTable(LayoutCursor* at, Color background) {
  DrawingSurface* surface = Surface();
  const TableItem table = *static_cast<const TableItem*>(at->store->fixed[kTableItem].At(at->index[kTableItem]));
  // A wide table with its scroll state is drawn moved by its offsets
  // inside its viewport, its marks beside it. Any other table wider than
  // its space or taller than what the page shows of it is drawn in its
  // box, cut there.
  Rect viewport;
  Point shift;
  const bool scrolled = ScrolledTable(*at, &viewport, &shift);
  const bool clipped = scrolled || table.width > table.spaceWidth || table.height > table.shownHeight;
  if (scrolled) {
    WideTables& tables = context_->Tables();
    tables.Bind(scrollStates_);
    const TableScrollState* state = tables.Find(at->store->PositionAt(*at));
    if (state != nullptr) tables.PaintTableScrollMarks(surface, TableBox(table), viewport, *state, nullptr);
    surface->SaveState();
    surface->ClipToRect(viewport);
    const Point origin = surface->Origin();
    surface->SetOrigin(Point{origin.x + shift.x, origin.y + shift.y});
    state_.clipActive = true;
  } else if (clipped) {
    surface->SaveState();
    surface->ClipToRect(TableBox(table));
    state_.clipActive = true;
  }
  ++tableDepth_;
  // The table's own background under everything.
  Color tableBackground = background;
  if (!table.box.background.IsNone()) {
    tableBackground = table.box.background;
    const int32_t width = table.width < table.spaceWidth || !clipped ? table.width : table.spaceWidth;
    const int32_t height = table.height < table.shownHeight ? table.height : table.shownHeight;
    surface->SetFillColor(tableBackground);
    surface->SetPenColor(tableBackground);
    surface->DrawRect(Rect{table.x, table.y, width, height}, true);
  }
  Color rowBackground;
  at->Next();
  bool ok = true;
  while (!at->AtEnd()) {
    const uint32_t kind = at->KindAt();
    if (kind == kMarkItem && (MarkAt(*at)->code == kMarkTableEnd || MarkAt(*at)->code == kMarkTextEnd)) {
      at->Next();
      break;
    }
    if (kind == kLineItem) {
      PaintLine(at, tableBackground);
    } else if (kind == kTableItem) {
      if (!PaintTable(at, tableBackground)) ok = false;
    } else if (kind == kTableRowItem) {
      rowBackground = static_cast<const TableRowItem*>(at->store->fixed[kTableRowItem].At(
                                                            at->index[kTableRowItem]))
                          ->box.background;
      at->Next();
    } else if (kind == kTableCellItem) {
      PaintCell(table, *static_cast<const TableCellItem*>(at->store->fixed[kTableCellItem].At(
                           at->index[kTableCellItem])),
                rowBackground, tableBackground);
      at->Next();
    } else if (kind == kStyleRunItem) {
      runStyle_ = *StyleRunAt(*at);
      ApplyFont(runStyle_);
      ApplyTextColor(runStyle_.textColor);
      at->Next();
    } else {
      at->Next();
    }
  }
  --tableDepth_;
  surface->SetFillColor(Color{});
  if (clipped) {
    surface->RestoreState();
    state_.clipActive = false;
  }
  return ok;
}
