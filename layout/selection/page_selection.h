// PageSelection: the user's selection on a laid-out page, kept in words:
// an anchor and a focus (each the word the stylus or the caret stood on),
// and a caret one word wide that the direction keys move by words and
// lines. It lives with the page and is reset with it. What the selection
// covers on the screen is drawn by whoever owns the page's geometry.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "layout/items/layout_item_store.h"

struct SelectionPoint {
  uint32_t position = 0;     // where its word starts
  uint32_t endPosition = 0;  // where its word ends
  LayoutCursor cursor;       // at the word's start
  bool IsEmpty() const { return position == endPosition; }
};

class PageSelection {
 public:
  static constexpr uint32_t kCopyWordLimit = 50;
  enum Direction : int32_t { kUp = 1, kDown = 2, kLeft = 3, kRight = 4 };

  // Starts over on a page (null: none): nothing selected, the caret at
  // the page start.
  void Reset(LayoutItemStore* page);
  LayoutItemStore* Page() const { return page_; }

  // Anchor and focus empty again, the caret back at the page start.
  void Clear();
  bool HasNoSelection() const { return anchor_.IsEmpty() || focus_.IsEmpty(); }
  // The word of an item (a cursor on the page) becomes the anchor or the
  // focus. False when the item is not on this page.
  bool SelectWordAt(const LayoutCursor& item, bool anchor);
  // False without a page; directions outside 1-4 do nothing.
  bool MoveCaret(int32_t direction);
  // The caret, when not empty, becomes the anchor or the focus.
  void SetSelectionEnd(bool anchor);
  // The earlier of anchor and focus, and the end of the other one's word.
  bool GetSelectionCursors(LayoutCursor* start, LayoutCursor* end) const;
  // Their positions; (0, 0) without a selection.
  void GetSelectionRange(uint32_t* start, uint32_t* end) const;
  // The selected text; only its first 50 words unless `whole`. Empty and
  // true without a selection; false on lack of memory.
  bool GetSelectedText(bool whole, SharedWideString* out, uint16_t* language) const;
  // From the selection's start to its end moved on by units - 1 words;
  // false for 0 units or without a selection.
  bool GetSelectionTextByUnit(uint32_t units, SharedWideString* out) const;

  const SelectionPoint& Anchor() const { return anchor_; }
  const SelectionPoint& Focus() const { return focus_; }
  const SelectionPoint& Caret() const { return caret_; }

 private:
  void CaretForward(bool skip);
  void CaretBack();
  bool AtFirstItem(const LayoutCursor& at) const { return at.order == 0; }
  uint32_t PositionOf(const LayoutCursor& at) const { return page_->PositionAt(at); }

  LayoutItemStore* page_ = nullptr;
  SelectionPoint anchor_;
  SelectionPoint focus_;
  SelectionPoint caret_;
};
