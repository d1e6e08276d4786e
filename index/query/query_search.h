// Binary search over the entries of an index table by entry number, under
// the table's collation: the first entry whose key is not below a key
// (lower) or above it (upper), comparing at most `limit` codes (0: whole
// keys). Answers a number in [0, count]; count when every key is smaller.
// Unlike a search for one equal key, it always lands on the edge of a run
// of equal keys, which is what prefix ranges and equal-key runs need. The
// entry record is found first by the highest keys that the header record
// lists, so a search loads one entry record.
#pragma once

#include <cstdint>

class IndexTable;

int32_t SearchEntries(IndexTable* table, uint32_t count, const uint8_t* key, uint32_t length, uint32_t limit,
                      bool upper);
// The entries a table's records really hold.
uint32_t CountTableEntries(IndexTable* table);
