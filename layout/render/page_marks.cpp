// PageRenderer: note rectangles and the folded corner of a bookmark.
#include "layout/drawing/drawing_surface.h"
#include "layout/pages/layout_context.h"
#include "layout/render/page_renderer.h"
#include "storage/side_file/book_parameter_file.h"

namespace {
constexpr uint32_t kNoMark = 0xFFFFFFFFu;
constexpr uint32_t kPlainBookmarkBit = 0x1;
}  // namespace

void PageRenderer::GetMarkRect(Rect* out) const {
  const Rect& page = context_->PageRect();
  const int32_t size = MarkSize();
  *out = Rect{page.x + page.width - MarkInset() - size, page.y + MarkInset(), size, size};
}

void PageRenderer::GetNoteBarRect(uint8_t style, Point point, const Rect& lineContent, bool narrow,
                                  Rect* out) const {
  if (!(style & 0x20)) {
    *out = Rect{point.x, point.y, MarkSize(), MarkSize()};
    return;
  }
  // The gap left of the column that holds the point.
  Rect column;
  if (context_->FindColumn(point, &column) < 0) context_->GetContentRect(&column);
  const int32_t gap = column.x - context_->PageRect().x;
  int32_t width = narrow ? BarWidth() : 3 * BarWidth();
  if (width > gap) width = gap;
  if (width < 1) width = 1;
  *out = Rect{column.x - (gap + width + 1) / 2, lineContent.y, width, lineContent.height};
}

void PageRenderer::NoteItem(AnnotationPainter& painter, Point point, const Rect& lineContent) {
  const uint8_t style = painter.NoteStyleByte();
  const bool started = painter.TakeNoteStart();
  if (!(style & 0x20) && !started) return;  // a square marks where the note begins
  NoteRect note;
  note.mark = painter.NoteMark();
  note.style = style;
  GetNoteBarRect(style, point, lineContent, false, &note.rect);
  NoteRect& pending = state_.pending;
  if (pending.mark == note.mark && pending.style == note.style && pending.rect.x == note.rect.x &&
      pending.rect.width == note.rect.width) {
    pending.rect.Union(note.rect);
    return;
  }
  if (pending.mark != kNoMark) DrawNoteRect(pending);
  pending = note;
}

void PageRenderer::DrawNoteRect(const NoteRect& note) {
  DrawingSurface* surface = Surface();
  const Color color = AnnotationPaletteColor(note.style & 0x0F);
  surface->SetPenColor(color);
  if (note.style & 0x20) {
    surface->SetFillColor(color);
    surface->DrawRect(note.rect, true);
  } else {
    surface->SetFillColor(Color{});
    surface->DrawRect(note.rect, false);
  }
  surface->SetFillColor(Color{});
}

void PageRenderer::PaintNoteMark(LaidOutPage* page) {
  state_.bookmark = kNoMark;
  if (annotations_ == nullptr || page->frame == nullptr) return;
  uint32_t first = page->frame->start;
  uint32_t end = page->frame->end != kNoPosition ? page->frame->end : page->store.endPosition;
  uint32_t storeFirst = first;
  uint32_t storeEnd = end;
  if (page->store.GetPositionRange(&storeFirst, &storeEnd) && storeFirst < first) first = storeFirst;
  MarkIterator iterator;
  for (uint32_t mark = annotations_->FirstBookmark(first, end, &iterator); mark != kNoMark;
       mark = annotations_->NextBookmark(&iterator)) {
    if (!(annotations_->GetBookmarkKind(mark) & kPlainBookmarkBit)) continue;
    state_.bookmark = mark;
    break;
  }
  if (state_.bookmark == kNoMark) return;
  DrawingSurface* surface = Surface();
  Rect box;
  GetMarkRect(&box);
  // The folded corner: the upper-right triangle filled row by row, then the
  // left edge, the bottom edge and the fold in black.
  surface->SetPenColor(CornerColor());
  for (int32_t row = 0; row < box.height; ++row) {
    const int32_t from = box.x + row;
    surface->DrawLine(Point{from, box.y + row}, Point{box.x + box.width, box.y + row});
  }
  surface->SetPenColor(Color::FromRgb(0, 0, 0));
  surface->DrawLine(Point{box.x, box.y}, Point{box.x, box.y + box.height});
  surface->DrawLine(Point{box.x, box.y + box.height - 1}, Point{box.x + box.width, box.y + box.height - 1});
  surface->DrawLine(Point{box.x, box.y}, Point{box.x + box.width, box.y + box.height});
}
