// LayoutContext: saving and restoring the reading position as a page-state
// chunk.
#include <new>

#include "layout/builder/layout_builder_items.h"
#include "layout/markup/keyword_ids.h"
#include "layout/pages/layout_context.h"
#include "layout/styles/element_style_records.h"
#include "storage/documents/document.h"

namespace {

// Elements that may stand between TABLE and TR.
bool IsRowGroup(uint32_t tag) { return tag == kMarkupTbody || tag == kMarkupThead || tag == kMarkupTfoot; }

}  // namespace

// A frame at `start` whose stream state and open elements are exactly those
// of the page start: the document is read again from the first page, as
// the builder reads it. The cached frames know the state where their
// reading stopped, beyond the start; a saved state must not depend on the
// items read ahead.
//
// The reading goes from the last replay mark reached before `start` when
// there is one: every state of this loop is one that the loop from the
// first page passes through (it reads the same items from the same state),
// and the loop from the first page would not have stopped before a mark
// reached before `start`, so it reads on from there exactly as from the
// first page.
bool LayoutContext::ReplayToStart(uint32_t start, PageFrame* out) {
  if (stream_ == nullptr || !firstKnown_ || start < first_.start) return false;
  const PageFrame* from = &first_;
  for (uint32_t i = replayMarkCount_; i > 0; --i) {
    if (replayMarks_[i - 1].reached < start) {
      from = replayMarks_[i - 1].frame;
      break;
    }
  }
  if (!out->CopyFrom(*from) || !RestoreStreamState(out) || !out->EnsureStore()) return false;
  FlowPair pair{out, out->store, false};
  bool ok = true;
  while (ok && stream_->GetPosition() < start && stream_->GetKind() != kElementEnd) {
    out->store->Clear();
    ok = ReadItems(&pair);
    if (ok) NoteReplayMark(out);
  }
  out->store->Clear();
  ok = ok && SaveStreamState(out);
  stream_->Restart(0, true);
  return ok;
}

// Keeps the replay's state as a mark when it lies far enough past the last
// one. A mark that cannot be made is simply not kept.
void LayoutContext::NoteReplayMark(PageFrame* frame) {
  const uint32_t reached = stream_->GetPosition();
  const uint32_t last = replayMarkCount_ != 0 ? replayMarks_[replayMarkCount_ - 1].reached : first_.start;
  if (reached < last || reached - last < replaySpacing_) return;
  if (replayMarkCount_ == kMaxReplayMarks) {
    uint32_t kept = 0;
    for (uint32_t i = 0; i < replayMarkCount_; ++i) {
      if (i % 2 == 0) {
        replayMarks_[kept++] = replayMarks_[i];
      } else {
        delete replayMarks_[i].frame;
      }
    }
    for (uint32_t i = kept; i < replayMarkCount_; ++i) replayMarks_[i] = ReplayMark{};
    replayMarkCount_ = kept;
    replaySpacing_ = replaySpacing_ <= 0x7FFFFFFFu ? replaySpacing_ * 2 : 0xFFFFFFFFu;
  }
  PageFrame* mark = new (std::nothrow) PageFrame;
  if (mark == nullptr) return;
  frame->store->Clear();  // the loop clears it before the next read anyway
  if (!mark->CopyFrom(*frame) || !SaveStreamState(mark)) {
    delete mark;
    return;
  }
  replayMarks_[replayMarkCount_++] = ReplayMark{reached, mark};
}

void LayoutContext::ForgetReplayMarks() {
  for (uint32_t i = 0; i < replayMarkCount_; ++i) {
    delete replayMarks_[i].frame;
    replayMarks_[i] = ReplayMark{};
  }
  replayMarkCount_ = 0;
  replaySpacing_ = kReplayMarkSpacing;
}

bool LayoutContext::SaveState(LayoutPosition* out, ByteStream* stream) {
  PageFrame* current = CurrentFrame();
  if (current == nullptr) return false;
  *out = LayoutPosition{current->number, current->start};
  const bool plain = document_ != nullptr && document_->IsPlainDocument();
  if (plain) return SavePageChunk(*current, static_cast<uint32_t>(documentStamp_), true, stream);
  PageFrame* start = new (std::nothrow) PageFrame;
  bool ok = false;
  if (start != nullptr && ReplayToStart(current->start, start)) {
    start->linkIndex = current->linkIndex;
    ok = start->tableScrolls.CopyFrom(current->tableScrolls) &&
         SavePageChunk(*start, static_cast<uint32_t>(documentStamp_), false, stream);
  } else {
    // Without the start's state the page is found again from its position.
    ok = SavePageChunk(*current, static_cast<uint32_t>(documentStamp_), true, stream);
  }
  delete start;
  return ok;
}

