// The index entry that belongs to a text position: the text record holding
// the position names index entries in its trailing entry of flag 0x2, and of
// those whose ranges (tag 1 start and tag 2 length, or tags 101-108 pairs)
// hold the position, the one with the smallest range wins.
#pragma once

#include <cstdint>

class BookDocument;
class IndexTable;

// The winning entry's absolute number in the table; -1 when the record
// names none whose range holds the position.
int32_t FindPositionEntry(BookDocument* book, IndexTable* table, uint32_t position);
