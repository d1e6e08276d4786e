// PageRenderer: pages, the top-level walk, objects, background and fonts.
#include "layout/render/page_renderer.h"

#include "layout/drawing/drawing_surface.h"
#include "layout/pages/layout_context.h"
#include "storage/side_file/book_parameter_file.h"

namespace {

bool IsTableEnd(const LayoutCursor& at) {
  return at.KindAt() == kMarkItem && (MarkAt(at)->code == kMarkTableEnd || MarkAt(at)->code == kMarkTextEnd);
}

const TableItem* TableRecordAt(const LayoutCursor& at) {
  return static_cast<const TableItem*>(at.store->fixed[kTableItem].At(at.index[kTableItem]));
}

}  // namespace

DrawingSurface* PageRenderer::Surface() const { return context_->Font().surface; }

PageRenderer::PageState* PageRenderer::StateFor(const LaidOutPage* page) {
  const uint32_t start = page->frame != nullptr ? page->frame->start : kNoPosition;
  if (state_.page != page || state_.start != start) {
    state_.page = page;
    state_.start = start;
    state_.painted = false;
    state_.objectsOrder = 0;
    state_.objectsDone = false;
    state_.hasPainter = false;
    state_.bookmark = 0xFFFFFFFFu;
  }
  return &state_;
}

void PageRenderer::Invalidate() { state_ = PageState{}; }

bool PageRenderer::PaintPage(uint32_t flags, uint32_t position) {
  DrawingSurface* surface = Surface();
  if (surface == nullptr) return false;
  if (position == kNoPosition) position = context_->GetCurrentPosition();
  LaidOutPage* page = context_->FindPageBuffer(position);
  surface->BeginDraw(false);
  if (page == nullptr || page->frame == nullptr) {
    FillPageBackground(nullptr, flags);
    surface->EndDraw();
    return false;
  }
  PageState* state = StateFor(page);
  state->pending = NoteRect{};
  state->clipActive = false;
  const PageFrame& frame = *page->frame;
  runStyle_ = frame.style;
  afterLineMark_ = false;
  ApplyFont(frame.style);
  ApplyTextColor(frame.style.textColor);
  const Color section{frame.section[PageFrame::kSectionColorWord]};
  state->background = section.IsNone() ? background_ : section;
  FillPageBackground(page, state->painted ? flags : 0);
  uint32_t first = frame.start;
  uint32_t end = frame.end != kNoPosition ? frame.end : page->store.endPosition;
  page->store.GetPositionRange(&first, &end);
  if (first > frame.start) first = frame.start;
  state->hasPainter = annotations_ != nullptr;
  if (state->hasPainter)
    state->painter.Reset(annotations_, highlightColor_, AnnotationPainter::kDefaultNoteStyle, textColor_, first,
                         end);
  state->objectsOrder = 0;
  state->objectsDone = false;
  scrollStates_ = &page->frame->tableScrolls;
  tableDepth_ = 0;
  const bool ok = PaintItems(page, state->background);
  if (state->pending.mark != 0xFFFFFFFFu) DrawNoteRect(state->pending);
  state->pending = NoteRect{};
  PaintNoteMark(page);
  state->painted = true;
  page->painted = true;
  surface->SetFillColor(Color{});
  context_->PaintFocusAndSelection(page);
  surface->EndDraw();
  return ok;
}

bool PageRenderer::PaintCurrentPage(uint32_t flags) {
  const uint32_t position = context_->GetCurrentPosition();
  if (position == kNoPosition) return PaintPage(flags, position);
  if (!context_->BuildPageAt(position, false)) {
    int32_t reset = 0;
    context_->KeepOnlyFrame(position, &reset);
    if (!context_->BuildPageAt(context_->GetCurrentPosition(), false)) return PaintPage(flags, kNoPosition);
  }
  const bool ok = PaintPage(flags, kNoPosition);
  if (ok) context_->SetPageState(context_->GetCurrentPosition(), 1);
  return ok;
}

bool PageRenderer::NeedsRepaint(bool obscured) {
  if (obscured) return false;
  LaidOutPage* page = context_->FindPageBuffer(context_->GetCurrentPosition());
  return page != nullptr && state_.page == page && state_.start == context_->GetCurrentPosition() &&
         state_.painted && !state_.objectsDone;
}

void PageRenderer::RepaintObjects() {
  if (!NeedsRepaint(false)) return;
  LaidOutPage* page = context_->FindPageBuffer(context_->GetCurrentPosition());
  DrawingSurface* surface = Surface();
  surface->BeginDraw(false);
  PaintObjects(page, true);
  surface->EndDraw();
}

