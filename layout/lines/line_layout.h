// LayOutLine: builds one line of a column from the items at a cursor: walks
// text items, style runs, paragraph formats, marks and objects, measures
// them, ends the line where a mark says so or where the next word does not
// fit (breaking at an earlier word, or splitting the word), computes the
// line's vertical metrics and writes a line record in front of its items.
#pragma once

#include <cstdint>

#include "layout/items/layout_item_store.h"
#include "layout/lines/line_boxes.h"
#include "layout/lines/line_records.h"
#include "layout/lines/text_font.h"
#include "layout/styles/text_style.h"

// Reads the next element of the document and appends its items to the
// store, setting the store's end position; false when reading failed.
class ItemFeed {
 public:
  virtual ~ItemFeed() = default;
  virtual bool ReadMore(LayoutItemStore* store) = 0;
};

// Words of an object item that line layout fills (the builder's are in
// layout/items/layout_records.h), and the flag that keeps an object at a
// line start off the baseline.
inline constexpr uint32_t kObjectPlacedWidth = 8;
inline constexpr uint32_t kObjectPlacedHeight = 9;
inline constexpr uint8_t kObjectOwnLine = 0x01;

// What line layout reads and writes of the page being filled.
struct LineEnvironment {
  LayoutItemStore* store = nullptr;
  ItemFeed* feed = nullptr;
  TextFont font;
  int32_t lineSpacing = 0;  // quarters of the font height added as leading
  // The page frame's style, paragraph format and start, carried from line
  // to line.
  TextStyle* frameStyle = nullptr;
  ParagraphFormat* frameFormat = nullptr;
  uint32_t* frameStart = nullptr;
  uint32_t* sectionColor = nullptr;  // may be null
  // Without a table layout, the ends of tables, rows and cells end lines
  // like paragraph ends, so that a table flows as lines.
  bool tablesAsLines = true;
};

// Lays out one line at the cursor. more: another line may follow in this
// column; atTop: the column is still empty (in), cleared when a line was
// placed; produced: cleared when the line stopped before a table. False
// when a read or an insert failed.
bool LayOutLine(LineEnvironment& env, FlowSpace* space, LayoutCursor* cursor, bool* more, bool* atTop,
                bool* produced);
