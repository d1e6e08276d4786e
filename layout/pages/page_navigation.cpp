// Navigation: to a page number, by steps of lines and pages, to a text
// position; and the laid-out current page.
#include "layout/pages/layout_context.h"
#include "storage/documents/document.h"

template <class Step>
bool LayoutContext::Navigate(Step step) {
  const uint32_t before = currentKey_;
  SetPageState(before, 2);
  if (step()) {
    sink_->PageChanged();
    return true;
  }
  currentKey_ = before;
  SetPageState(before, 1);
  return false;
}

bool LayoutContext::GoToPage(uint32_t n) {
  return Navigate([&] { return GoToPageNow(n); });
}
bool LayoutContext::StepPage(uint32_t position, int32_t step) {
  return Navigate([&] { return StepPageNow(position, step); });
}
bool LayoutContext::StartPageAt(uint32_t position) {
  return Navigate([&] { return StartPageAtNow(position); });
}
bool LayoutContext::GoToPosition(uint32_t position) {
  return Navigate([&] { return GoToPositionNow(position); });
}
bool LayoutContext::ScrollToLine(int32_t offset, int32_t step) {
  return Navigate([&] { return ScrollToLineNow(offset, step); });
}

bool LayoutContext::ScrollToLineNow(int32_t offset, int32_t step) {
  if (!CanStep(kStepPage)) return false;
  for (int32_t i = 0; i < step; ++i)
    if (!StepPageNow(currentKey_, kStepPage)) return false;
  for (int32_t i = 0; i > step; --i)
    if (!StepPageNow(currentKey_, kStepPageBack)) return false;
  LaidOutPage* page = GetCurrentPage();
  if (page == nullptr) return false;
  const uint32_t pageStart = currentKey_;
  uint32_t lineStart = kNoPosition;
  for (LayoutCursor at = LayoutCursor::Begin(&page->store); !at.AtEnd(); at.Next()) {
    if (at.KindAt() != kLineItem) continue;
    if (int64_t{LineAt(at)->y} - pageRect_.y >= offset) {
      lineStart = page->store.PositionAt(at);
      break;
    }
  }
  if (lineStart == kNoPosition || lineStart <= pageStart) return StepPageNow(currentKey_, kStepPage);
  // Every page stepped past is built, so that the next step knows where
  // the one after it starts.
  while (currentKey_ < lineStart) {
    const uint32_t before = currentKey_;
    if (!StepPageNow(currentKey_, kStepPage) || currentKey_ <= before || GetCurrentPage() == nullptr) return false;
  }
  return true;
}

bool LayoutContext::MakeCurrent(PageFrame* frame) {
  if (frame == nullptr) return false;
  currentKey_ = frame->start;
  return true;
}

LaidOutPage* LayoutContext::GetCurrentPage() {
  LaidOutPage* page = FindPageBuffer(currentKey_);
  if (page != nullptr && page->HoldsContent()) return page;
  if (!BuildPageAt(currentKey_, false)) return nullptr;
  return FindPageBuffer(currentKey_);
}

bool LayoutContext::GoToPageNow(uint32_t n) {
  if (!firstKnown_ && !FindFirstPage()) return false;
  if (n <= 1) return MakeCurrent(&first_);
  const uint32_t length = GetDocumentLength();
  const uint32_t estimate = EstimatePagePosition(n);
  const bool pastEnd = length != kNoPosition && estimate >= length;
  if (n < static_cast<uint32_t>(lastPage_.number) && !pastEnd) {
    PageFrame frame;
    LayoutPosition key{static_cast<int32_t>(n), estimate};
    if (!LayOutPageAt(&key, &frame, true)) return false;
    frame.number = static_cast<int32_t>(n);
    const uint32_t start = frame.start;
    if (start <= first_.start) return MakeCurrent(&first_);
    if (!AddFrame(frame)) return false;
    return MakeCurrent(FindFrame(start, 0));
  }
  if (lastPage_.number == -1) {
    // The count is not known: the last page is found searching back from
    // the end of the document.
    PageFrame target;
    target.start = length == kNoPosition ? estimate : length;
    target.number = EstimatePageNumber(target.start);
    PageFrame* found = nullptr;
    if (!FindPreviousPage(target, &found)) return false;
    return MakeCurrent(found);
  }
  LayoutPosition last = lastPage_;
  if (!EnsureFrame(&last, false)) return false;
  return MakeCurrent(FindFrame(last.start, 0));
}

