// LayoutContext: set-up, geometry, estimates, the frame cache and memory.
#include "layout/pages/layout_context.h"

#include <new>

#include "layout/drawing/drawing_surface.h"
#include "layout/markup/keyword_ids.h"
#include "layout/objects/icon_image.h"
#include "layout/styles/style_length.h"
#include "storage/documents/document.h"
#include "layout/pages/offline_form_log.h"
#include "storage/side_file/book_parameter_file.h"

namespace {

// The program's icon resources of the table mark, the left and the right
// scroll mark.
constexpr uint32_t kScrollMarkIcons[LayoutContext::kScrollMarkCount] = {221, 222, 223};

int32_t ClampFontSize(int32_t size) {
  if (size < 1) return 1;
  return size > 127 ? 127 : size;
}

}  // namespace

LayoutContext::LayoutContext() = default;

LayoutContext::~LayoutContext() {
  if (alive_ != nullptr) *alive_ = false;
  pages_[0].Reset();
  pages_[1].Reset();
  for (uint32_t i = 0; i < cacheCount_; ++i) delete cache_[i];
  cacheCount_ = 0;
  ForgetReplayMarks();
  for (InlineObject*& picture : scrollMarks_) {
    if (picture != nullptr) picture->Release();
    picture = nullptr;
  }
}

WideTables& LayoutContext::Tables() {
  PageFrame* frame = CurrentFrameNoStamp();
  tables_.Bind(frame != nullptr ? &frame->tableScrolls : nullptr);
  tables_.SetPageGeometry(marginLeft_, marginRight_, columnCount_);
  return tables_;
}

bool LayoutContext::HasScrollMarkPictures() const {
  for (const InlineObject* picture : scrollMarks_)
    if (picture == nullptr) return false;
  return true;
}

void LayoutContext::AttachParser(ElementStream* stream, Document* document, LayoutItemBuilder* builder) {
  stream_ = stream;
  document_ = document;
  builder_ = builder;
  firstKnown_ = false;
  first_.Reset();
  ForgetReplayMarks();
  stamp_ = 0;
}

void LayoutContext::Detach() {
  ReleasePageBuffer(&pages_[0]);
  ReleasePageBuffer(&pages_[1]);
  stream_ = nullptr;
  document_ = nullptr;
  builder_ = nullptr;
  annotations_ = nullptr;
  first_.Reset();
  firstKnown_ = false;
  ForgetReplayMarks();
  for (uint32_t i = 0; i < cacheCount_; ++i) delete cache_[i];
  cacheCount_ = 0;
}

void LayoutContext::SetBaseStyle(const BaseStyleRecord& record) {
  font_.baseSize = ClampFontSize(record.fontSize);
  font_.defaultFont = record.font;
  if (record.fontSelector != nullptr) {
    uint32_t length = 0;
    const uint8_t* encoding = document_ != nullptr ? document_->GetExtraHeaderData(&length) : nullptr;
    if (encoding == nullptr) length = 0;
    font_.defaultFont = record.fontSelector->SelectBaseFont(record.font, encoding, length);
  }
  baseTextColor_ = record.text.textColor;
  baseBackground_ = record.text.background;
  defaultAlignment_ = record.alignment;
  // The size, font and colours are the context's from now on: left in the
  // style, they would count as the document's own choices.
  baseStyle_ = record.text;
  baseStyle_.sizeStep = 0;
  baseStyle_.face = 0;
  baseStyle_.textColor.SetNone();
  baseStyle_.background.SetNone();
  if (document_ != nullptr) baseStyle_.language = static_cast<uint16_t>(document_->GetLanguage());
  Invalidate(2);
}

void LayoutContext::SetBaseStyle(int32_t fontSize, uint8_t fontId, const TextStyle& style) {
  BaseStyleRecord record;
  record.fontSize = fontSize;
  record.font = fontId;
  record.text = style;
  SetBaseStyle(record);
}

void LayoutContext::SetFormStore(OfflineFormLog* log) {
  formLog_ = log;
  if (log != nullptr && collectLogHosts_) log->DeleteAll();
}

