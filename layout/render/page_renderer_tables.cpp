// PageRenderer: tables, their cells and what stands in them.
#include "layout/drawing/drawing_surface.h"
#include "layout/pages/layout_context.h"
#include "layout/render/page_renderer.h"

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

bool PageRenderer::PaintTable(LayoutCursor* at, Color background) {
  DrawingSurface* surface = Surface();
  const TableItem table = *static_cast<const TableItem*>(at->store->fixed[kTableItem].At(at->index[kTableItem]));
  // A table wider than its space or taller than what the page shows of it
  // is drawn in its box, cut there (it is not scrolled here).
  const bool clipped = table.width > table.spaceWidth || table.height > table.shownHeight;
  if (clipped) {
    const int32_t width = table.width < table.spaceWidth ? table.width : table.spaceWidth;
    surface->SaveState();
    surface->ClipToRect(Rect{table.placedX, table.placedY, width, table.shownHeight});
    state_.clipActive = true;
  }
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
  surface->SetFillColor(Color{});
  if (clipped) {
    surface->RestoreState();
    state_.clipActive = false;
  }
  return ok;
}
