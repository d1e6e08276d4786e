// Page building: the first page, laying out one page column by column, what
// lies between two pages, and the measuring of a frame's items again.
#include <new>

#include "layout/drawing/drawing_surface.h"
#include "layout/markup/keyword_ids.h"
#include "layout/pages/layout_context.h"
#include "layout/pages/offline_form_log.h"
#include "layout/tables/table_flow.h"

// The item feed of line layout: the next element through the builder.
class LayoutContext::Feed : public ItemFeed {
 public:
  Feed(LayoutContext* context, FlowPair* pair) : context_(context), pair_(pair) {}
  bool ReadMore(LayoutItemStore* store) override {
    pair_->store = store;
    return context_->ReadItems(pair_);
  }

 private:
  LayoutContext* context_;
  FlowPair* pair_;
};

namespace {

// Element streams answer "again" only briefly; a stream that keeps doing so
// is broken, and reading fails rather than spinning.
constexpr uint32_t kMaxAgain = 1u << 20;

// Draws (measures) between BeginDraw and EndDraw of the surface, if any.
class DrawingPass {
 public:
  explicit DrawingPass(DrawingSurface* surface) : surface_(surface) {
    if (surface_ != nullptr) surface_->BeginDraw(true);
  }
  ~DrawingPass() {
    if (surface_ != nullptr) surface_->EndDraw();
  }

 private:
  DrawingSurface* surface_;
};

}  // namespace

bool LayoutContext::NextToken(uint32_t* position) {
  *position = stream_->GetPosition();
  for (uint32_t i = 0; i < kMaxAgain; ++i) {
    if (stream_->Next() != kElementAgain) return true;
  }
  return false;
}

bool LayoutContext::ReadItems(FlowPair* pair) {
  if (stream_ == nullptr || builder_ == nullptr) return false;
  uint32_t position = 0;
  if (!NextToken(&position)) return false;
  LayoutItemStore* store = pair->store;
  const uint32_t before = store->Count();
  if (!builder_->ReadLayoutItems(this, pair, position)) return false;
  store->endPosition = stream_->GetPosition();
  if (stream_->GetKind() == kElementEnd && store->Count() == before) {
    // The end of the text always shows as its mark, so no page waits for more.
    if (!AppendMark(store, kMarkTextEnd, 1, position)) return false;
  }
  if (pair->applyStyle) {
    pair->applyStyle = false;
    font_.Apply(pair->frame->style);
  }
  return true;
}

