// FindWordEntries and AddLinkedEntries: matches found directly, through a
// second table's links, and through CJK prefixes of the second table.
#include "index/words/word_entries.h"

#include <cstring>

#include "foundation/characters/char_class.h"
#include "index/books/book_index_tables.h"
#include "index/tables/index_entry_reader.h"
#include "index/tables/index_table.h"

namespace {

TextRangeRef Match(uint32_t length, uint32_t direct, int32_t value, uint8_t flagA, uint8_t flagB) {
  TextRangeRef m;
  m.length = length;
  m.count = direct;
  m.source = value;
  m.flagA = flagA;
  m.flagB = flagB;
  return m;
}

bool Append(TextRangeList* matches, const IndexEntryRef& ref, TextRangeRef pattern) {
  pattern.start = ref.record;
  pattern.end = ref.entry;
  return matches->Append(pattern) >= 0;
}

// The kind byte the naming table gives the second table's name for the
// table (by its header record relative to the record base); 255 when none.
uint32_t LinkTag(IndexTable* table, IndexTable* secondTable, IndexTable* naming) {
  if (naming == nullptr) return 255;
  SharedWideString name;
  if (secondTable->GetName(&name)) return 255;  // no name
  const int32_t relative = table->GetHeaderRecordNumber() - table->GetRecordBase();
  if (relative < 0) return 255;
  naming->AddRef();  // GetFieldKind consumes one reference
  return GetFieldKind(name.Chars(), name.length, naming, static_cast<uint32_t>(relative), false);
}

// The units up to and including the last CJK ideograph; 0 when none.
uint32_t CutAfterLastIdeograph(const WCHAR* word, uint32_t count) {
  for (uint32_t i = count; i-- > 0;)
    if (IsCjkIdeograph(word[i])) return i + 1;
  return 0;
}

// Second-table entries whose labels begin with the cut word and hold no
// further ideograph, each followed through the link tag.
bool AddCjkPrefixMatches(IndexTable* table, IndexTable* second, const WCHAR* word, uint32_t cut, uint32_t tag,
                         int32_t value, TextRangeList* matches) {
  uint8_t converted[kIndexScratchBytes * 4];
  uint32_t convertedLength = 0;
  int32_t cp = 0;
  if (!second->ConvertKey(word, cut, converted, sizeof(converted), &convertedLength, &cp)) return false;
  const uint8_t* stored = nullptr;
  uint32_t storedLength = 0;
  second->PrepareKey(converted, convertedLength, cp, &stored, &storedLength, nullptr);
  if (storedLength == 0) return false;
  // The stored key may live in the table's scratch, which labels reuse.
  uint8_t key[kIndexScratchBytes];
  if (storedLength > sizeof(key)) storedLength = sizeof(key);
  std::memcpy(key, stored, storedLength);
  IndexEntryRef ref;
  second->FindKey(key, storedLength, &ref, false, cp, true, true, false, 0);
  // The insertion point may lie just past its record's last entry.
  if (ref.IsSentinel() || second->Step(&ref, 0) != 0) return false;
  IndexEntryReader links;
  if (!links.Init(second)) return false;
  bool added = false;
  for (uint32_t guard = 0; guard < 0x10000; ++guard) {
    const uint8_t* label = nullptr;
    uint32_t labelLength = 0;
    if (!second->GetLabelData(ref.record, ref.entry, &label, &labelLength) ||
        second->CompareKeys(key, storedLength, label, labelLength, storedLength) != 0) {
      break;
    }
    SharedWideString text;
    bool laterIdeograph = false;
    if (second->GetLabel(ref, &text)) {
      for (uint32_t i = cut; i < text.length && !laterIdeograph; ++i) laterIdeograph = IsCjkIdeograph(text.Chars()[i]);
    }
    if (!laterIdeograph) {
      added = AddLinkedEntries(table, matches, &links, ref, tag, Match(labelLength, 0, value, 0, 1)) || added;
    }
    if (second->Step(&ref, 1) != 0) break;
  }
  return added;
}

}  // namespace

bool AddLinkedEntries(IndexTable* table, TextRangeList* matches, IndexEntryReader* reader, const IndexEntryRef& entry,
                      uint32_t tag, const TextRangeRef& pattern) {
  uint32_t span = 0;
  uint32_t perItem = 0;
  if (reader->Attach(entry) != 0 || reader->SeekTag(tag, &span, &perItem) != 0 || span == 0 || perItem != 1)
    return false;
  bool added = false;
  uint32_t v = 0;
  while (reader->ReadValues(&v, 1, true) == 0) {
    if (v > 0x7FFFFFFFu) continue;
    const IndexEntryRef ref = table->MakeEntryRef(static_cast<int32_t>(v));
    if (ref.IsSentinel()) continue;
    if (!Append(matches, ref, pattern)) break;
    added = true;
  }
  return added;
}

bool FindWordEntries(IndexTable* table, const WCHAR* word, uint32_t count, TextRangeList* matches,
                     IndexTable* secondTable, IndexTable* naming, int32_t value, bool* found, bool cjk) {
  // Both extra tables are released at the end, whatever happens.
  IndexTablePtr second;
  second.Adopt(secondTable);
  IndexTablePtr names;
  names.Adopt(naming);
  if (found != nullptr) *found = false;
  if (table == nullptr || !table->IsOpen() || matches == nullptr) return false;
  const uint32_t before = matches->Count();

  // 1. The word is a key of the table.
  IndexEntryRef ref;
  if (table->LookupKey(word, count, &ref, false)) {
    for (uint32_t guard = 0; guard < 0x10000; ++guard) {
      if (!Append(matches, ref, Match(count, 1, value, 1, 1))) break;
      if (table->StepWithinEqualKeys(&ref, true) != 0) break;
    }
  } else if (second && second->IsOpen()) {
    const uint32_t tag = LinkTag(table, second.Get(), names.Get());
    IndexEntryReader links;
    if (tag != 255 && links.Init(second.Get())) {
      // 2. The word is a key of the second table, whose entries name ours.
      IndexEntryRef other;
      if (second->LookupKey(word, count, &other, false)) {
        for (uint32_t guard = 0; guard < 0x10000; ++guard) {
          AddLinkedEntries(table, matches, &links, other, tag, Match(count, 0, value, 1, 1));
          if (second->StepWithinEqualKeys(&other, true) != 0) break;
        }
      }
      // 3. Keys of the second table that begin with the word's CJK part.
      const uint32_t cut = cjk && matches->Count() == before ? CutAfterLastIdeograph(word, count) : 0;
      if (cut != 0) AddCjkPrefixMatches(table, second.Get(), word, cut, tag, value, matches);
    }
  }
  const bool added = matches->Count() > before;
  if (found != nullptr) *found = added;
  return added;
}