void LayoutContext::AttachAnnotations(BookParameterFile* store) {
  annotations_ = store;
  if (store == nullptr) return;
  // The document's own stamp, never the random one Start makes for a
  // document without one: that would differ at every opening and throw
  // the bookmarks of every such document away.
  const uint32_t own = static_cast<uint32_t>(GetDocumentStamp());
  const uint32_t stored = store->GetDocumentStamp();
  const uint32_t swapped = (own >> 24) | ((own >> 8) & 0xFF00u) | ((own << 8) & 0xFF0000u) | (own << 24);
  if (stored == own || stored == swapped) return;
  store->ResetPositions();
  store->SetDocumentStamp(own);
}

void LayoutContext::SetPageRect(const Rect& rect) {
  if (rect.x == pageRect_.x && rect.y == pageRect_.y && rect.width == pageRect_.width &&
      rect.height == pageRect_.height)
    return;
  pageRect_ = rect;
}

void LayoutContext::SetColumnCount(int32_t n) {
  if (n < 1) n = 1;
  if (n > static_cast<int32_t>(kMaxColumns)) n = kMaxColumns;
  columnCount_ = static_cast<uint8_t>(n);
}

void LayoutContext::SetMargins(int32_t left, int32_t top, int32_t right, int32_t bottom, bool kept) {
  marginLeft_ = left;
  marginTop_ = top;
  marginRight_ = right;
  marginBottom_ = bottom;
  marginMode_ = kept ? 2 : 1;
}

void LayoutContext::Relayout() {
  ComputeColumns();
  Invalidate(1);
}

bool LayoutContext::Start() {
  if (!stampSetByCaller_) {
    documentStamp_ = GetDocumentStamp();
    if (documentStamp_ == -1) documentStamp_ = static_cast<int32_t>(random_.Next());
  }
  // A picture that cannot be loaded only keeps wide tables from scrolling.
  for (uint32_t i = 0; i < kScrollMarkCount; ++i)
    if (scrollMarks_[i] == nullptr) scrollMarks_[i] = IconImage::Create(kScrollMarkIcons[i]);
  for (uint32_t i = 0; i < kScrollMarkCount; ++i) markPictures_[i].Set(scrollMarks_[i]);
  if (HasScrollMarkPictures()) tables_.SetPictures(&markPictures_[0], &markPictures_[1], &markPictures_[2]);
  if (!firstKnown_ && !FindFirstPage()) return false;
  Relayout();
  currentKey_ = first_.start;
  sink_->Started();
  return true;
}

// ---- Geometry.

void LayoutContext::ComputeColumns() {
  if (marginMode_ != 2 && firstKnown_ && first_.records.RecordCount() > 0) {
    const uint32_t outer = first_.records.RecordAt(first_.records.RecordCount() - 1);
    if (outer != ElementRecordStack::kNoRecord && first_.records.Tag(outer) == kMarkupBody) {
      uint32_t value = 0;
      const int32_t size = font_.baseSize;
      if (first_.records.AttributeValue(outer, kMarkupTopmargin, &value))
        marginTop_ = ResolveStyleLength(value, size, pageRect_.height);
      if (first_.records.AttributeValue(outer, kMarkupBottommargin, &value))
        marginBottom_ = ResolveStyleLength(value, size, pageRect_.height);
      if (first_.records.AttributeValue(outer, kMarkupLeftmargin, &value))
        marginLeft_ = ResolveStyleLength(value, size, pageRect_.width);
      if (first_.records.AttributeValue(outer, kMarkupRightmargin, &value))
        marginRight_ = ResolveStyleLength(value, size, pageRect_.width);
      marginMode_ = 1;
    }
  }
  inner_ = pageRect_;
  if (marginMode_ != 0) {
    inner_.x += marginLeft_;
    inner_.y += marginTop_;
    inner_.width -= marginLeft_ + marginRight_;
    inner_.height -= marginTop_ + marginBottom_;
  }
  const int32_t gap = GetColumnGap(columnCount_ + 1u);
  const int32_t count = columnCount_;
  const int32_t width = (inner_.width - gap * (count - 1)) / count;
  for (int32_t i = 0; i < static_cast<int32_t>(kMaxColumns); ++i) {
    columns_[i] = i < count ? Rect{inner_.x + i * (gap + width), inner_.y, width, inner_.height} : Rect{};
  }
}

int32_t LayoutContext::GetColumnGap(uint32_t count) const {
  const int32_t half = (marginLeft_ + marginRight_) >> 1;
  if (count == 0 || count == columnCount_) return half;
  return font_.baseSize > half ? font_.baseSize : half;
}

