// BoxStyle: setting all sides, inheriting borders, filling margins.
#include "layout/styles/box_style.h"

uint16_t BoxStyle::MakeBorder(uint32_t width, uint16_t style) {
  if (width > kMaxBorderWidth) width = kMaxBorderWidth;
  return static_cast<uint16_t>((width << 4) | (style & kStyleMask));
}

void BoxStyle::SetBorders(uint32_t width, uint16_t style, Color color) {
  const uint16_t word = MakeBorder(width, style);
  for (uint32_t side = 0; side < kBoxSideCount; ++side) {
    border[side] = word;
    borderColor[side] = color;
  }
}

void BoxStyle::SetMargins(StyleLength length) {
  for (StyleLength& margin_ : margin) margin_ = length;
}

void BoxStyle::SetPaddings(StyleLength length) {
  for (StyleLength& padding_ : padding) padding_ = length;
}

void BoxStyle::InheritBorders(const BoxStyle& other, uint32_t sideMask) {
  for (uint32_t side = 0; side < kBoxSideCount; ++side) {
    if (borderColor[side].IsNone()) borderColor[side] = other.borderColor[side];
    if (BorderStyle(border[side]) == kStyleUnset && BorderStyle(other.border[side]) != kStyleUnset)
      border[side] = other.border[side];
    if (sideMask & (1u << side))
      MergeBorderEdge(&border[side], &borderColor[side], other.border[side], other.borderColor[side]);
  }
}

void BoxStyle::FillUnsetMargins(StyleLength length) {
  for (StyleLength& margin_ : margin)
    if (margin_ & kStyleLengthUnset) margin_ = length;
}

bool MergeBorderEdge(uint16_t* border, Color* color, uint16_t otherBorder, Color otherColor) {
  const uint32_t width = BoxStyle::BorderWidth(*border);
  const uint32_t otherWidth = BoxStyle::BorderWidth(otherBorder);
  const bool otherWins =
      otherWidth > width ||
      (otherWidth == width && BoxStyle::BorderStyle(otherBorder) > BoxStyle::BorderStyle(*border));
  if (otherWins) {
    *border = otherBorder;
    *color = otherColor;
  }
  return otherWins;
}