namespace {

// The leading decimal digits of an attribute's text (0 without any),
// saturating rather than wrapping.
uint32_t DecimalValue(const SharedWideString& text) {
  uint32_t value = 0;
  for (uint32_t i = 0; i < text.length; ++i) {
    const WCHAR c = text.Chars()[i];
    if (c < '0' || c > '9') break;
    value = value > (0xFFFFFFFFu - 9) / 10 ? 0xFFFFFFFFu : value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

bool LayoutContext::FindFirstPage() {
  if (stream_ == nullptr) return false;
  // Position 0 is a clean start: nothing to resynchronise.
  if (!stream_->Restart(0, false)) return false;
  first_.Reset();
  firstKnown_ = false;
  ForgetReplayMarks();
  // LOGHOST tags are collected afresh: those that follow the opening BODY
  // too, while the budget of counted tokens lasts.
  const bool collect = formLog_ != nullptr && collectLogHosts_;
  if (collect) formLog_->DeleteAll();
  int32_t budget = kFirstPageBudget;
  bool content = false;
  uint32_t metadataDepth = 0;
  for (;;) {
    // The budget ends only the reading on past BODY: the first opening
    // BODY is looked for however long the head.
    if (firstKnown_ && budget <= 0) return true;
    uint32_t position = 0;
    if (!NextToken(&position)) return firstKnown_;
    const int32_t kind = stream_->GetKind();
    if (kind == kElementEnd) break;
    if (kind == kElementText || kind == kElementBreak) {
      if (metadataDepth == 0) {
        content = true;
        --budget;
      }
      continue;
    }
    if (kind == kElementSpace) continue;
    if (kind != kElementTag) return firstKnown_;
    bool closing = false;
    bool selfContained = false;
    const uint32_t tag = stream_->GetTag(&closing, &selfContained);
    if (tag == kMarkupMetadata && !selfContained) {
      if (!closing) {
        ++metadataDepth;
      } else if (metadataDepth > 0) {
        --metadataDepth;
      }
      continue;
    }
    if (tag == kMarkupReference || tag == kMarkupGuide) continue;
    if (tag == kMarkupLoghost && !closing && formLog_ != nullptr) {
      OfflineFormLog::TextRecord record;
      stream_->GetAttributeText(kMarkupUrl, &record.url);
      stream_->GetAttributeText(kMarkupPrefix, &record.prefix);
      SharedWideString encoding;
      if (stream_->GetAttributeText(kMarkupEncoding, &encoding)) record.encoding = DecimalValue(encoding);
      formLog_->AddTextRecord(record);
      budget = kLogHostBudget;
      continue;
    }
    if (tag != kMarkupBody || closing || firstKnown_) {
      if (metadataDepth == 0) --budget;
      continue;
    }
    // The first opening BODY fixes the first page, however long the head.
    if (!SaveStreamState(&first_)) return false;
    first_.start = stream_->GetPosition();
    if (!(builder_ != nullptr ? builder_->OpenFirstPage(stream_, &first_) : first_.records.Push(*stream_)))
      return false;
    first_.style = baseStyle_;
    first_.format = baseFormat_;
    first_.number = 1;
    firstKnown_ = true;
    if (!collect) return true;
    // A head longer than the budget still leaves the tags just after BODY
    // their chance.
    if (budget < kLogHostBudget) budget = kLogHostBudget;
  }
  if (firstKnown_) return true;
  if (!content) return false;
  // Text without any BODY: the page starts with the document.
  if (!stream_->Restart(0, false) || !SaveStreamState(&first_)) return false;
  first_.start = 0;
  first_.style = baseStyle_;
  first_.format = baseFormat_;
  first_.number = 1;
  firstKnown_ = true;
  return true;
}

LaidOutPage* LayoutContext::PickPageBuffer() {
  LaidOutPage* chosen = nullptr;
  if (pages_[0].frame == nullptr) {
    chosen = &pages_[0];
  } else if (pages_[1].frame == nullptr) {
    chosen = &pages_[1];
  } else {
    chosen = pages_[1].frame->useStamp < pages_[0].frame->useStamp ? &pages_[1] : &pages_[0];
  }
  ReleasePageBuffer(chosen);
  return chosen;
}

// Parked without reading: a resynchronisation at the start would read the
// document's first block after every build, and on a book read from a
// mapped file that far-away read made the pages read since go out of
// memory each time, so that every page read its blocks from the file
// again.
void LayoutContext::ParkStream() { stream_->Restart(0, false); }

bool LayoutContext::PrepareNextPage() {
  uint32_t next = kNoPosition;
  if (FindFrame(currentKey_, kStepPage, &next) == nullptr) return false;
  // The current page is looked up last, so that it is the more recently
  // used of the two buffers and the next page does not take its buffer.
  if (CurrentFrame() == nullptr) return false;
  return BuildPageAt(next, false);
}

bool LayoutContext::BuildPageAt(uint32_t position, bool probe) {
  if (stream_ == nullptr) return false;
  if (!probe) {
    LaidOutPage* shown = FindPageBuffer(position);
    if (shown != nullptr && shown->HoldsContent()) return true;
  }
  LaidOutPage* temporary = nullptr;
  LaidOutPage* page = nullptr;
  if (probe) {
    temporary = new (std::nothrow) LaidOutPage;
    page = temporary;
  } else {
    page = PickPageBuffer();
  }
  if (page == nullptr) return false;
  page->frame = FindFrame(position, 0);
  bool ok = page->frame != nullptr;
  if (ok) {
    PageFrame* next = new (std::nothrow) PageFrame;
    bool more = false;
    ok = next != nullptr && BuildPage(page, next, &more, probe);
    // A page that did not move on (it cannot happen, but a loop over the
    // pages would never end) counts as the last.
    if (ok && more && next->start <= page->frame->start) more = false;
    if (ok && (!more || !AddFrame(*next))) lastPage_ = LayoutPosition{page->frame->number, page->frame->start};
    delete next;
  }
  if (!ok) ReleasePageBuffer(page);
  ParkStream();
  delete temporary;
  return ok;
}

bool LayoutContext::BuildPage(LaidOutPage* page, PageFrame* next, bool* more, bool probe) {
  *more = false;
  lastPageEndedAtBreak_ = false;
  if (columns_[0].width < 1 || columns_[0].height < 1 || stream_ == nullptr) return false;
  PageFrame& shown = *page->frame;
  if (!next->CopyFrom(shown) || !next->EnsureStore()) return false;
  // The next page's wide tables start unscrolled.
  next->tableScrolls.Clear();
  next->linkIndex = -1;
  DrawingPass pass(font_.surface);
  LayoutItemStore* store = next->store;
  store->sectionState = shown.section;
  // The stream continues from where the frame's items end.
  if (!RestoreStreamState(next)) return false;
  if (store->Count() == 0) stream_->SeekBack(next->start);
  FlowPair pair{next, store, false};
  LayoutCursor cursor = LayoutCursor::Begin(store);
  *more = true;
  page->contentHeight = 0;
  bool ok = true;
  for (uint32_t i = 0; i < columnCount_ && *more && ok; ++i) {
    FlowSpace space;
    space.Reset();
    space.SetColumn(columns_[i].x, columns_[i].y, columns_[i].width, columns_[i].height);
    const uint32_t columnStart = next->start;
    ok = FlowPage(&pair, &space, &cursor, more, probe);
    if (space.UsedHeight() > page->contentHeight) page->contentHeight = space.UsedHeight();
    if (ok && *more && !SameUnit(columnStart, next->start)) break;
  }
  if (ok && *more) {
    lastPageEndedAtBreak_ = cursor.KindAt() == kMarkItem && MarkAt(cursor)->code == kMarkPageBreak;
    ok = FinishPage(&pair, &cursor);
    // What lay between the last line and the end of the text makes no page.
    if (ok && cursor.KindAt() == kMarkItem && MarkAt(cursor)->code == kMarkTextEnd) *more = false;
  }
  if (ok) {
    page->contentHeight += 1;
    page->store.Clear();
    ok = store->Split(&page->store, store, cursor);
    store->sectionState = nullptr;
    page->store.sectionState = nullptr;
  }
  if (!ok) {
    stream_->ReleaseChunks();
    return false;
  }
  store->Trim();
  page->start = LayoutCursor::Begin(&page->store);
  if (*more) {
    next->number = probe ? (shown.number == 1 ? 2 : shown.number) : shown.number + 1;
    next->useStamp = NextStamp();
    for (uint32_t i = 0; i < PageFrame::kSectionWords; ++i) next->section[i] = shown.section[i];
    next->linkPosition = shown.start;
    next->linkStep = probe ? 1 : 2;
    next->end = kNoPosition;
    if (lastPage_.number != -1 && lastPage_.number < next->number) lastPage_ = LayoutPosition{};
  } else {
    lastPage_ = LayoutPosition{shown.number, shown.start};
  }
  shown.end = page->store.endPosition;
  stream_->ReleaseChunks();
  return true;
}

bool LayoutContext::FlowPage(FlowPair* pair, FlowSpace* space, LayoutCursor* cursor, bool* more, bool probe) {
  if (space->Remaining() < 1) return true;
  font_.Apply(pair->frame->style);
  if (!FlowBlock(pair, space, cursor, space->used == 0, probe)) return false;
  *more = !(cursor->KindAt() == kMarkItem && MarkAt(*cursor)->code == kMarkTextEnd);
  return true;
}

bool LayoutContext::FlowBlock(FlowPair* pair, FlowSpace* space, LayoutCursor* cursor, bool atTop, bool probe) {
  Feed feed(this, pair);
  LineEnvironment env;
  env.store = pair->store;
  env.feed = &feed;
  env.font = font_;
  env.lineSpacing = lineSpacing_;
  env.frameStyle = &pair->frame->style;
  env.frameFormat = &pair->frame->format;
  env.frameStart = &pair->frame->start;
  env.sectionColor = pair->frame->SectionColor();
  bool lineDone = false;
  for (;;) {
    const uint32_t before = pair->frame->start;
    if (!cursor->AtEnd() && cursor->KindAt() == kTableItem) {
      // A table is laid out as one; one that cannot be flows as lines (its
      // ends then end lines).
      bool placed = false;
      const TableFlowResult result = FlowTable(env, space, cursor, &atTop, probe, &tableWidths_, &placed);
      if (result == TableFlowResult::kFailed) return false;
      if (result == TableFlowResult::kPlaced) {
        if (probe && placed && pair->frame->start != before) return true;
        if (space->Remaining() <= 0) return true;
        continue;
      }
    }
    bool more = false;
    bool produced = false;
    if (!LayOutLine(env, space, cursor, &more, &atTop, &produced)) return false;
    if (probe && produced && pair->frame->start != before) lineDone = true;
    if (!more || space->Remaining() <= 0 || lineDone) return true;
    if (cursor->KindAt() == kMarkItem && MarkAt(*cursor)->code == kMarkTextEnd) return true;
  }
}

bool LayoutContext::FinishPage(FlowPair* pair, LayoutCursor* cursor) {
  LayoutItemStore* store = pair->store;
  for (;;) {
    if (cursor->AtEnd()) {
      if (!ReadItems(pair)) return false;
      continue;
    }
    const uint32_t kind = cursor->KindAt();
    if (kind == kParagraphFormatItem) {
      if (FormatAt(*cursor)->boxFlags & kFormatParagraphStart) break;
      pair->frame->format = *FormatAt(*cursor);
    } else if (kind == kMarkItem) {
      const int16_t code = MarkAt(*cursor)->code;
      if (code != kMarkPageBreak && code != kMarkParagraphEnd && code != kMarkSpace && code != kMarkHyphen) break;
    } else if (kind == kStyleRunItem) {
      pair->frame->style = *StyleRunAt(*cursor);
    } else if (kind == kLineItem) {
      // A line laid out for a column it did not fit: laid out again next time.
    } else {
      break;
    }
    store->EraseAt(*cursor);
  }
  pair->frame->start = store->PositionAt(*cursor);
  return SaveStreamState(pair->frame);
}

void LayoutContext::RemeasureFrame(PageFrame* frame) {
  if (frame->store == nullptr || font_.surface == nullptr) return;
  DrawingPass pass(font_.surface);
  font_.Apply(frame->style);
  static constexpr WCHAR kSpace[] = {u' '};
  for (LayoutCursor at = LayoutCursor::Begin(frame->store); !at.AtEnd(); at.Next()) {
    const uint32_t kind = at.KindAt();
    if (kind == kStyleRunItem) {
      font_.Apply(*StyleRunAt(at));
    } else if (kind == kTextItem) {
      TextAt(at)->Measure(font_.surface);
    } else if (kind == kMarkItem && MarkAt(at)->code == kMarkSpace && MarkAt(at)->value > 0) {
      Size size{};
      if (font_.surface->MeasureText(kSpace, 1, &size)) MarkAt(at)->value = size.width;
    }
  }
}

bool LayoutContext::PageFraction(LayoutItemStore* store, uint32_t position, int32_t* out) {
  uint32_t first = 0;
  uint32_t end = 0;
  if (store->Count() == 0 || !store->GetPositionRange(&first, &end)) return false;
  if (position < first || position >= end) return false;
  const LineRecord* holder = nullptr;
  bool later = false;  // an entry of the page lies after the position
  const LineRecord* current = nullptr;
  for (LayoutCursor at = LayoutCursor::Begin(store); !at.AtEnd(); at.Next()) {
    const uint32_t entryPosition = store->PositionAt(at);
    if (at.KindAt() == kLineItem) {
      if (entryPosition > position) {
        later = true;
        break;
      }
      current = LineAt(at);
      continue;
    }
    if (entryPosition > position) {
      later = true;
      break;
    }
    holder = current;
  }
  if (!later) {
    *out = 255;
    return true;
  }
  if (holder == nullptr) holder = current;
  if (holder == nullptr) {
    *out = 0;
    return true;
  }
  const int32_t height = columns_[0].height;
  const int64_t total = int64_t{height} * columnCount_;
  for (uint32_t i = 0; i < columnCount_; ++i) {
    const Rect& c = columns_[i];
    if (holder->x >= c.x && holder->x < c.Right() && total > 0) {
      const int64_t top = int64_t{i} * height + (holder->y - c.y);
      int64_t fraction = top * 256 / total;
      if (fraction < 0) fraction = 0;
      if (fraction > 255) fraction = 255;
      *out = static_cast<int32_t>(fraction);
      return true;
    }
  }
  *out = 128;
  return true;
}
