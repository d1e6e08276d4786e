// Walking a book's entry lists, bounded by the records that hold them.
#include "storage/books/entry_list_iterator.h"

#include "foundation/code_pages/code_page.h"
#include "foundation/streams/byte_order.h"
#include "storage/books/book_document.h"
#include "storage/container/record_buffer.h"

bool EntryListIterator::HasEntry() const {
  return remaining != 0 && records != nullptr && RecordRangeFits(entry, 12, recordSize);
}

bool EntryListIterator::GetEntry(uint32_t* value, uint16_t* second, bool* reported) const {
  if (!HasEntry()) return false;
  const uint8_t* e = records + entry;
  if (value) *value = LoadU32BE(e + 4);
  if (second) *second = LoadU16BE(e + 2);
  if (reported) *reported = (LoadU16BE(e) & 0x8) != 0;
  return true;
}

uint16_t EntryListIterator::GetFlags() const { return HasEntry() ? LoadU16BE(records + entry) : 0; }

bool EntryListIterator::GetName(SharedWideString* name) const {
  name->Clear();
  if (!HasEntry()) return false;
  const uint32_t at = LoadU32BE(records + entry + 8);
  // A name that overruns its record is empty.
  if (at == 0xFFFFFFFFu || !RecordRangeFits(at, 2, recordSize)) return false;
  const uint32_t length = LoadU16BE(records + at);
  if (!RecordRangeFits(at + 2, length, recordSize) || length == 0) return false;
  if (document != nullptr && document->MakeText(name, records + at + 2, length)) return true;
  const int32_t cp = document != nullptr ? document->GetSourceCodePage() : kCodePage1252;
  uint32_t bytes = length * 2;
  WCHAR* out = nullptr;
  if (!name->GetWriteBuffer(&out, 0, length)) return false;
  if (MultiByteToWide(records + at + 2, length, cp == kCodePageUtf16 ? kCodePage1252 : cp, out, &bytes) !=
      kConvertOk) {
    name->Clear();
    return false;
  }
  name->length = bytes / 2;
  return true;
}

uint32_t EntryListIterator::GetValue() const {
  if (remaining == 0 || words == nullptr || !RecordRangeFits(word, 4, wordsSize)) return 0;
  return LoadU32BE(words + word);
}

bool EntryListIterator::Next() {
  if (!HasEntry()) {
    remaining = 0;
    return false;
  }
  if (--remaining == 0) return false;
  const uint16_t flags = LoadU16BE(records + entry);
  uint64_t nextEntry = static_cast<uint64_t>(entry) + 12;
  uint64_t nextWord = static_cast<uint64_t>(word) + 4;
  if (flags & 0x1) {
    if (!RecordRangeFits(entry + 12, 4, recordSize)) {
      remaining = 0;
      return false;
    }
    const uint32_t blockWords = LoadU16BE(records + entry + 14);
    nextEntry = static_cast<uint64_t>(entry) + 16 + 4ull * blockWords;
    const uint32_t sub = GetValue() & 0xFFFF;
    nextWord = static_cast<uint64_t>(word) + 4ull * (1 + sub);
  }
  if (nextEntry + 12 > recordSize || nextWord > wordsSize) {
    remaining = 0;
    return false;
  }
  entry = static_cast<uint32_t>(nextEntry);
  word = static_cast<uint32_t>(nextWord);
  return true;
}

bool EntryListIterator::EnterChildren() {
  if (!HasEntry() || (LoadU16BE(records + entry) & 0x1) == 0 || !RecordRangeFits(entry + 12, 4, recordSize)) {
    return false;
  }
  const uint32_t children = LoadU16BE(records + entry + 12);
  if (children == 0 || !RecordRangeFits(entry + 16, 12, recordSize)) return false;
  remaining = children;
  entry += 16;
  word += 4;
  return true;
}

EntryFlagCursor::EntryFlagCursor(const EntryListIterator& entries) {
  if (!entries.HasEntry() || entries.words == nullptr) return;
  // The current word's sub-block: the words of its entry's children.
  uint64_t at = static_cast<uint64_t>(entries.word) + 4;
  if (entries.GetFlags() & 0x1) at += 4ull * (entries.GetValue() & 0xFFFF);
  if (at + 4 > entries.wordsSize) return;
  word_ = LoadU32BE(entries.words + at);
}
