// ElementStyle: the style of one element: the kind of box it makes, how it
// breaks the flow, its text style and its box. DefaultStyle: what the
// layout context supplies as defaults, options and the font-face look-up.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "layout/drawing/color.h"
#include "layout/styles/style_length.h"
#include "layout/styles/text_style.h"

enum ElementStyleKind : int32_t {
  kStyleInline = 0,
  kStyleBlock = 1,
  kStyleBreak = 2,  // a break, rule or page break
  kStyleTable = 3,
  kStyleRow = 7,
  kStyleCell = 8,
  kStyleSection = 9,
};

// Bit 0 is set only in a paragraph format written at the opening of a block:
// the first line of the paragraph takes the first-line indent and the space
// before.
inline constexpr uint8_t kBoxParagraphStart = 0x01;
inline constexpr uint8_t kBoxBorder = 0x02;
inline constexpr uint8_t kBoxOwnBackground = 0x04;

struct ElementStyle {
  int32_t kind = kStyleInline;
  int32_t breakClass = 0;
  int32_t role = 0;
  TextStyle text;
  StyleLength lengths[5] = {0, 0, 0, 0, 0};  // L1 indent, L2 width, L3, L4 height, L5
  int32_t alignment = 0;                     // 1 left, 2 right, 3 centre, 4 justify, 5 poetry
  uint8_t marker = 0;
  uint8_t boxFlags = 0;
  Color blockBackground;
  Color borderColor;
  Color rowColor;
};

bool SameBox(const ElementStyle& a, const ElementStyle& b);

struct DefaultStyle {
  TextStyle text;
  StyleLength lengths[5] = {0, 0, 0, 0, 0};  // L2 to L5 are taken from here
  int32_t alignment = 0;
  uint8_t marker = 0;
  Color blockBackground;
  Color borderColor;
  Color rowColor;
  Color linkColor = Color::FromRgb(0, 0, 0xFF);
  bool underlineLinks = true;
  bool hrAsLineBreak = false;  // HR a plain line break, H1 without its page break
  // Face name (case-folded, up to its first comma) to face id; 0 unknown.
  uint8_t (*lookUpFace)(const WCHAR* name, uint32_t length, void* context) = nullptr;
  void* faceContext = nullptr;
};
