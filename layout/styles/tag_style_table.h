// TagStyleTable: the built-in style of each tag that has one, as operations
// on the parent's style. Each field's operation: inherit the parent's value,
// add or subtract the entry's amount, take the entry's value, or take the
// layout context's default. Tags without an entry change nothing.
#pragma once

#include <cstdint>

#include "layout/drawing/color.h"
#include "layout/styles/style_length.h"

enum StyleOperation : uint8_t {
  kStyleInherit = 0,
  kStylePlus = 1,
  kStyleMinus = 2,
  kStyleSet = 3,
  kStyleDefault = 4,
  kStylePerField = 5,
};

// Text fields and box fields, by their index in the entry's operation lists.
enum TextField : uint8_t { kFieldSize, kFieldBold, kFieldItalic, kFieldUnderline, kFieldStrike, kFieldPosition,
                           kFieldFace, kFieldColor, kFieldBackground, kTextFieldCount };
enum BoxField : uint8_t { kFieldL1, kFieldL2, kFieldL3, kFieldL4, kFieldL5, kFieldAlignment, kFieldMarkerLow,
                          kFieldMarkerHigh, kFieldBlockColors, kBoxFieldCount };

struct TagStyleEntry {
  uint16_t tag = 0;
  uint8_t textGroup = kStyleInherit;
  uint8_t textOps[kTextFieldCount] = {};
  uint8_t boxGroup = kStyleInherit;
  uint8_t boxOps[kBoxFieldCount] = {};
  uint8_t rowOp = kStyleInherit;
  int32_t kind = 0;
  int32_t breakClass = 0;
  int32_t role = 0;
  int8_t size = 0;   // in half steps
  uint8_t flags = 0; // the values of the bold, italic, underline and strike fields; position in bits 4-7
  uint8_t face = 0;
  StyleLength lengths[5] = {0, 0, 0, 0, 0};
  int32_t alignment = 0;
  uint8_t marker = 0;  // bits 0-1 and the bits above

  constexpr TagStyleEntry(uint16_t t, int32_t k, int32_t b, int32_t r) : tag(t), kind(k), breakClass(b), role(r) {}
  constexpr TagStyleEntry Text(uint8_t field, uint8_t op) const {
    TagStyleEntry e = *this;
    e.textGroup = kStylePerField;
    e.textOps[field] = op;
    return e;
  }
  constexpr TagStyleEntry Box(uint8_t field, uint8_t op) const {
    TagStyleEntry e = *this;
    e.boxGroup = kStylePerField;
    e.boxOps[field] = op;
    return e;
  }
};

// Binary search by tag id; false for tags without an entry.
bool FindTagStyle(uint32_t tagId, const TagStyleEntry** entry);
