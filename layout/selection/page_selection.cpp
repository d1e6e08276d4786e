// PageSelection: anchor, focus and the caret moved by words and lines.
#include "layout/selection/page_selection.h"

#include "layout/selection/text_units.h"

namespace {

// The cursor's word as a selection point: from the cursor (at the word's
// start) to the first separator after it, or the page end.
SelectionPoint WordFrom(LayoutItemStore* page, const LayoutCursor& start) {
  SelectionPoint point;
  point.cursor = start;
  point.position = page->PositionAt(start);
  LayoutCursor end = start;
  StepUnit(&end, true, false);
  point.endPosition = page->PositionAt(end);
  return point;
}

}  // namespace

void PageSelection::Reset(LayoutItemStore* page) {
  page_ = page;
  Clear();
}

void PageSelection::Clear() {
  anchor_ = focus_ = caret_ = SelectionPoint{};
  if (page_ == nullptr) return;
  caret_.cursor = LayoutCursor::Begin(page_);
  caret_.position = caret_.endPosition = PositionOf(caret_.cursor);
  anchor_.cursor = focus_.cursor = caret_.cursor;
}

bool PageSelection::SelectWordAt(const LayoutCursor& item, bool anchor) {
  if (page_ == nullptr || item.store != page_ || item.AtEnd()) return false;
  LayoutCursor start = item;
  start.Next();  // so that the step back looks at the item itself first
  StepUnit(&start, false, false);
  (anchor ? anchor_ : focus_) = WordFrom(page_, start);
  return true;
}

void PageSelection::CaretForward(bool skip) {
  LayoutCursor at = caret_.cursor;
  if (skip) StepUnit(&at, true, false);
  if (!StepUnit(&at, true, true)) {
    at = LayoutCursor::Begin(page_);
    StepUnit(&at, true, true);
  }
  caret_ = WordFrom(page_, at);
}

void PageSelection::CaretBack() {
  LayoutCursor at = caret_.cursor;
  if (!StepUnit(&at, false, true)) {
    at = LayoutCursor::End(page_);
    if (!StepUnit(&at, false, true)) {
      caret_ = WordFrom(page_, LayoutCursor::Begin(page_));
      return;
    }
  }
  const uint32_t end = PositionOf(at);
  StepUnit(&at, false, false);
  caret_.cursor = at;
  caret_.position = PositionOf(at);
  caret_.endPosition = end;
}

bool PageSelection::MoveCaret(int32_t direction) {
  if (page_ == nullptr) return false;
  if (direction < kUp || direction > kRight) return false;
  if (caret_.IsEmpty()) {
    caret_.cursor = direction == kDown || direction == kRight ? LayoutCursor::Begin(page_) : LayoutCursor::End(page_);
  }
  switch (direction) {
    case kUp: {
      CaretBack();
      LayoutCursor at = caret_.cursor;
      if (!AtFirstItem(at)) {
        while (at.KindAt() != kLineItem && at.Prev() != kLayoutKindCount) {
        }
      }
      caret_.cursor = at;
      CaretForward(false);
      break;
    }
    case kDown: {
      LayoutCursor at = caret_.cursor;
      if (!at.AtEnd()) at.Next();
      while (!at.AtEnd() && at.KindAt() != kLineItem) at.Next();
      if (!at.AtEnd()) at.Next();
      caret_.cursor = at;
      CaretForward(false);
      break;
    }
    case kLeft:
      CaretBack();
      break;
    default:
      CaretForward(!AtFirstItem(caret_.cursor));
      break;
  }
  return true;
}

void PageSelection::SetSelectionEnd(bool anchor) {
  if (caret_.IsEmpty()) return;
  (anchor ? anchor_ : focus_) = caret_;
}

bool PageSelection::GetSelectionCursors(LayoutCursor* start, LayoutCursor* end) const {
  if (page_ == nullptr || HasNoSelection()) return false;
  const bool anchorFirst = !CursorBefore(focus_.cursor, anchor_.cursor);
  *start = anchorFirst ? anchor_.cursor : focus_.cursor;
  *end = anchorFirst ? focus_.cursor : anchor_.cursor;
  StepUnit(end, true, false);
  return true;
}

void PageSelection::GetSelectionRange(uint32_t* start, uint32_t* end) const {
  LayoutCursor from, to;
  if (!GetSelectionCursors(&from, &to)) {
    *start = *end = 0;
    return;
  }
  *start = PositionOf(from);
  *end = PositionOf(to);
}

bool PageSelection::GetSelectedText(bool whole, SharedWideString* out, uint16_t* language) const {
  out->Clear();
  *language = 0;
  LayoutCursor from, to;
  if (!GetSelectionCursors(&from, &to)) return true;
  if (!whole) {
    LayoutCursor limit = from;
    AdvanceWords(&limit, kCopyWordLimit);
    if (CursorBefore(limit, to)) to = limit;
  }
  return ExtractText(from, to, out, language);
}

bool PageSelection::GetSelectionTextByUnit(uint32_t units, SharedWideString* out) const {
  out->Clear();
  LayoutCursor from, to;
  if (units == 0 || !GetSelectionCursors(&from, &to)) return false;
  AdvanceWords(&to, units - 1);
  uint16_t language = 0;
  return ExtractText(from, to, out, &language);
}
