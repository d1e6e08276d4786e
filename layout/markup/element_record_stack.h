// ElementRecordStack: the open elements above the layout's current position,
// one packed record per element, so that style resolution, the layout
// builder and the layout engine can look attributes of the current element
// and of its ancestors up without the parser. Copied into and restored from
// the layout engine's saved page state.
//
// A record, as consecutive 32-bit words: a header (bits 0-15 the tag id,
// 16-23 the record's word count, 24-31 the number of text values it added to
// the string array); the element's source position; per kept attribute one
// word (id in bits 0-15, index of its text in bits 16-31) for a text-valued
// attribute, or two words (id and 0xFFFF, then the parsed value) for a
// parsed one; and a trailer equal to the header, so records can be walked
// back from the end. A record holds at most 255 words: an element with more
// attributes keeps the first ones that fit.
//
// The per-element style records belong with style resolution, which keeps
// them beside this stack.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_strings.h"
#include "foundation/containers/segmented_array_typed.h"
#include "foundation/wide_string/shared_wide_string.h"

class ByteStream;
class TokenSource;

class ElementRecordStack {
 public:
  static constexpr uint32_t kMaxRecordWords = 255;
  static constexpr uint32_t kNoRecord = 0xFFFFFFFFu;

  ElementRecordStack();
  ElementRecordStack(const ElementRecordStack&) = delete;
  ElementRecordStack& operator=(const ElementRecordStack&) = delete;

  // False on lack of memory (this stack is then empty).
  bool CopyFrom(const ElementRecordStack& other);
  void Clear();
  bool IsEmpty() const { return words_.count == 0; }

  // By the stream's current tag: a self-contained tag changes nothing, a
  // closing tag removes the top record (nothing on an empty stack), an
  // opening tag adds a record. False only when memory runs out.
  bool Push(TokenSource& stream);
  void Pop();

  // The saved form inside a page-position chunk: the words, then the text
  // values (UTF-16 big-endian) and their lengths. Write answers the stream's
  // ok flag. Read checks every count against the bytes that remain and every
  // record's shape before it is used; false (the stack then empty) for a
  // damaged chunk or lack of memory.
  bool Write(ByteStream* stream) const;
  bool Read(ByteStream* stream);
  static constexpr uint32_t kMaxSavedRecords = 512;  // the parser's cap on open elements
  static constexpr uint32_t kMaxTagId = 205;

  uint32_t RecordCount() const { return records_; }
  // Start index of the record n places below the top (0 = the top);
  // kNoRecord past the bottom.
  uint32_t RecordAt(uint32_t n) const;
  uint32_t PreviousRecord(uint32_t record) const;  // the one below; kNoRecord at the bottom
  uint32_t NextRecord(uint32_t record) const;      // the one above; kNoRecord at the top
  uint32_t Tag(uint32_t record) const { return Word(record) & 0xFFFFu; }
  uint32_t Position(uint32_t record) const { return Word(record + 1); }
  // The nearest record with the tag, from the top or downward from `from`.
  uint32_t FindTag(uint32_t tagId) const { return FindTagFrom(tagId, RecordAt(0)); }
  uint32_t FindTagFrom(uint32_t tagId, uint32_t from) const;
  uint32_t AttributeCount(uint32_t record) const;
  // More than the header, position and trailer words.
  bool HasAttributes(uint32_t record) const { return record != kNoRecord && RecordWords(Word(record)) > 3; }
  // False when the record lacks the attribute (or holds it as the other form).
  bool AttributeValue(uint32_t record, uint32_t attributeId, uint32_t* value) const;
  bool AttributeText(uint32_t record, uint32_t attributeId, SharedWideString* text) const;

 private:
  bool RecordsAreSound();
  uint32_t Word(uint32_t i) const { return static_cast<uint32_t>(*words_.At(i)); }
  static uint32_t RecordWords(uint32_t header) { return (header >> 16) & 0xFFu; }

  SegmentedPointerArray words_;
  SegmentedWideStringArray strings_;
  uint32_t records_ = 0;
};
