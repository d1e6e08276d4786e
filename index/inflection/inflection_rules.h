// Inflection rules: the keys of a book's inflection table, strings that turn
// a base form into an inflected form (inflect) or back (reduce). Codes 1-4
// and 10-19 are rule codes, every other byte a character.
//
// Head: groups of code 1 (the inflected form's prefix) or code 4 (the base
// form's prefix) followed by characters. Body, from the first code 2, 3 or
// 10-19, read against the word from its end backwards: code 2 switches to
// the inflected side, code 3 to the base side; a character of the writing
// side is written, one of the other side removes a word character; codes
// 11-19 keep (code - 10) characters; code 10 only ends a group. Inflecting
// writes the inflected side, reducing the base side.
#pragma once

#include <cstdint>

#include "index/tables/index_entry_ref.h"
#include "platform/types/device_types.h"

class IndexTable;
class SharedWideString;
struct ByteBuffer;

enum class RuleDirection { kInflect, kReduce };

bool IsRuleCode(uint8_t byte);

// The rewritten word in out (its length in *length), or null when
// verification fails, the rule needs more characters than the word has, or
// memory runs out.
const uint8_t* ApplyRule(ByteBuffer* out, RuleDirection direction, const uint8_t* word, uint32_t wordLength,
                         const uint8_t* rule, uint32_t ruleLength, uint32_t* length, bool verify);

// 0 none, 1 form lists (tags 7 or 11 in the inflection table's first entry),
// 2 rule classes (tag 27 without 7 and 11). The inflection table becomes the
// table's companion when it was not.
int32_t InflectionKind(IndexTable* table);
// The inflection table of a main table (its companion, or the owner's
// special index of kind 6 kept as companion); null when none.
IndexTable* InflectionTable(IndexTable* table);

// The entry's head word inflected by the rule entry (absolute number in the
// inflection table), decoded as text.
bool InflectEntry(IndexTable* table, const IndexEntryRef& ref, int32_t ruleEntry, SharedWideString* text);

// The tag-26 value parallel to the tag-5 form name equal to name; -1 when
// none.
int32_t FindFormValue(IndexTable* table, int32_t ruleEntry, const WCHAR* name, uint32_t length);
