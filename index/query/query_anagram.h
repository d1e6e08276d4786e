// Anagram matching of index keys: whether a key is made of a node's letters
// (with jokers standing for any letter and a number of letters allowed to
// stay unused), and the smallest (backwards: largest) key after a failing
// one that could still pass, so that a walk skips through the sorted keys.
#pragma once

#include <cstdint>

#include "index/query/query_node.h"

struct IndexCollation;

// Tables without a key map have no anagram matches.
bool HasKeyMap(const IndexCollation& collation);

// The letter record from letters in stored form (ignorable ones dropped);
// false when memory ran out, a letter would be given more than 255 times
// or there are more than 256 classes of letters.
bool BuildLetterRecord(const IndexCollation& collation, const uint8_t* letters, uint32_t length,
                       uint32_t maxLeftover, uint32_t jokers, QueryLetterRecord* record);

// True when the key passes; *passed is the number of key characters that
// passed before a failure (all of them when the leftover check failed).
bool AnagramTest(const IndexCollation& collation, const QueryLetterRecord& record, const uint8_t* key,
                 uint32_t length, uint32_t* passed);

// The key to jump to after a key that failed with `passed` characters, in
// stored form in out (at most capacity bytes); its length, -1 when no key
// can pass in that direction any more.
int32_t AnagramJumpKey(const IndexCollation& collation, const QueryLetterRecord& record, const uint8_t* key,
                        uint32_t length, uint32_t passed, bool forward, uint8_t* out, uint32_t capacity);
