// LayoutItemStore: appending, inserting with roll-back, erasing, copying,
// moving and splitting the items of a page.
#include "layout/items/layout_item_store.h"

#include <initializer_list>
#include <utility>

namespace {

// Items per block of each fixed kind, as shifts: 8, 16, 16, 8, 2, 8, 16.
constexpr uint8_t kFixedShift[kLayoutFixedKindCount] = {3, 4, 4, 3, 1, 3, 4};

template <class Array, class T>
bool InsertTyped(Array& array, uint32_t at, const T& record) {
  if (!array.Reserve(array.count + 1)) return false;
  // Moved up last first; each vacated slot is left empty by the move, so no
  // reference is held twice.
  for (uint32_t i = array.count; i > at; --i) *array.At(i) = std::move(*array.At(i - 1));
  ++array.count;
  *array.At(at) = record;
  return true;
}

template <class Array>
void EraseTypedRange(Array& array, uint32_t at, uint32_t n) {
  if (at >= array.count) return;
  if (n > array.count - at) n = array.count - at;
  for (uint32_t i = at; i + n < array.count; ++i) *array.At(i) = std::move(*array.At(i + n));
  // The slots freed at the end release their texts and references now.
  for (uint32_t i = array.count - n; i < array.count; ++i) *array.At(i) = typename Array::Item{};
  array.count -= n;
}

template <class Array>
void AppendTypedRange(Array& to, Array& from, uint32_t first, uint32_t last, bool move) {
  for (uint32_t i = first; i < last; ++i) {
    if (move) {
      *to.At(to.count) = std::move(*from.At(i));
    } else {
      *to.At(to.count) = *from.At(i);
    }
    ++to.count;
  }
}

}  // namespace

LayoutCursor LayoutCursor::At(LayoutItemStore* store, uint32_t orderIndex) {
  LayoutCursor cursor;
  cursor.store = store;
  if (orderIndex > store->order.count) orderIndex = store->order.count;
  for (uint32_t i = 0; i < orderIndex; ++i) ++cursor.index[store->Entry(i).kind];
  cursor.order = orderIndex;
  return cursor;
}

LayoutCursor LayoutCursor::End(LayoutItemStore* store) {
  LayoutCursor cursor;
  cursor.store = store;
  cursor.order = store->order.count;
  for (uint32_t kind = 0; kind < kLayoutKindCount; ++kind) cursor.index[kind] = store->KindCount(kind);
  return cursor;
}

bool LayoutCursor::AtEnd() const { return order >= store->order.count; }

uint32_t LayoutCursor::KindAt() const { return AtEnd() ? kLayoutKindCount : store->Entry(order).kind; }

void LayoutCursor::Next() {
  if (AtEnd()) return;
  ++index[store->Entry(order).kind];
  ++order;
}

uint32_t LayoutCursor::Prev() {
  if (order == 0) return kLayoutKindCount;
  --order;
  const uint32_t kind = store->Entry(order).kind;
  --index[kind];
  return kind;
}

LayoutItemStore::LayoutItemStore() {
  textItems.SetGeometry(4);
  styleRuns.SetGeometry(4);
  objects.SetGeometry(4);
  order.SetGeometry(sizeof(LayoutOrderEntry), 5);
  for (uint32_t kind = 0; kind < kLayoutFixedKindCount; ++kind)
    fixed[kind].SetGeometry(kLayoutFixedRecordBytes[kind], kFixedShift[kind]);
}

uint32_t LayoutItemStore::KindCount(uint32_t kind) const {
  if (kind < kLayoutFixedKindCount) return fixed[kind].count;
  if (kind == kTextItem) return textItems.count;
  if (kind == kStyleRunItem) return styleRuns.count;
  if (kind == kObjectItem) return objects.count;
  return 0;
}

bool LayoutItemStore::AppendOrder(uint32_t kind, uint32_t position, bool flag) {
  LayoutOrderEntry entry{flag ? (position | kLayoutPositionFlag) : position, kind};
  return order.Append(&entry) >= 0;
}

bool LayoutItemStore::InsertOrder(uint32_t orderIndex, uint32_t kind, uint32_t position, bool flag) {
  LayoutOrderEntry entry{flag ? (position | kLayoutPositionFlag) : position, kind};
  return order.InsertAt(orderIndex, &entry, 1);
}

bool LayoutItemStore::AppendItem(uint32_t kind, const void* record, uint32_t position, bool flag) {
  if (kind >= kLayoutFixedKindCount) return false;
  if (!AppendOrder(kind, position, flag)) return false;
  if (fixed[kind].Append(record) < 0) {
    --order.count;
    return false;
  }
  return true;
}

bool LayoutItemStore::AppendKind7(const LayoutItem& item, uint32_t position, bool flag) {
  if (!AppendOrder(kTextItem, position, flag)) return false;
  if (textItems.Append(item) < 0) {
    --order.count;
    return false;
  }
  return true;
}

