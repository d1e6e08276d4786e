// What the library needs of a book without opening it as a document: its
// title (PeekBookTitle) and the summary its catalogue keeps
// (ReadBookHeaderSummary), read from record 0 by the same rules as the
// book document. And the decoding of a name stored in a book's encoding.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

class PalmDatabase;

struct BookHeaderSummary {
  uint32_t bookType = 0;
  int32_t codePage = -1;        // the book's encoding; -1 when it names none
  uint16_t languagePair = 0xFFFF;
  uint32_t textLength = 0xFFFFFFFFu;
  SharedWideString databaseName;
  SharedWideString fullName;
  uint32_t language = 0;
  uint16_t mainIndexRecord = 0xFFFF;
};

// Text stored in a book's encoding (65002 big-endian UTF-16, 65001 UTF-8,
// else the platform's converter) as UTF-16; false when it cannot be
// converted or memory runs out.
bool DecodeBookText(const uint8_t* bytes, uint32_t length, int32_t codePage, SharedWideString* out);

// Both answer true when they FAILED (the store is not a readable book).
// The title is the full name, or the database name read as code page 1252
// when the book has none.
bool PeekBookTitle(PalmDatabase* store, uint32_t* bookType, int32_t* codePage, SharedWideString* name);
bool ReadBookHeaderSummary(PalmDatabase* store, BookHeaderSummary* summary);
