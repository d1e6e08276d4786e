// Small rules the document view applies when a request or a fragment opens
// an index, a query or the word list: which table numbers a fragment may
// name, the bullet a query widget marks rows with, the link a word-list
// entry keeps back to its dictionary, and when the last typed query is
// typed in again.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

// A table or sub-table number from a fragment or a link names a table only
// from 0 to 0xFFFE; a larger one would be cut to 16 bits and open another.
bool IsTableNumber(int32_t number);

// The row icon of a bullet value (a number, or the atom of a bullet name):
// 230 for the red cross (34), 225 for the green check (35), 232 for the
// hospital (37), 224 for any other.
int32_t BulletCodeFor(int32_t value);

// "oeb:redirect?title=" and the dictionary's title escaped with the strict
// set (so "&", "$", "#", "%" and "+" stay in the title), then "$table=" and
// the table when there is one.
bool WordListLinkUrl(const SharedWideString& title, const SharedWideString& table, SharedWideString* url);

// The input mode of an index widget's flags (bits 16 to 19; mode 3 counts
// as 0 when two modes are compared).
uint32_t IndexInputMode(uint32_t flags);
// Whether a saved query (its text, flags and code-page word) is typed into
// a new widget with these flags and code-page key (low 10 bits compared).
bool SavedQueryApplies(const SharedWideString& savedText, uint32_t savedFlags, uint32_t savedCodePage,
                       uint32_t flags, uint32_t codePageKey);