bool LayoutItemStore::AppendKind8(const TextStyle& style, uint32_t position, bool flag) {
  if (!AppendOrder(kStyleRunItem, position, flag)) return false;
  if (styleRuns.Append(style) < 0) {
    --order.count;
    return false;
  }
  return true;
}

bool LayoutItemStore::AppendKind9(const LayoutObject& object, uint32_t position, bool flag) {
  if (!AppendOrder(kObjectItem, position, flag)) return false;
  if (objects.Append(object) < 0) {
    --order.count;
    return false;
  }
  return true;
}

bool LayoutItemStore::InsertItemAt(uint32_t kind, const LayoutCursor& at, const void* record, uint32_t position,
                                   bool flag) {
  if (kind >= kLayoutFixedKindCount || at.order > order.count) return false;
  if (!InsertOrder(at.order, kind, position, flag)) return false;
  if (!fixed[kind].InsertAt(at.index[kind], record, 1)) {
    order.RemoveAt(at.order, 1);
    return false;
  }
  return true;
}

bool LayoutItemStore::InsertKind7At(const LayoutCursor& at, const LayoutItem& item, uint32_t position, bool flag) {
  if (at.order > order.count || !InsertOrder(at.order, kTextItem, position, flag)) return false;
  if (!InsertTyped(textItems, at.index[kTextItem], item)) {
    order.RemoveAt(at.order, 1);
    return false;
  }
  return true;
}

bool LayoutItemStore::InsertKind8At(const LayoutCursor& at, const TextStyle& style, uint32_t position, bool flag) {
  if (at.order > order.count || !InsertOrder(at.order, kStyleRunItem, position, flag)) return false;
  if (!InsertTyped(styleRuns, at.index[kStyleRunItem], style)) {
    order.RemoveAt(at.order, 1);
    return false;
  }
  return true;
}

bool LayoutItemStore::InsertKind9At(const LayoutCursor& at, const LayoutObject& object, uint32_t position,
                                    bool flag) {
  if (at.order > order.count || !InsertOrder(at.order, kObjectItem, position, flag)) return false;
  if (!InsertTyped(objects, at.index[kObjectItem], object)) {
    order.RemoveAt(at.order, 1);
    return false;
  }
  return true;
}

void LayoutItemStore::EraseAt(const LayoutCursor& at) {
  if (at.order >= order.count) return;
  const uint32_t kind = Entry(at.order).kind;
  if (kind < kLayoutFixedKindCount) {
    fixed[kind].RemoveAt(at.index[kind], 1);
  } else if (kind == kTextItem) {
    EraseTypedRange(textItems, at.index[kind], 1);
  } else if (kind == kStyleRunItem) {
    EraseTypedRange(styleRuns, at.index[kind], 1);
  } else {
    EraseTypedRange(objects, at.index[kind], 1);
  }
  order.RemoveAt(at.order, 1);
}

void LayoutItemStore::EraseRange(const LayoutCursor& first, const LayoutCursor& last) {
  if (last.order <= first.order) return;
  order.RemoveAt(first.order, last.order - first.order);
  for (uint32_t kind = 0; kind < kLayoutFixedKindCount; ++kind) {
    if (last.index[kind] > first.index[kind])
      fixed[kind].RemoveAt(first.index[kind], last.index[kind] - first.index[kind]);
  }
  if (last.index[kTextItem] > first.index[kTextItem])
    EraseTypedRange(textItems, first.index[kTextItem], last.index[kTextItem] - first.index[kTextItem]);
  if (last.index[kStyleRunItem] > first.index[kStyleRunItem])
    EraseTypedRange(styleRuns, first.index[kStyleRunItem], last.index[kStyleRunItem] - first.index[kStyleRunItem]);
  if (last.index[kObjectItem] > first.index[kObjectItem])
    EraseTypedRange(objects, first.index[kObjectItem], last.index[kObjectItem] - first.index[kObjectItem]);
}

bool LayoutItemStore::CopyFrom(const LayoutItemStore& other) {
  if (&other == this) return true;
  endPosition = other.endPosition;
  sectionState = other.sectionState;
  for (uint32_t kind = 0; kind < kLayoutFixedKindCount; ++kind)
    if (!fixed[kind].CopyFrom(other.fixed[kind])) return false;
  return order.CopyFrom(other.order) && textItems.CopyFrom(other.textItems) &&
         styleRuns.CopyFrom(other.styleRuns) && objects.CopyFrom(other.objects);
}

void LayoutItemStore::MoveFrom(LayoutItemStore& other) {
  if (&other == this) return;
  endPosition = other.endPosition;
  sectionState = other.sectionState;
  other.endPosition = 0;
  for (uint32_t kind = 0; kind < kLayoutFixedKindCount; ++kind) fixed[kind].MoveFrom(other.fixed[kind]);
  order.MoveFrom(other.order);
  textItems.MoveFrom(other.textItems);
  styleRuns.MoveFrom(other.styleRuns);
  objects.MoveFrom(other.objects);
}

