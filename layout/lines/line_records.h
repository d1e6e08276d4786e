// The fixed records that line and page layout read from and write into the
// layout item store: the paragraph format (kind 0), the mark (kind 2) and
// the line record (kind 3). The tag-to-layout builder writes the first two;
// line layout writes the third.
#pragma once

#include <cstdint>
#include <cstring>

#include "layout/drawing/color.h"
#include "layout/items/layout_item_store.h"
#include "layout/styles/style_length.h"

// Box flags of a paragraph format.
inline constexpr uint8_t kFormatParagraphStart = 0x01;
inline constexpr uint8_t kFormatBordered = 0x02;
inline constexpr uint8_t kFormatOwnBackground = 0x04;

struct ParagraphFormat {
  // L1 left indent, L2 first-line indent, L3 right indent, L4 space before,
  // L5 space after.
  StyleLength lengths[5] = {0, 0, 0, 0, 0};
  int32_t alignment = 0;  // 1 left, 2 right, 3 centre, 4 justify, 5 poetry
  uint8_t marker = 0;     // bits 0-1: the paragraph carries a list marker
  uint8_t boxFlags = 0;
  uint8_t unused[2] = {0, 0};
  Color background;
  Color borderColor;
};
static_assert(sizeof(ParagraphFormat) == 36, "paragraph format record size");

enum MarkCode : int16_t {
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
// Bit 0 of a mark's flags: a block whose box changed closes here.
inline constexpr uint8_t kMarkBoxClosed = 0x01;

struct MarkRecord {
  int16_t code = 0;
  uint8_t flags = 0;
  uint8_t unused = 0;
  int32_t value = 0;
};
static_assert(sizeof(MarkRecord) == 8, "mark record size");

// Line flags.
inline constexpr uint8_t kLineParagraphEnd = 0x01;
inline constexpr uint8_t kLineWrapped = 0x02;  // ended by wrapping: may be stretched
inline constexpr uint8_t kLineBoxTop = 0x04;
inline constexpr uint8_t kLineBoxBottom = 0x08;
inline constexpr uint8_t kLinePlain = 0x10;  // no list marker, not an empty forced break

struct LineRecord {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;  // the line's available width
  int32_t height = 0;
  int32_t leftIndent = 0;
  int32_t rightIndent = 0;
  int32_t spaceAbove = 0;
  int32_t spaceBelow = 0;
  int32_t contentWidth = 0;  // remaining width plus trailing spaces
  int32_t spaceCount = 0;
  ParagraphFormat format;
  uint8_t flags = 0;
  uint8_t painterBytes[3] = {0, 0, 0};  // the renderer's
  int32_t baseline = 0;
  int32_t textTop = 0;
  int32_t textBottom = 0;
};
static_assert(sizeof(LineRecord) == kLayoutFixedRecordBytes[kLineItem], "line record size");

// Typed views of the fixed records at a cursor (the kind must match).
inline ParagraphFormat* FormatAt(const LayoutCursor& at) {
  return static_cast<ParagraphFormat*>(at.store->fixed[kParagraphFormatItem].At(at.index[kParagraphFormatItem]));
}
inline MarkRecord* MarkAt(const LayoutCursor& at) {
  return static_cast<MarkRecord*>(at.store->fixed[kMarkItem].At(at.index[kMarkItem]));
}
inline LineRecord* LineAt(const LayoutCursor& at) {
  return static_cast<LineRecord*>(at.store->fixed[kLineItem].At(at.index[kLineItem]));
}
inline LayoutItem* TextAt(const LayoutCursor& at) { return at.store->textItems.At(at.index[kTextItem]); }
inline TextStyle* StyleRunAt(const LayoutCursor& at) { return at.store->styleRuns.At(at.index[kStyleRunItem]); }
inline LayoutObject* ObjectAt(const LayoutCursor& at) { return at.store->objects.At(at.index[kObjectItem]); }

inline bool AppendMark(LayoutItemStore* store, int16_t code, int32_t value, uint32_t position, uint8_t flags = 0) {
  MarkRecord mark;
  mark.code = code;
  mark.value = value;
  mark.flags = flags;
  return store->AppendItem(kMarkItem, &mark, position, false);
}
