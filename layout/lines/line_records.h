// The line record (kind 3) that line layout writes into the layout item
// store, and typed views of the records it reads there (the paragraph
// formats and marks the tag-to-layout builder writes).
#pragma once

#include <cstdint>
#include <cstring>

#include "layout/drawing/color.h"
#include "layout/items/layout_item_store.h"
#include "layout/items/layout_records.h"
#include "layout/styles/style_length.h"

// The builder's records (paragraph formats, marks, section colours) under
// the names line layout uses.
inline constexpr uint8_t kFormatParagraphStart = kBoxParagraphStart;
inline constexpr uint8_t kFormatBordered = kBoxBorder;
inline constexpr uint8_t kFormatOwnBackground = kBoxOwnBackground;
using MarkRecord = LayoutMark;
inline constexpr uint8_t kMarkBoxClosed = LayoutMark::kClosesChangedBlock;

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
  LayoutMark mark;
  mark.code = code;
  mark.value = value;
  mark.flags = flags;
  return store->AppendItem(kMarkItem, &mark, position, false);
}
