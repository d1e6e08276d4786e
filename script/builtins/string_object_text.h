// The text operations behind the String object's methods, on UTF-16 units:
// searching, cutting, replacing and mapping characters. Kept free of values
// and stacks so that they read (and are tested) as plain functions.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

// First position at or after `from` (clamped to 0..length) where `needle`
// occurs, -1 when none. An empty needle gives from, or -1 when from is the
// length.
int32_t StringIndexOf(const SharedWideString& text, const SharedWideString& needle, int32_t from);
// Last position not after `from` where `needle` occurs, -1 when none.
// `from` is clamped to 0..length - 1 and truncated; NaN means length - 1.
// An empty needle gives that from.
int32_t StringLastIndexOf(const SharedWideString& text, const SharedWideString& needle,
                          double from);
// Resolves a slice position: negative counts from the end (at least 0), past
// the length becomes the length.
uint32_t SlicePosition(int32_t position, uint32_t length);
// Clamps a substring position to 0..length.
uint32_t ClampPosition(int32_t position, uint32_t length);
// *out becomes the text with at most maxCount occurrences of pattern (left
// to right, not overlapping) replaced by replacement; maxCount below 0
// replaces every occurrence; an empty pattern replaces nothing. False when
// memory runs out.
bool StringReplace(const SharedWideString& text, const SharedWideString& pattern,
                   const SharedWideString& replacement, int32_t maxCount, SharedWideString* out);
// *out becomes the text with every unit mapped; false when memory runs out.
bool StringMapChars(const SharedWideString& text, WCHAR (*map)(WCHAR), SharedWideString* out);
