// Entries of a document source's special table of kind 3 read by number or
// key: the entry's label with its text (tag 7), or the bytes of its data
// (tag 6). The table is opened for the call and released after it.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

class DocumentSource;
struct ByteBuffer;

// Entry n: its label into *key and the text of its tag 7 into *text.
bool ReadIndexEntryText(DocumentSource* source, SharedWideString* key, SharedWideString* text, int32_t n);
// The entry named key (or, without a key, entry n): the bytes of its tag 6.
bool ReadIndexEntryData(DocumentSource* source, const SharedWideString* key, ByteBuffer* data, int32_t n);
