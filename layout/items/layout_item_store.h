// LayoutItemStore: the items of one page of laid-out text in document order.
// Items of ten kinds, each with its own fixed record, live in ten separate
// arrays; one order index of {position, kind} entries says which kind comes
// next and at which text position. A LayoutCursor carries one index into
// the order and one into every kind's array, so any item is reached without
// searching.
//
// Invariant: for every kind, the order holds as many entries of that kind as
// the kind's array holds items, in the same sequence. Every operation keeps
// it, and a failed append or insert leaves the store exactly as it was.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array.h"
#include "foundation/containers/segmented_array_typed.h"
#include "layout/items/layout_item.h"
#include "layout/styles/text_style.h"

using LayoutItemArray = SegmentedTypedArray<LayoutItem>;
using StyleRunArray = SegmentedTypedArray<TextStyle>;
using LayoutObjectArray = SegmentedTypedArray<LayoutObject>;

struct LayoutOrderEntry {
  uint32_t position;  // bit 31: a flag the store keeps for its callers
  uint32_t kind;      // 0 to 9
};

enum LayoutItemKind : uint32_t {
  kParagraphFormatItem = 0,
  kSectionColorItem = 1,
  kMarkItem = 2,
  kLineItem = 3,
  kTableItem = 4,
  kTableRowItem = 5,
  kTableCellItem = 6,
  kTextItem = 7,
  kStyleRunItem = 8,
  kObjectItem = 9,
};
inline constexpr uint32_t kLayoutKindCount = 10;
inline constexpr uint32_t kLayoutFixedKindCount = 7;
inline constexpr uint32_t kLayoutPositionFlag = 0x80000000u;
// Record bytes of the fixed kinds 0 to 6.
inline constexpr int32_t kLayoutFixedRecordBytes[kLayoutFixedKindCount] = {36, 8, 8, 92, 120, 104, 124};

class LayoutItemStore;

struct LayoutCursor {
  LayoutItemStore* store = nullptr;
  uint32_t order = 0;
  uint32_t index[kLayoutKindCount] = {};  // per kind, the next item of that kind

  // The cursor at an order index, its per-kind indices counted from the start.
  static LayoutCursor At(LayoutItemStore* store, uint32_t orderIndex);
  static LayoutCursor Begin(LayoutItemStore* store) { return At(store, 0); }
  static LayoutCursor End(LayoutItemStore* store);
  bool AtEnd() const;
  uint32_t KindAt() const;  // the kind at the cursor (kLayoutKindCount at the end)
  // Steps past the entry at the cursor; nothing at the end.
  void Next();
  // Steps back over the entry before the cursor and answers its kind
  // (kLayoutKindCount, nothing changed, at the start).
  uint32_t Prev();
};

class LayoutItemStore {
 public:
  LayoutItemArray textItems;
  StyleRunArray styleRuns;
  LayoutObjectArray objects;
  SegmentedArray order;
  SegmentedArray fixed[kLayoutFixedKindCount];
  uint32_t endPosition = 0;
  void* sectionState = nullptr;  // not owned; the page frame's while a page is built

  LayoutItemStore();
  ~LayoutItemStore() = default;
  LayoutItemStore(const LayoutItemStore&) = delete;
  LayoutItemStore& operator=(const LayoutItemStore&) = delete;

  bool AppendItem(uint32_t kind, const void* record, uint32_t position, bool flag);
  bool AppendKind7(const LayoutItem& item, uint32_t position, bool flag);
  bool AppendKind8(const TextStyle& style, uint32_t position, bool flag);
  bool AppendKind9(const LayoutObject& object, uint32_t position, bool flag);

  // Inserts before the entry at the cursor; the cursor then points at the
  // new entry (it is not advanced).
  bool InsertItemAt(uint32_t kind, const LayoutCursor& at, const void* record, uint32_t position, bool flag);
  bool InsertKind7At(const LayoutCursor& at, const LayoutItem& item, uint32_t position, bool flag);
  bool InsertKind8At(const LayoutCursor& at, const TextStyle& style, uint32_t position, bool flag);
  bool InsertKind9At(const LayoutCursor& at, const LayoutObject& object, uint32_t position, bool flag);

  void EraseAt(const LayoutCursor& at);
  // Removes everything from `first` up to (not including) `last`.
  void EraseRange(const LayoutCursor& first, const LayoutCursor& last);

  // False on lack of memory, leaving a partial copy for the caller to discard.
  bool CopyFrom(const LayoutItemStore& other);
  void MoveFrom(LayoutItemStore& other);
  void Clear();
  void Trim();

  // Reserves in `target` room for the items of [first, last) of this store.
  bool ReserveRange(LayoutItemStore* target, const LayoutCursor& first, const LayoutCursor& last) const;
  // Head keeps the items before the cursor, tail the items from it on (head
  // is normally this store, tail an empty one). A failed split moves nothing.
  bool Split(LayoutItemStore* head, LayoutItemStore* tail, const LayoutCursor& at);

  bool FirstPosition(uint32_t* position) const;
  bool GetPositionRange(uint32_t* first, uint32_t* end) const;
  uint32_t PositionAt(const LayoutCursor& at) const;
  // Items of the kinds 4, 5, 6, 7 and 9 between two cursors.
  uint32_t SpanWidth(const LayoutCursor& first, const LayoutCursor& last) const;

  uint32_t Count() const { return order.count; }
  const LayoutOrderEntry& Entry(uint32_t i) const { return *static_cast<const LayoutOrderEntry*>(order.At(i)); }
  uint32_t KindCount(uint32_t kind) const;

 private:
  bool AppendOrder(uint32_t kind, uint32_t position, bool flag);
  bool InsertOrder(uint32_t orderIndex, uint32_t kind, uint32_t position, bool flag);
  // Appends the items of [first, last) of `source` (room reserved).
  void AppendRange(const LayoutItemStore& source, const LayoutCursor& first, const LayoutCursor& last,
                   bool moveStyleRuns);
};
