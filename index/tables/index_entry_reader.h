// IndexEntryReader: walks the tags of one index entry. After its label an
// entry holds C control bytes, then a count area (one varint per tag whose
// multi-bit mask is all set in its control byte: the tag's span in bytes),
// then the tags' values, each a run of forward varints. The TAGX table of the
// index says which control byte and mask each tag uses and how many values
// make one item.
//
// Attach checks the whole entry against its record first: an entry whose
// control bytes, count area or value spans run past the record answers 1
// and nothing is read from it.
#pragma once

#include <cstdint>

#include "index/tables/index_entry_ref.h"

class IndexTable;
struct TagxEntry;

constexpr uint32_t kTagWalkEnd = 255;

class IndexEntryReader {
 public:
  // Binds the reader to a table and its tag table; the ready flag tells
  // whether the table has a header and a valid TAGX block.
  bool Init(IndexTable* table);
  bool IsReady() const { return ready_; }
  IndexTable* Table() const { return table_; }

  // 0, or 1 when the entry cannot be reached or its bytes overrun.
  int32_t Attach(const IndexEntryRef& ref);
  int32_t Rewind();
  const IndexEntryRef& Entry() const { return ref_; }

  // The next tag (present or absent: span 0), kTagWalkEnd at the end.
  uint32_t NextTag(uint32_t* span, uint32_t* valuesPerItem);
  // 0 when found (span 0: known but absent), 1 when the walk ended.
  int32_t SeekTag(uint32_t tag, uint32_t* span, uint32_t* valuesPerItem);
  // Reads n values of the current tag (values beyond its span read as 0); 1
  // when the tag has no bytes left or the walk has not started.
  int32_t ReadValues(uint32_t* out, uint32_t n, bool advance);
  uint32_t CountItems() const;
  uint32_t CurrentTag() const;
  // The first value byte of the current tag (its span from NextTag/SeekTag).
  const uint8_t* ValueBytes() const { return valueStart_; }

  bool FollowLink(IndexEntryRef* ref, uint32_t tag);
  // Follows tag 25, then tag 22; attached to the result when either moved.
  bool FollowEntryLink(IndexEntryRef* ref);
  // Up to n values of the tag's ascending list from the first not below v,
  // stepped by offset numbers; the count read.
  uint32_t ReadListAround(uint32_t tag, uint32_t v, int32_t offset, uint32_t* out, uint32_t n);

 private:
  // Walks every tag from the start; false when a span overruns the entry.
  bool Validate();

  bool ready_ = false;
  IndexTable* table_ = nullptr;
  const TagxEntry* tagx_ = nullptr;
  uint32_t tagCount_ = 0;
  uint32_t controlBytes_ = 0;
  const uint8_t* control_ = nullptr;
  const uint8_t* end_ = nullptr;
  const uint8_t* valueArea_ = nullptr;
  const uint8_t* valueCursor_ = nullptr;
  uint32_t controlIndex_ = 0xFFFFFFFFu;
  int32_t tagIndex_ = -1;  // -1: walk not started
  const uint8_t* countCursor_ = nullptr;
  uint32_t span_ = 0;
  const uint8_t* valueStart_ = nullptr;
  uint32_t valuesPerItem_ = 0;
  bool ended_ = false;
  bool overrun_ = false;  // the last walk stopped at bytes past the record
  IndexEntryRef ref_;
};

// Mask arithmetic of the control bytes.
uint32_t MaskValueBits(uint8_t mask);
