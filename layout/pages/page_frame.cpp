// PageFrame: reset, deep copy and move.
#include "layout/pages/page_frame.h"

#include <new>

bool CopyStyles(const ElementStyleRecords& from, ElementStyleRecords* to) {
  to->Clear();
  for (uint32_t i = 0; i < from.Count(); ++i) {
    if (!to->Append(from.At(i))) {
      to->Clear();
      return false;
    }
  }
  return true;
}

void PageFrame::Reset() {
  number = -1;
  start = 0;
  linkPosition = 0;
  linkStep = 0;
  end = kNoPosition;
  useStamp = 0;
  parserState.Clear();
  parserState.readPos = 0;
  records.Clear();
  styles.Clear();
  style = TextStyle{};
  format = ParagraphFormat{};
  delete store;
  store = nullptr;
  for (uint32_t& word : section) word = 0;
  section[kSectionColorWord] = Color::kNoColor;
  linkIndex = -1;
  tableScrolls.Clear();
}

TableScrollState* PageFrame::FindTableScroll(uint32_t tablePosition) const {
  for (uint32_t i = 0; i < tableScrolls.count; ++i)
    if (tableScrolls.At(i)->position == tablePosition) return tableScrolls.At(i);
  return nullptr;
}

TableScrollState* PageFrame::EnsureTableScroll(uint32_t tablePosition) {
  if (TableScrollState* known = FindTableScroll(tablePosition)) return known;
  TableScrollState* added = tableScrolls.AppendSlot();
  if (added == nullptr) return nullptr;
  *added = TableScrollState{};
  added->position = tablePosition;
  return added;
}

void PageFrame::ResetTableScrolls() {
  for (uint32_t i = 0; i < tableScrolls.count; ++i) tableScrolls.At(i)->ResetScroll();
}

bool PageFrame::EnsureStore() {
  if (store == nullptr) store = new (std::nothrow) LayoutItemStore;
  return store != nullptr;
}

bool PageFrame::CopyFrom(const PageFrame& other) {
  if (this == &other) return true;
  number = other.number;
  start = other.start;
  linkPosition = other.linkPosition;
  linkStep = other.linkStep;
  end = other.end;
  useStamp = other.useStamp;
  style = other.style;
  format = other.format;
  for (uint32_t i = 0; i < kSectionWords; ++i) section[i] = other.section[i];
  linkIndex = other.linkIndex;
  if (!parserState.Assign(other.parserState) || !records.CopyFrom(other.records) ||
      !CopyStyles(other.styles, &styles) || !tableScrolls.CopyFrom(other.tableScrolls))
    return false;
  if (other.store == nullptr) {
    delete store;
    store = nullptr;
    return true;
  }
  if (!EnsureStore()) return false;
  store->Clear();
  return store->CopyFrom(*other.store);
}

void PageFrame::MoveFrom(PageFrame& other) {
  if (this == &other) return;
  number = other.number;
  start = other.start;
  linkPosition = other.linkPosition;
  linkStep = other.linkStep;
  end = other.end;
  useStamp = other.useStamp;
  style = other.style;
  format = other.format;
  for (uint32_t i = 0; i < kSectionWords; ++i) section[i] = other.section[i];
  linkIndex = other.linkIndex;
  parserState.MoveFrom(other.parserState);
  tableScrolls.MoveFrom(other.tableScrolls);
  // The records have no move; a failed copy leaves them empty, as a frame
  // prepared without them would be.
  if (!records.CopyFrom(other.records) || !CopyStyles(other.styles, &styles)) {
    records.Clear();
    styles.Clear();
  }
  delete store;
  store = other.store;
  other.store = nullptr;
  other.Reset();
}
