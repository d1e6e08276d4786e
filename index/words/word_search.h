// Word search over an index: the entries a looked-up word leads to, trying
// the word itself (an elided article dropped, except in English), its base
// forms through the book's inflection table (form lists or rule classes),
// and, for Danish, German and Dutch, its splits into two words. Entries that
// link to another (tag 25) are replaced by their target; no entry is listed
// twice.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_typed.h"
#include "index/tables/index_entry_ref.h"
#include "platform/types/device_types.h"

class IndexTable;
class IndexEntryReader;

using IndexRefList = SegmentedTypedArray<IndexEntryRef, false>;

struct WordSearchFlags {
  bool restrictCompounds = false;
  bool forceCompounds = false;
  bool withInflections = true;
};

// True when entries were found.
bool SearchText(IndexTable* table, const WCHAR* word, uint32_t count, IndexRefList* list, WordSearchFlags flags);

// The exact look-up of a word in stored-form bytes of keyCodePage plus the
// inflection search of the table's kind; true when entries were added.
bool TrySearch(IndexTable* table, const uint8_t* word, uint32_t length, IndexRefList* list, IndexEntryReader* reader,
               int32_t keyCodePage, bool withInflections);

// The entry (and every following entry with an equal key), each replaced by
// the target of its tag-25 link, skipping refs already listed.
void AddEqualEntries(IndexTable* table, IndexEntryRef ref, IndexRefList* list, IndexEntryReader* reader);
bool AddEntry(IndexTable* table, IndexEntryRef ref, IndexRefList* list, IndexEntryReader* reader);
bool ListContains(const IndexRefList& list, const IndexEntryRef& ref);
