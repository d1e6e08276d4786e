// EntryListIterator: walks the entry list that a book's position directory
// names for a text position (BookDocument::LookupIndexEntry). Entries are 12
// bytes, big-endian: u16 flags (0x1: a child block follows, 0x8: reported by
// GetEntry), u16 second word, u32 value, u32 name offset in the entry-data
// record (0xFFFFFFFF: none; there a u16 length and the name's bytes). A child
// block follows its entry: u16 child count, u16 length in 4-byte words, the
// children. A list of u32 parallel words runs beside the entries.
//
// Every step is bounded by the entry-data record and the directory record
// that hold the two lists: a step that would leave them ends the walk.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

class BookDocument;

class EntryListIterator {
 public:
  BookDocument* document = nullptr;
  const uint8_t* records = nullptr;  // the entry-data record
  uint32_t recordSize = 0;
  uint32_t entry = 0;                // offset of the current entry in it
  const uint8_t* words = nullptr;    // the parallel words' record (a directory record)
  uint32_t wordsSize = 0;
  uint32_t word = 0;                 // offset of the current word in it
  uint32_t rangeValue = 0;
  uint32_t remaining = 0;            // entries left, 1 at the start

  bool HasEntry() const;
  // The value, the second word and the 0x8 flag of the current entry.
  bool GetEntry(uint32_t* value, uint16_t* second, bool* reported) const;
  uint16_t GetFlags() const;
  bool GetName(SharedWideString* name) const;
  uint32_t GetValue() const;
  bool Next();
  bool EnterChildren();
};

// The flag word of the entry that follows the iterator's current one: the
// parallel word after the current word and its children's words. Read only
// while entries remain; a word past the record, or none, reads as 0.
class EntryFlagCursor {
 public:
  explicit EntryFlagCursor(const EntryListIterator& entries);
  uint32_t Word() const { return word_; }
  bool IsBit0Clear() const { return (word_ & 0x1) == 0; }

 private:
  uint32_t word_ = 0;
};
