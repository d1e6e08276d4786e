// The records of the fixed item kinds 0 to 6 that the tag-to-layout
// builder writes (paragraph formats, section colours, marks, tables, rows
// and cells), and the meaning of the words of a placed object (kind 9).
// The store copies fixed records as bytes of the kind's record size, so
// each record here is exactly that size; the words the builder leaves to
// the layout engine are reserved at the end.
#pragma once

#include <cstdint>

#include "layout/drawing/color.h"
#include "layout/items/layout_item_store.h"
#include "layout/styles/box_style.h"
#include "layout/styles/element_style.h"

// Kind 0: the box part of an element's style.
struct ParagraphFormat {
  StyleLength lengths[5] = {0, 0, 0, 0, 0};
  int32_t alignment = 0;
  uint8_t marker = 0;
  uint8_t boxFlags = 0;  // kBoxParagraphStart, kBoxBorder, kBoxOwnBackground
  uint16_t reserved = 0;
  Color blockBackground;
  Color borderColor;
};

// Kind 1: the row colour of a section or frameset; flag 1 at its opening.
struct SectionColorRecord {
  Color color;
  uint8_t flag = 0;
  uint8_t reserved[3] = {0, 0, 0};
};

// Kind 2: a mark. Codes: 0 page break, 1 paragraph end, 2 line end, 3-5 end
// of a table, row or cell, 6 space or break opportunity (value: the space's
// width), 7 hyphen at a line end, 8 end of the text.
enum LayoutMarkCode : int16_t {
  kMarkPageBreak = 0,
  kMarkParagraphEnd = 1,
  kMarkLineEnd = 2,
  kMarkTableEnd = 3,
  kMarkRowEnd = 4,
  kMarkCellEnd = 5,
  kMarkSpace = 6,
  kMarkHyphen = 7,
  kMarkTextEnd = 8,
};
struct LayoutMark {
  static constexpr uint8_t kClosesChangedBlock = 0x01;  // the block's section colour changed

  int16_t code = 0;
  uint8_t flags = 0;
  uint8_t reserved = 0;
  int32_t value = 0;
};

// Kind 4: a table, built from TABLE's attributes; placed by table layout.
struct TableItem {
  int32_t x = 0, y = 0, width = 0, height = 0;
  StyleLength givenWidth = kStyleLengthUnset;
  StyleLength givenHeight = kStyleLengthUnset;
  BoxStyle box;
  StyleLength cellPadding = kStyleLengthUnset | 1;
  int32_t placedX = 0, placedY = 0, spaceWidth = 0, shownHeight = 0;
  int32_t reserved[3] = {0, 0, 0};
};

// Kind 5: a table row.
struct TableRowItem {
  StyleLength givenHeight = kStyleLengthUnset;
  BoxStyle box;
  int32_t firstCell = 0;
  int32_t cellCount = 0;
  int32_t reserved[7] = {0, 0, 0, 0, 0, 0, 0};
};

// Kind 6: a table cell; spans already clamped.
struct TableCellItem {
  int32_t x = 0, y = 0, width = 0, height = 0;
  StyleLength givenWidth = kStyleLengthUnset;
  StyleLength givenHeight = kStyleLengthUnset;
  BoxStyle box;
  int32_t column = 0, row = 0;
  int32_t contentWidth = 0, contentHeight = 0;
  uint32_t columnSpan = 1, rowSpan = 1;
  int32_t reserved[3] = {0, 0, 0};
};

static_assert(sizeof(ParagraphFormat) == kLayoutFixedRecordBytes[kParagraphFormatItem]);
static_assert(sizeof(SectionColorRecord) == kLayoutFixedRecordBytes[kSectionColorItem]);
static_assert(sizeof(LayoutMark) == kLayoutFixedRecordBytes[kMarkItem]);
static_assert(sizeof(TableItem) == kLayoutFixedRecordBytes[kTableItem]);
static_assert(sizeof(TableRowItem) == kLayoutFixedRecordBytes[kTableRowItem]);
static_assert(sizeof(TableCellItem) == kLayoutFixedRecordBytes[kTableCellItem]);

// Kind 9: the words of a LayoutObject the builder fills, and its flags.
enum LayoutObjectWord : uint32_t {
  kObjectWidth = 0,       // StyleLength
  kObjectHeight = 1,      // StyleLength
  kObjectHSpace = 2,      // pixels left and right of the object
  kObjectVSpace = 3,      // pixels above and below
  kObjectAlignment = 4,   // 1 floats; otherwise a VALIGN value (3 baseline)
  kObjectDescent = 5,     // with alignment 3: how far it reaches below the baseline
};
inline constexpr uint8_t kObjectFit = 0x02;         // limited to the column and the space left
inline constexpr uint8_t kObjectKeepAspect = 0x04;  // the other dimension scales with a limit
inline constexpr uint8_t kObjectRemeasure = 0x08;   // measured again with the font (form controls)

inline ParagraphFormat ParagraphFormatOf(const ElementStyle& style) {
  ParagraphFormat format;
  for (int i = 0; i < 5; ++i) format.lengths[i] = style.lengths[i];
  format.alignment = style.alignment;
  format.marker = style.marker;
  format.boxFlags = style.boxFlags;
  format.blockBackground = style.blockBackground;
  format.borderColor = style.borderColor;
  return format;
}