int32_t LayoutContext::FindColumn(const Point& point, Rect* out) const {
  for (uint32_t i = 0; i < columnCount_; ++i) {
    const Rect& c = columns_[i];
    if (point.x >= c.x && point.x < c.Right() && point.y >= c.y && point.y < c.Bottom()) {
      *out = c;
      return static_cast<int32_t>(i);
    }
  }
  *out = Rect{};
  return -1;
}

// ---- Estimates.

uint32_t LayoutContext::GetDocumentLength() const {
  return document_ != nullptr ? document_->GetTextLength() : kNoPosition;
}

int32_t LayoutContext::EstimateCharsPerPage() const {
  const int32_t s = font_.baseSize;  // at least 1
  const int64_t product = int64_t{2 * int64_t{columns_[0].width} / s} * (columns_[0].height / s);
  if (product <= 0) return 1;
  return product > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int32_t>(product);
}

int32_t LayoutContext::EstimatePageNumber(uint32_t position) const {
  const uint32_t first = firstKnown_ ? first_.start : 0;
  if (position <= first) return 1;
  const uint32_t q = (position - first) / static_cast<uint32_t>(EstimateCharsPerPage());
  if (q >= 0x7FFFFFFEu) return 0x7FFFFFFF;
  return q >= 1 ? static_cast<int32_t>(q + 1) : 2;
}

uint32_t LayoutContext::EstimatePagePosition(uint32_t n) const {
  const uint64_t first = firstKnown_ ? first_.start : 0;
  const uint64_t position = first + uint64_t{n > 0 ? n - 1 : 0} * static_cast<uint32_t>(EstimateCharsPerPage());
  return position >= kNoPosition ? kNoPosition - 1 : static_cast<uint32_t>(position);
}

int32_t LayoutContext::GetPageCount() {
  if (lastPage_.number != -1) return lastPage_.number;
  const uint32_t length = GetDocumentLength();
  if (length == kNoPosition) {
    // Not known yet (a script page still writing): the highest page known.
    int32_t highest = firstKnown_ ? 1 : -1;
    for (uint32_t i = 0; i < cacheCount_; ++i)
      if (cache_[i]->number > highest) highest = cache_[i]->number;
    return highest;
  }
  return EstimatePageNumber(length);
}

int32_t LayoutContext::GetCurrentPageNumber() {
  PageFrame* frame = CurrentFrame();
  return frame != nullptr ? frame->number : -1;
}

uint32_t LayoutContext::GetCurrentPosition() {
  PageFrame* frame = CurrentFrame();
  return frame != nullptr ? frame->start : kNoPosition;
}

int32_t LayoutContext::GetCurrentPageLength() {
  PageFrame* frame = CurrentFrame();
  if (frame == nullptr || frame->end == kNoPosition || frame->end <= frame->start) return -1;
  return static_cast<int32_t>(frame->end - frame->start);
}

uint32_t LayoutContext::GetPagePosition(int32_t step) {
  if (step < -2) return kNoPosition;
  PageFrame* current = CurrentFrame();
  if (current == nullptr) return kNoPosition;
  if (step == 0) return current->start;
  const uint32_t start = current->start;
  const uint32_t end = current->end;
  uint32_t answer = kNoPosition;
  if (FindFrame(start, step, &answer) != nullptr) return answer;
  if (step == 2) return end;
  return kNoPosition;
}

bool LayoutContext::SameUnit(uint32_t a, uint32_t b) {
  if (document_ == nullptr || a == b) return true;
  const uint32_t low = a < b ? a : b;
  const uint32_t high = a < b ? b : a;
  return document_->FindAnchorPosition(low + 1, high + 1, true) == kNoPosition;
}

// ---- Frames.