bool PageRenderer::PaintItems(LaidOutPage* page, Color background) {
  LayoutCursor at = LayoutCursor::Begin(&page->store);
  while (!at.AtEnd()) {
    switch (at.KindAt()) {
      case kLineItem:
        PaintLine(&at, background);
        break;
      case kTableItem:
        if (!PaintTable(&at, background)) return false;
        break;
      case kStyleRunItem:
        runStyle_ = *StyleRunAt(at);
        ApplyFont(*StyleRunAt(at));
        ApplyTextColor(StyleRunAt(at)->textColor);
        at.Next();
        break;
      case kParagraphFormatItem:
      case kSectionColorItem:
      case kMarkItem:
        at.Next();
        break;
      default:  // text or an object outside any line: the page is not sound
        return false;
    }
  }
  Surface()->OnChildrenRedrawn();
  return PaintObjects(page, false);
}

bool PageRenderer::PaintObjects(LaidOutPage* page, bool resume) {
  PageState* state = StateFor(page);
  DrawingSurface* surface = Surface();
  const uint32_t from = resume ? state->objectsOrder : 0;
  if (from > page->store.Count()) return false;
  uint32_t depth = 0;
  bool clipped = false;
  Point shift;  // of the content of a scrolled table
  scrollStates_ = page->frame != nullptr ? &page->frame->tableScrolls : nullptr;
  tableDepth_ = 0;
  // A resumed pass that starts inside a table takes up its clip and shift.
  if (from != 0) {
    Rect viewport;
    bool scrolled = false;
    for (LayoutCursor at = LayoutCursor::Begin(&page->store); !at.AtEnd() && at.order < from; at.Next()) {
      if (at.KindAt() == kTableItem && depth++ == 0) {
        scrolled = ScrolledTable(at, &viewport, &shift);
        if (!scrolled) {
          shift = Point{};
          viewport = TableBox(*TableRecordAt(at));
        }
      } else if (IsTableEnd(at) && depth > 0) {
        --depth;
      }
    }
    if (depth > 0) {
      surface->ClipToRect(viewport);
      clipped = true;
    } else {
      shift = Point{};
    }
  }
  for (LayoutCursor at = LayoutCursor::At(&page->store, from); !at.AtEnd(); at.Next()) {
    const uint32_t kind = at.KindAt();
    if (kind == kTableItem) {
      const TableItem& table = *TableRecordAt(at);
      if (depth++ == 0) {
        Rect viewport;
        if (ScrolledTable(at, &viewport, &shift)) {
          surface->ClipToRect(viewport);
          clipped = true;
        } else if (table.width > table.spaceWidth || table.height > table.shownHeight) {
          shift = Point{};
          surface->ClipToRect(TableBox(table));
          clipped = true;
        }
      }
      continue;
    }
    if (IsTableEnd(at) && depth > 0) {
      if (--depth == 0) {
        shift = Point{};
        if (clipped) surface->ClearClip();
        clipped = false;
      }
      continue;
    }
    if (kind != kObjectItem) continue;
    LayoutObject& object = *ObjectAt(at);
    Rect box{object.words[kObjectPlacedX], object.words[kObjectPlacedY], object.words[kObjectPlacedWidth],
             object.words[kObjectPlacedHeight]};
    if (object.object.Get() == nullptr || box.width <= 0 || box.height <= 0) continue;
    if (depth > 0 && object.words[kObjectAlignment] != 1) {  // not floating
      box.x += shift.x;
      box.y += shift.y;
    }
    const Color under{static_cast<uint32_t>(object.moreWords[kObjectBackgroundWord])};
    surface->SetFillColor(under.IsNone() ? state->background : under);
    object.object->SetBox(box, static_cast<uint8_t>(object.words[kObjectAlignment]));
    if (!object.object->Draw(surface, box, nullptr)) {
      // Not ready: the pass resumes here from the idle path.
      state->objectsOrder = at.order;
      if (clipped) surface->ClearClip();
      return false;
    }
  }
  if (clipped) surface->ClearClip();
  state->objectsDone = true;
  return true;
}

void PageRenderer::FillPageBackground(const LaidOutPage* page, uint32_t /*flags*/) {
  DrawingSurface* surface = Surface();
  if (surface == nullptr) return;
  const Color color = page != nullptr && state_.page == page ? state_.background : background_;
  surface->SetFillColor(color);
  surface->SetPenColor(color);
  surface->DrawRect(context_->PageRect(), true);
}

void PageRenderer::ApplyFont(const TextStyle& style) { context_->Font().Apply(style); }

void PageRenderer::ApplyTextColor(Color color) {
  if (Surface() != nullptr) Surface()->SetTextColor(color.IsNone() ? textColor_ : color);
}

bool PageRenderer::HasFontSize(const TextStyle& style) const {
  return static_cast<int8_t>(context_->BaseFontSize() + style.sizeStep) != 0;
}
