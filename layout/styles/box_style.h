// BoxStyle: the borders, margins and paddings of a table, row or cell box,
// with its background and vertical alignment. Sides are kept in the order
// top, left, bottom, right. A border word holds the width above the low
// four bits and the style in them; a colour of Color::kNoColor and a style
// of 8 mean unset, as does bit 30 of a margin or padding length.
#pragma once

#include <cstdint>

#include "layout/drawing/color.h"
#include "layout/styles/style_length.h"

enum BoxSide : uint32_t { kBoxTop = 0, kBoxLeft = 1, kBoxBottom = 2, kBoxRight = 3, kBoxSideCount = 4 };

struct BoxStyle {
  static constexpr uint16_t kStyleUnset = 8;
  static constexpr uint16_t kStyleMask = 0x000F;
  static constexpr uint32_t kMaxBorderWidth = 0x0FFF;  // what the word above the style bits holds
  static constexpr int32_t kVAlignUnset = 8;

  Color background;
  int32_t verticalAlignment = kVAlignUnset;  // the VALIGN values: 0 top, 1 middle, 2 bottom, ...
  Color borderColor[kBoxSideCount];
  uint16_t border[kBoxSideCount] = {kStyleUnset, kStyleUnset, kStyleUnset, kStyleUnset};
  StyleLength margin[kBoxSideCount] = {kStyleLengthUnset, kStyleLengthUnset, kStyleLengthUnset, kStyleLengthUnset};
  StyleLength padding[kBoxSideCount] = {kStyleLengthUnset, kStyleLengthUnset, kStyleLengthUnset,
                                        kStyleLengthUnset};

  static uint32_t BorderWidth(uint16_t word) { return word >> 4; }
  static uint16_t BorderStyle(uint16_t word) { return static_cast<uint16_t>(word & kStyleMask); }
  // A border word; widths above what the word holds are cut to it.
  static uint16_t MakeBorder(uint32_t width, uint16_t style);

  void SetBorders(uint32_t width, uint16_t style, Color color);
  void SetMargins(StyleLength length);
  void SetPaddings(StyleLength length);
  // Takes an unset colour and an unset style of each side from `other`,
  // then each side named by the mask (bit n = side n) keeps the stronger of
  // the two borders.
  void InheritBorders(const BoxStyle& other, uint32_t sideMask);
  // Every unset margin becomes `length`.
  void FillUnsetMargins(StyleLength length);
};

// The stronger of two border edges: the wider, at equal widths the larger
// style; the colour goes with the winner. Answers whether `other` won.
bool MergeBorderEdge(uint16_t* border, Color* color, uint16_t otherBorder, Color otherColor);
