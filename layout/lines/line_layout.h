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

// Placement words of an object item (LayoutObject::words) and its flags.
enum ObjectWord : int {
  kObjectWidth = 0,  // requested, a StyleLength (0: none)
  kObjectHeight = 1,
  kObjectHSpace = 2,
  kObjectVSpace = 3,
  kObjectAlign = 4,
  kObjectDescent = 5,
  kObjectPlacedWidth = 8,
  kObjectPlacedHeight = 9,
};
inline constexpr uint8_t kObjectOwnLine = 0x01;     // not put on the baseline at a line start
inline constexpr uint8_t kObjectFit = 0x02;         // limited to the column
inline constexpr uint8_t kObjectKeepAspect = 0x04;
inline constexpr uint8_t kObjectFontRelative = 0x08;  // measured again after a font change

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
