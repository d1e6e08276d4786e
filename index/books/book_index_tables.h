// The index tables of a book: its special indexes by kind (the main index,
// the inflection index bound to it as companion, the naming table, ...), an
// index by its header record, and a table named in the naming table. Each
// table is opened over the book's store with the book's first non-text
// record as its record base; the caller owns the reference answered.
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"

class BookDocument;
class IndexTable;

// Special index kinds of a book.
constexpr uint32_t kSpecialIndexMain = 0;
constexpr uint32_t kSpecialIndexPrimary = 1;
constexpr uint32_t kSpecialIndexInflection = 6;
constexpr uint32_t kSpecialIndexNaming = 7;
constexpr uint32_t kSpecialIndexLookupKey = 9;
constexpr uint32_t kSpecialRecordBase = 10;  // the first non-text record

IndexTable* OpenBookIndexTable(BookDocument* book, uint32_t kind);
IndexTable* OpenBookIndexTableAt(BookDocument* book, uint32_t record);
// kind 0 and 1: the name's tag 1 (kind 0 falls back to tag 2); kind 2: tag 2,
// whose entry's tag 6 pairs become the table's record map.
IndexTable* OpenBookNamedTable(BookDocument* book, const WCHAR* name, uint32_t length, uint32_t kind);

// The first value of the name's tag 1 (kinds 0, 1) or tag 2 (kind 2) in the
// naming table, kind 0 falling back to tag 2; -1 when missing. Consumes one
// reference to the naming table.
int32_t LookupNamedTable(const WCHAR* name, uint32_t length, IndexTable* naming, uint32_t kind);
// The kind byte of the first tag 6 (or 7) pair whose first value is the
// relative record; 255 when none. Consumes one reference to the naming table.
uint32_t GetFieldKind(const WCHAR* name, uint32_t length, IndexTable* naming, uint32_t relativeRecord,
                      bool useTag7);
