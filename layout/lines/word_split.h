// Splitting a word that does not fit on its line: after a dash or between
// syllables with a hyphen shown at the line end (SplitWordToFit), or at the
// last character that fits (SplitWordAnywhere), or, when not even one
// character fits a line of its own, after the first character, which is
// then shown clipped (SplitWordAfterFirst). A split cuts the text item that
// holds it into a head and a tail; no text is ever dropped.
#pragma once

#include <cstdint>

#include "layout/items/layout_item_store.h"
#include "layout/lines/text_font.h"
#include "layout/styles/text_style.h"

struct WordSpan {
  LayoutCursor start;  // the word's first item
  LayoutCursor end;    // just past its last item
  TextStyle style;     // in force at the start
};

struct WordSplitResult {
  LayoutCursor next;      // where the next line starts (the tail)
  int32_t headWidth = 0;  // the part that stays on the line, hyphen included
  TextStyle style;        // in force at the split
  bool failed = false;    // an insert ran out of memory
};

// Each answers true when it split the word (the store then holds the cut
// items and any hyphen mark); false with result->failed for lack of memory.
bool SplitWordToFit(uint16_t language, const WordSpan& word, int32_t limit, const TextFont& font,
                    WordSplitResult* result);
bool SplitWordAnywhere(uint16_t language, const WordSpan& word, int32_t limit, const TextFont& font,
                       WordSplitResult* result);
bool SplitWordAfterFirst(const WordSpan& word, const TextFont& font, WordSplitResult* result);