bool LayoutContext::CanStep(int32_t step) {
  if (step < -3 || step == 0 || step > 3) return true;
  PageFrame* current = CurrentFrame();
  if (current == nullptr) return false;
  const uint32_t start = current->start;
  if (step < 0) {
    if (firstKnown_ && start <= first_.start) return false;
    uint32_t target = GetPagePosition(step);
    if (target == kNoPosition) {
      if (start == 0) return false;
      target = start - 1;
    }
    return SameUnit(target, start);
  }
  const uint32_t next = GetPagePosition(2);
  if (next == kNoPosition) return true;
  const uint32_t length = GetDocumentLength();
  return (length == kNoPosition || next < length) && SameUnit(start, next);
}

bool LayoutContext::StepPageNow(uint32_t position, int32_t step) {
  if (!CanStep(step)) return false;
  PageFrame* current = CurrentFrame();
  if (current != nullptr) current->linkIndex = -1;
  if (PageFrame* known = FindFrame(position, step)) {
    known->linkIndex = -1;
    return MakeCurrent(known);
  }
  switch (step) {
    case kStepLine:
      if (!BuildPageAt(position, true)) return false;
      return MakeCurrent(FindFrame(position, kStepLine));
    case kStepLine3:
      for (int i = 0; i < 3; ++i) {
        if (!StepPageNow(position, kStepLine)) return i > 0;
        position = currentKey_;
      }
      return true;
    case kStepPage: {
      PageFrame* frame = FindFrame(position, 0);
      if (frame == nullptr) return true;  // a page not known: nothing moves
      LaidOutPage* page = PickPageBuffer();
      page->frame = frame;
      PageFrame next;
      bool more = false;
      const bool built = BuildPage(page, &next, &more, false);
      ParkStream();
      if (!built) {
        ReleasePageBuffer(page);
        return false;  // a page that cannot be built is no step done
      }
      if (!more || next.start <= frame->start) {
        lastPage_ = LayoutPosition{frame->number, frame->start};
        return false;
      }
      const uint32_t start = next.start;
      if (!AddFrame(next)) return false;
      return MakeCurrent(FindFrame(start, 0));
    }
    case kStepLineBack:
    case kStepLineBack3: {
      PageFrame* frame = FindFrame(position, 0);
      if (frame == nullptr) return false;
      PageFrame* previous = nullptr;
      bool crossed = false;
      const int32_t count = step == kStepLineBack ? 1 : 3;
      for (int32_t i = 0; i < count; ++i) {
        if (!FindPreviousLine(*frame, &previous, &crossed)) break;
        if (crossed) return false;
        frame = previous;
      }
      if (previous != nullptr) return MakeCurrent(previous);
      [[fallthrough]];
    }
    case kStepPageBack: {
      PageFrame* frame = FindFrame(position, 0);
      if (frame == nullptr) return false;
      PageFrame target;
      target.start = frame->start;
      target.number = frame->number;
      PageFrame* found = nullptr;
      if (!FindPreviousPage(target, &found)) return false;
      return MakeCurrent(found);
    }
    default:
      return false;
  }
}

bool LayoutContext::StartPageAtNow(uint32_t position) {
  const uint32_t length = GetDocumentLength();
  if (length != kNoPosition && position >= length) return false;
  LayoutPosition key{-1, position};
  if (!EnsureFrame(&key, false)) return false;
  for (LaidOutPage& page : pages_)
    if (page.frame != nullptr && page.frame->start != key.start) ReleasePageBuffer(&page);
  return MakeCurrent(FindFrame(key.start, 0));
}

bool LayoutContext::GoToPositionNow(uint32_t position) {
  const uint32_t length = GetDocumentLength();
  if (length != kNoPosition && position >= length) return false;
  if (!firstKnown_ && !FindFirstPage()) return false;
  if (position < first_.start || (first_.end != kNoPosition && position < first_.end)) return MakeCurrent(&first_);
  LayoutPosition key{-1, position};
  for (uint32_t i = 0; i < cacheCount_; ++i) {
    const PageFrame* f = cache_[i];
    if (f->start <= position && f->end != kNoPosition && position < f->end) key.number = f->number;
  }
  if (!EnsureFrame(&key, true)) return false;
  for (LaidOutPage& page : pages_)
    if (page.frame != nullptr && page.frame->start != key.start) ReleasePageBuffer(&page);
  return MakeCurrent(FindFrame(key.start, 0));
}