// The table, row and cell the page starts in, written as the builder writes
// them, so that the page is laid out inside its table.
bool LayoutContext::ReplayOpenTable(PageFrame* frame) {
  const ElementRecordStack& records = frame->records;
  const uint32_t table = records.FindTag(kMarkupTable);
  if (table == ElementRecordStack::kNoRecord) return true;
  if (!frame->EnsureStore()) return false;
  RecordTokenSource source;
  source.Bind(&records);
  source.SetRecord(table);
  const TableItem tableItem = layout_builder::MakeTableItem(source);
  if (!frame->store->AppendItem(kTableItem, &tableItem, frame->start, false)) return false;
  uint32_t next = records.NextRecord(table);
  while (next != ElementRecordStack::kNoRecord && IsRowGroup(records.Tag(next))) next = records.NextRecord(next);
  if (next == ElementRecordStack::kNoRecord) return true;  // the page starts with a row
  if (records.Tag(next) != kMarkupTr) return records.Tag(next) != kMarkupTd && records.Tag(next) != kMarkupTh;
  source.SetRecord(next);
  const TableRowItem row = layout_builder::MakeTableRowItem(source);
  if (!frame->store->AppendItem(kTableRowItem, &row, frame->start, false)) return false;
  next = records.NextRecord(next);
  if (next == ElementRecordStack::kNoRecord) return true;
  if (records.Tag(next) != kMarkupTd && records.Tag(next) != kMarkupTh) return false;
  source.SetRecord(next);
  const TableCellItem cell = layout_builder::MakeTableCellItem(source);
  return frame->store->AppendItem(kTableCellItem, &cell, frame->start, false);
}

bool LayoutContext::RestoreState(const LayoutPosition& position, ByteStream* stream) {
  if (stream_ == nullptr) return false;
  static const DefaultStyle kDefaults;
  static const ElementStyle kBase;
  const DefaultStyle& defaults = styleDefaults_ != nullptr ? *styleDefaults_ : kDefaults;
  const ElementStyle& base = styleBase_ != nullptr ? *styleBase_ : kBase;
  if (PageFrame* known = FindFrame(position.start, 0); known != nullptr && known->start == position.start) {
    // A page the context knows is shown as it is; only the wide tables'
    // offsets of the chunk are taken, so that they come back too.
    PageFrame loaded;
    bool noState = true;
    if (known->tableScrolls.count == 0 && stream != nullptr && stream->Remaining() != 0 &&
        LoadPageChunk(&loaded, stream, defaults, base, static_cast<uint32_t>(documentStamp_), &noState))
      known->tableScrolls.MoveFrom(loaded.tableScrolls);
    MakeCurrent(known);
    sink_->PageChanged();
    return true;
  }
  ReleaseMemory();
  PageFrame* frame = new (std::nothrow) PageFrame;
  if (frame == nullptr) return false;
  bool noState = true;
  bool loaded = stream != nullptr && stream->Remaining() != 0 &&
                LoadPageChunk(frame, stream, defaults, base, static_cast<uint32_t>(documentStamp_), &noState);
  LayoutPosition key = position;
  bool ok = true;
  if (!loaded || noState) {
    const int32_t link = loaded ? frame->linkIndex : -1;
    TableScrollStates scrolls;
    if (loaded) scrolls.MoveFrom(frame->tableScrolls);
    frame->Reset();
    ok = LayOutPageAt(&key, frame, true);
    frame->linkIndex = link;
    frame->tableScrolls.MoveFrom(scrolls);
  } else {
    frame->start = position.start;
    frame->number = position.number;
    frame->linkPosition = 0;
    frame->linkStep = 0;
    frame->end = kNoPosition;
    ok = ReplayOpenTable(frame);
  }
  if (ok) {
    frame->useStamp = NextStamp();
    if (frame->number == 1 && firstKnown_) {
      if (first_.tableScrolls.count == 0) first_.tableScrolls.MoveFrom(frame->tableScrolls);
      MakeCurrent(&first_);
    } else {
      const uint32_t start = frame->start;  // AddFrame takes the frame's fields
      ok = AddFrame(*frame);
      PageFrame* added = ok ? FindFrame(start, 0) : nullptr;
      ok = ok && MakeCurrent(added);
    }
  }
  delete frame;
  if (ok) sink_->PageChanged();
  return ok;
}
