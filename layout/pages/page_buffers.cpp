// The two page buffers: their states as pages are shown and hidden, and
// what is kept of them and of the frame cache when memory or the page
// size changes.
#include "layout/pages/layout_context.h"

int32_t LayoutContext::SetPageState(uint32_t position, uint8_t state) {
  LaidOutPage* page = FindPageBuffer(position);
  if (page == nullptr) return -1;
  // A page shown after its paint has its link areas at once.
  if (state == 1 && page->painted) BuildPageLinkAreas(page);
  const uint8_t old = page->state;
  if (old == state) return old;
  if (state == 2) sink_->PageHiding();
  page->state = state;
  if (state == 1 && (old == 0 || old == 2)) sink_->PageShown(old != 0);
  return old;
}

void LayoutContext::DropOtherPageBuffers(uint32_t key) {
  for (LaidOutPage& page : pages_)
    if (page.HoldsContent() && (page.frame == nullptr || page.frame->start != key)) ReleasePageBuffer(&page);
}

void LayoutContext::KeepOnlyFrame(uint32_t key, int32_t* currentReset) {
  for (LaidOutPage& page : pages_)
    if (page.HoldsContent()) ReleasePageBuffer(&page);
  bool keyCached = false;
  for (uint32_t i = 0; i < cacheCount_; ++i)
    if (cache_[i]->start == key) keyCached = true;
  *currentReset = 0;
  uint32_t kept = 0;
  for (uint32_t i = 0; i < cacheCount_; ++i) {
    PageFrame* f = cache_[i];
    const bool keep = f->start == key || (!keyCached && f->start == currentKey_);
    if (keep) {
      cache_[kept++] = f;
      continue;
    }
    if (f->start == currentKey_) *currentReset = 1;
    delete f;
  }
  cacheCount_ = kept;
}

void LayoutContext::FitPageHeight(const Size& size, Size* out) {
  LaidOutPage* shown = FindPageBuffer(currentKey_);
  if (size.width == pageRect_.width && size.height >= pageRect_.height && shown != nullptr &&
      shown->HoldsContent()) {
    *out = Size{pageRect_.width, marginTop_ + shown->contentHeight + marginBottom_};
    return;
  }
  pageRect_.width = size.width;
  pageRect_.height = size.height;
  Relayout();
  LaidOutPage* page = GetCurrentPage();
  if (page == nullptr) {
    *out = Size{};
    return;
  }
  pageRect_.height = marginTop_ + page->contentHeight + marginBottom_;
  *out = Size{pageRect_.width, pageRect_.height};
}

bool LayoutContext::AdvanceToPosition(uint32_t start, uint32_t end) {
  if (GetCurrentPage() == nullptr) return false;
  PageFrame* current = CurrentFrame();
  if (current == nullptr || current->end == kNoPosition || current->end >= end) return true;
  for (uint32_t guard = 0; guard < 0x100000; ++guard) {
    current = CurrentFrame();
    if (current == nullptr || current->end == kNoPosition) return false;
    if (!(current->start < start && current->end <= start)) return true;
    if (!StepPage(current->start, kStepPage)) return false;
    if (GetCurrentPage() == nullptr) return false;
  }
  return false;
}