PageFrame* LayoutContext::FindFrame(uint32_t position, int32_t step, uint32_t* answerOut) {
  if (step == 3 || step == -3) {
    const int32_t one = step > 0 ? 1 : -1;
    PageFrame* frame = nullptr;
    for (int i = 0; i < 3; ++i) {
      frame = FindFrame(position, one, answerOut);
      if (frame == nullptr) return nullptr;
      position = frame->start;
    }
    return frame;
  }
  if (firstKnown_ && step <= 0 && position <= first_.start) {
    first_.useStamp = NextStamp();
    if (answerOut != nullptr) *answerOut = first_.start;
    return &first_;
  }
  if (firstKnown_ && position < first_.start) position = first_.start;
  bool found = false;
  uint32_t answer = 0;
  auto tryFrame = [&](const PageFrame& f) {
    if (found) return;
    if (step == 0 && f.start == position) {
      answer = f.start;
      found = true;
    } else if (step != 0 && f.linkPosition == position && f.linkStep == step) {
      answer = f.start;
      found = true;
    } else if (step != 0 && f.start == position && step + f.linkStep == 0) {
      answer = f.linkPosition;
      found = true;
    }
  };
  if (firstKnown_) tryFrame(first_);
  for (uint32_t i = 0; i < cacheCount_ && !found; ++i) tryFrame(*cache_[i]);
  if (!found) return nullptr;
  PageFrame* frame = nullptr;
  if (firstKnown_ && first_.start == answer) {
    frame = &first_;
  } else {
    for (uint32_t i = 0; i < cacheCount_ && frame == nullptr; ++i)
      if (cache_[i]->start == answer) frame = cache_[i];
  }
  if (frame == nullptr) return nullptr;
  frame->useStamp = NextStamp();
  if (answerOut != nullptr) *answerOut = answer;
  return frame;
}

PageFrame* LayoutContext::CurrentFrameNoStamp() {
  if (firstKnown_ && first_.start == currentKey_) return &first_;
  for (uint32_t i = 0; i < cacheCount_; ++i)
    if (cache_[i]->start == currentKey_) return cache_[i];
  return nullptr;
}

PageFrame* LayoutContext::NewCacheSlot() {
  if (cacheCount_ >= kMaxCachedFrames) return nullptr;
  PageFrame* slot = new (std::nothrow) PageFrame;
  if (slot != nullptr) cache_[cacheCount_++] = slot;
  return slot;
}

bool LayoutContext::AddFrame(PageFrame& frame) {
  if (frame.number == 1) return true;
  if (firstKnown_ && first_.start == frame.linkPosition && frame.linkStep > 0) {
    first_.linkPosition = frame.start;
    first_.linkStep = -frame.linkStep;
  }
  PageFrame* slot = nullptr;
  // The stale copy of the same page, reached the same way or starting at
  // the same place, is replaced rather than kept twice.
  for (uint32_t i = 0; i < cacheCount_ && slot == nullptr; ++i) {
    PageFrame* f = cache_[i];
    if ((f->linkPosition == frame.linkPosition && f->linkStep == frame.linkStep && frame.linkStep != 0) ||
        f->start == frame.start)
      slot = f;
  }
  if (slot == nullptr) slot = NewCacheSlot();
  if (slot == nullptr) {
    if (cacheCount_ == 0) return false;
    const PageFrame* current = CurrentFrameNoStamp();
    for (uint32_t i = 0; i < cacheCount_; ++i) {
      PageFrame* f = cache_[i];
      if (f == current && cacheCount_ > 1) continue;  // the page shown stays
      if (slot == nullptr || f->useStamp < slot->useStamp) slot = f;
    }
  }
  for (LaidOutPage& page : pages_) {
    if (page.frame == &frame) {
      page.frame = slot;
    } else if (page.frame == slot) {
      ReleasePageBuffer(&page);
    }
  }
  slot->MoveFrom(frame);
  return true;
}

bool LayoutContext::EnsureFrame(LayoutPosition* key, bool resync) {
  PageFrame* frame = FindFrame(key->start, 0);
  if (frame != nullptr) {
    key->number = frame->number;
    return true;
  }
  PageFrame temporary;
  if (!LayOutPageAt(key, &temporary, resync)) return false;
  key->start = temporary.start;
  return AddFrame(temporary);
}

bool LayoutContext::SaveStreamState(PageFrame* frame) {
  frame->parserState.Clear();
  frame->parserState.readPos = 0;
  return stream_->SaveState(&frame->parserState);
}

bool LayoutContext::RestoreStreamState(PageFrame* frame) {
  frame->parserState.readPos = 0;
  return stream_->LoadState(&frame->parserState);
}

