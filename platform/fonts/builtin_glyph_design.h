// The design of the built-in font: every glyph drawn on a grid nine rows high
// (rows 0-6 above the baseline, 7-8 the descenders; small letters stand on
// rows 2-6) and one to eight columns wide. builtin_font.cpp scales the grid
// to the requested size; the metric model there depends only on each glyph's
// column count, so changing a glyph's dots never moves text, but changing its
// width does (the metrics test pins them).
#pragma once

#include <cstdint>

namespace fonts {

constexpr int kDesignRows = 9;
constexpr int kDesignBaselineRow = 7;  // first row below the baseline
constexpr int kDesignWideColumns = 8;  // a CJK ideograph's cell

// Accent marks drawn above a small letter (row 0) or under it (cedilla).
enum class DesignAccent : uint8_t { None, Grave, Acute, Circumflex, Tilde, Diaeresis, Ring, Cedilla };

struct GlyphDesign {
  uint8_t columns;              // 1..8
  uint8_t rows[kDesignRows];    // bit (columns - 1 - c) set = dot in column c
};

// The design for a character: ASCII, Latin-1 letters (drawn as their base
// letter with an accent), common punctuation; a wide box for CJK; a narrow box
// for everything else. Never null. *accent receives the mark to add.
const GlyphDesign& DesignFor(char32_t ch, DesignAccent* accent);

// True for the characters drawn in a double-width cell (CJK ideographs, kana,
// Hangul, full-width forms).
bool IsWideCharacter(char32_t ch);

}  // namespace fonts
