// Words on a laid-out page: which items are text, which separate words and
// which are neither, stepping a cursor by them, and the text between two
// cursors as it is copied, looked up and annotated.
//
// An item is text when it is a text run, an object or a hyphen at a line
// end; it separates words when it is any other mark or a table, row, cell
// or section colour; paragraph formats, line boxes and style runs are
// neutral and never stop a step.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "layout/items/layout_item_store.h"

enum class TextUnit : uint8_t { kNeutral, kText, kSeparator };

TextUnit ClassifyItem(const LayoutCursor& at);

// Moves item by item until the item is text (toText) or a separator.
// Backward, it first steps back once, and after finding the item steps
// forward once: the cursor stands on the first item after it. At the page
// start (backward) or end (forward): false when text was asked, else true.
bool StepUnit(LayoutCursor* cursor, bool forward, bool toText);
// n times: forward to text, then forward to a separator.
void AdvanceWords(LayoutCursor* cursor, uint32_t n);

// The text of [from, to): text runs as they are, one space for each run of
// breaks between them (none for a hyphen or a zero-width break), spaces
// trimmed at both ends. The language is that of the first style run found
// walking back from the first text taken (0 when none gives one). False on
// lack of memory (the text then empty).
bool ExtractText(const LayoutCursor& from, const LayoutCursor& to, SharedWideString* out, uint16_t* language);

// The first three words of a page; seven when those three make at most 9
// characters of Chinese, Japanese or Korean.
bool GetLookupWord(LayoutItemStore* page, SharedWideString* out);

inline bool CursorBefore(const LayoutCursor& a, const LayoutCursor& b) { return a.order < b.order; }