bool LayoutContext::LayOutPageAt(LayoutPosition* key, PageFrame* frame, bool resync) {
  if (stream_ == nullptr || !firstKnown_) return false;
  if (document_ != nullptr && document_->IsPlainDocument()) {
    // Only readable from the start: replay from the first page.
    if (!frame->CopyFrom(first_) || !RestoreStreamState(frame) || !frame->EnsureStore()) return false;
    FlowPair pair{frame, frame->store, false};
    while (stream_->GetPosition() < key->start) {
      if (stream_->GetKind() == kElementEnd) break;
      frame->store->Clear();
      if (!ReadItems(&pair)) return false;
    }
    frame->store->Clear();
    frame->start = stream_->GetPosition();
    frame->number = key->number;
    frame->linkPosition = 0;
    frame->linkStep = 0;
    frame->end = kNoPosition;
    frame->linkIndex = -1;
    if (!SaveStreamState(frame)) return false;
  } else {
    frame->Reset();
    frame->number = key->number;
    if (!stream_->Restart(key->start, resync)) return false;
    frame->start = resync ? stream_->GetPosition() : key->start;
    auto save = [&] {
      return SaveStreamState(frame) && frame->records.CopyFrom(first_.records) &&
             CopyStyles(first_.styles, &frame->styles);
    };
    bool saved = save();
    if (!saved && ReleaseMemory()) saved = save();
    if (!saved) return false;
    frame->style = baseStyle_;
    frame->format = baseFormat_;
    frame->linkIndex = -1;
    *frame->SectionColor() = Color::kNoColor;
  }
  if (key->number == -1) {
    key->number = EstimatePageNumber(frame->start);
    frame->number = key->number;
  }
  return true;
}

// ---- Memory.

void LayoutContext::ReleasePageBuffer(LaidOutPage* page) { page->Reset(); }

LaidOutPage* LayoutContext::FindPageBuffer(uint32_t start) {
  for (LaidOutPage& page : pages_)
    if (page.frame != nullptr && page.frame->start == start) return &page;
  return nullptr;
}

bool LayoutContext::ReleaseMemory() {
  for (LaidOutPage& page : pages_) {
    if (page.HoldsContent() && (page.frame == nullptr || page.frame->start != currentKey_)) {
      ReleasePageBuffer(&page);
      return true;
    }
  }
  bool any = false;
  for (int n = 0; n < 2; ++n) {
    PageFrame* oldest = nullptr;
    uint32_t index = 0;
    for (uint32_t i = 0; i < cacheCount_; ++i) {
      PageFrame* f = cache_[i];
      if (f->start == currentKey_) continue;
      if (oldest == nullptr || f->useStamp < oldest->useStamp) {
        oldest = f;
        index = i;
      }
    }
    if (oldest == nullptr) break;
    for (LaidOutPage& page : pages_)
      if (page.frame == oldest) ReleasePageBuffer(&page);
    delete oldest;
    for (uint32_t i = index; i + 1 < cacheCount_; ++i) cache_[i] = cache_[i + 1];
    --cacheCount_;
    any = true;
  }
  // The replay marks go last: RestoreState makes room as a matter of
  // course, and they spare the next saved state a replay from the start.
  if (!any && replayMarkCount_ != 0) {
    ForgetReplayMarks();
    any = true;
  }
  return any;
}

void LayoutContext::Invalidate(uint32_t mode) {
  if (mode & 3) {
    ForgetReplayMarks();
    ReleasePageBuffer(&pages_[0]);
    ReleasePageBuffer(&pages_[1]);
    // Only the current frame is kept; its items are read again.
    PageFrame* keep = nullptr;
    for (uint32_t i = 0; i < cacheCount_; ++i)
      if (cache_[i]->start == currentKey_) keep = cache_[i];
    for (uint32_t i = 0; i < cacheCount_; ++i)
      if (cache_[i] != keep) delete cache_[i];
    cacheCount_ = 0;
    if (keep != nullptr) cache_[cacheCount_++] = keep;
    if (mode & 2) {
      for (uint32_t i = 0; i < cacheCount_; ++i) RemeasureFrame(cache_[i]);
      RemeasureFrame(&first_);
    }
    // A page end learned with the old geometry no longer holds.
    first_.linkPosition = 0;
    first_.linkStep = 0;
    first_.end = kNoPosition;
    for (uint32_t i = 0; i < cacheCount_; ++i) {
      cache_[i]->end = kNoPosition;
      cache_[i]->linkStep = 0;
    }
  }
  lastPage_ = LayoutPosition{};
}