void LayoutItemStore::Clear() {
  endPosition = 0;
  sectionState = nullptr;
  for (SegmentedArray& array : fixed) array.Clear();
  order.Clear();
  textItems.Clear();
  styleRuns.Clear();
  objects.Clear();
}

void LayoutItemStore::Trim() {
  for (SegmentedArray& array : fixed) array.Trim();
  order.Trim();
  textItems.Trim();
  styleRuns.Trim();
  objects.Trim();
}

bool LayoutItemStore::ReserveRange(LayoutItemStore* target, const LayoutCursor& first,
                                   const LayoutCursor& last) const {
  if (!target->order.Reserve(target->order.count + (last.order - first.order))) return false;
  for (uint32_t kind = 0; kind < kLayoutFixedKindCount; ++kind)
    if (!target->fixed[kind].Reserve(target->fixed[kind].count + (last.index[kind] - first.index[kind])))
      return false;
  return target->textItems.Reserve(target->textItems.count + (last.index[kTextItem] - first.index[kTextItem])) &&
         target->styleRuns.Reserve(target->styleRuns.count +
                                   (last.index[kStyleRunItem] - first.index[kStyleRunItem])) &&
         target->objects.Reserve(target->objects.count + (last.index[kObjectItem] - first.index[kObjectItem]));
}

void LayoutItemStore::AppendRange(const LayoutItemStore& source, const LayoutCursor& first,
                                  const LayoutCursor& last, bool moveStyleRuns) {
  LayoutItemStore& from = const_cast<LayoutItemStore&>(source);
  order.CopyItems(order.count, last.order - first.order, source.order, first.order);
  for (uint32_t kind = 0; kind < kLayoutFixedKindCount; ++kind) {
    uint32_t n = last.index[kind] - first.index[kind];
    if (n != 0) fixed[kind].CopyItems(fixed[kind].count, n, source.fixed[kind], first.index[kind]);
  }
  AppendTypedRange(textItems, from.textItems, first.index[kTextItem], last.index[kTextItem], false);
  AppendTypedRange(styleRuns, from.styleRuns, first.index[kStyleRunItem], last.index[kStyleRunItem], moveStyleRuns);
  AppendTypedRange(objects, from.objects, first.index[kObjectItem], last.index[kObjectItem], false);
}

bool LayoutItemStore::Split(LayoutItemStore* head, LayoutItemStore* tail, const LayoutCursor& at) {
  if (order.count == 0) {
    head->Clear();
    tail->Clear();
    return true;
  }
  if (at.order == 0) {
    // Everything goes to the tail, which keeps the end position; the head,
    // empty, ends where the tail begins.
    uint32_t first = 0;
    FirstPosition(&first);
    if (tail != this) tail->MoveFrom(*this);
    if (head != tail) {
      if (head != this) head->Clear();
      head->endPosition = first;
    }
    return true;
  }
  if (at.order >= order.count) {
    uint32_t end = endPosition;
    if (head != this) head->MoveFrom(*this);
    head->endPosition = end;
    if (tail != head && tail != this) tail->Clear();
    return true;
  }
  LayoutCursor begin = LayoutCursor::Begin(this);
  LayoutCursor end = LayoutCursor::End(this);
  if (head != this && !ReserveRange(head, begin, at)) return false;
  if (tail != this && !ReserveRange(tail, at, end)) return false;
  if (head != this) head->AppendRange(*this, begin, at, tail == this);
  if (tail != this) {
    tail->endPosition = endPosition;
    tail->AppendRange(*this, at, end, true);
    EraseRange(at, end);
  } else {
    EraseRange(begin, at);
  }
  Trim();
  uint32_t tailFirst = 0;
  tail->FirstPosition(&tailFirst);
  head->endPosition = tailFirst;
  return true;
}

bool LayoutItemStore::FirstPosition(uint32_t* position) const {
  for (uint32_t i = 0; i < order.count; ++i) {
    uint32_t p = Entry(i).position;
    if ((p & kLayoutPositionFlag) == 0) {
      *position = p;
      return true;
    }
  }
  *position = endPosition;
  return endPosition != 0;
}

bool LayoutItemStore::GetPositionRange(uint32_t* first, uint32_t* end) const {
  if (!FirstPosition(first)) return false;
  *end = endPosition;
  return true;
}

uint32_t LayoutItemStore::PositionAt(const LayoutCursor& at) const {
  if (at.order >= order.count) return endPosition;
  return Entry(at.order).position & ~kLayoutPositionFlag;
}

uint32_t LayoutItemStore::SpanWidth(const LayoutCursor& first, const LayoutCursor& last) const {
  uint32_t width = 0;
  for (uint32_t kind : {kTableItem, kTableRowItem, kTableCellItem, kTextItem, kObjectItem})
    width += last.index[kind] - first.index[kind];
  return width;
}
