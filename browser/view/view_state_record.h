// ViewStateRecord: the style record a document view gives the layout engine
// for the text it lays out (text size, colours, layout flags, the page's
// words).
#pragma once

#include <cstdint>

#include "layout/drawing/color.h"

struct ViewStateRecord {
  uint32_t flag = 1;
  uint32_t reserved[2] = {0, 0};
  // Text part.
  int32_t textSize = 0;
  uint8_t textFlags = 0x30;  // upper nibble 3, lower 0
  uint8_t layoutFlags = 0;
  Color textColor{};
  Color backgroundColor{};
  uint32_t textReserved = 0;
  // Page part.
  uint32_t page[7] = {0, 0x4000000Au, 0, 0, 0, 0, 24};
  Color frameColor{};
  bool hasFrameColor = false;  // the colour is none
};
