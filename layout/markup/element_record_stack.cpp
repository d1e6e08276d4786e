// ElementRecordStack: pushing, popping and reading packed element records.
#include "layout/markup/element_record_stack.h"

#include "layout/markup/attribute_value.h"
#include "layout/markup/element_stream.h"
#include "layout/markup/keyword_tag_properties.h"

namespace {

constexpr uint32_t kParsedMark = 0xFFFFu;
constexpr uint32_t kHeadWords = 2;     // header and position
constexpr uint32_t kTrailerWords = 1;

uint32_t Header(uint32_t tag, uint32_t words, uint32_t strings) {
  return (tag & 0xFFFFu) | ((words & 0xFFu) << 16) | ((strings & 0xFFu) << 24);
}

}  // namespace

ElementRecordStack::ElementRecordStack() {
  words_.SetGeometry(6);
  strings_.SetGeometry(4);
}

void ElementRecordStack::Clear() {
  for (uint32_t i = 0; i < strings_.count; ++i) strings_.At(i)->Clear();
  strings_.count = 0;
  words_.count = 0;
  records_ = 0;
}

bool ElementRecordStack::CopyFrom(const ElementRecordStack& other) {
  if (&other == this) return true;
  Clear();
  if (!words_.CopyFrom(other.words_) || !strings_.CopyFrom(other.strings_)) {
    Clear();
    return false;
  }
  records_ = other.records_;
  return true;
}

bool ElementRecordStack::Push(TokenSource& stream) {
  bool closing = false, selfContained = false;
  uint32_t tag = stream.GetTag(&closing, &selfContained);
  if (selfContained) return true;
  if (closing) {
    Pop();
    return true;
  }
  // Choose the attributes first: those whose parsed value fails are left
  // out, and once the record is full the rest are dropped.
  struct Kept {
    uint32_t index;
    uint32_t value;
    bool text;
  };
  const uint32_t attributeCount = stream.GetAttributeCount();
  uint32_t words = kHeadWords + kTrailerWords;
  uint32_t texts = 0;
  // At most 252 attributes fit; keep their choice on the stack.
  Kept kept[kMaxRecordWords];
  uint32_t keptCount = 0;
  for (uint32_t n = 0; n < attributeCount; ++n) {
    const MarkupAttribute* attribute = stream.GetAttribute(n);
    if (attribute == nullptr) continue;
    Kept k{n, 0, HasTextValue(attribute->id)};
    if (!k.text && !ParseAttributeValue(attribute->id, attribute->value.Chars(), attribute->value.length, &k.value)) {
      continue;
    }
    // A text's index must fit its 16 bits (0xFFFF marks a parsed value).
    if (k.text && strings_.count + texts >= kParsedMark) continue;
    uint32_t cost = k.text ? 1 : 2;
    if (words + cost > kMaxRecordWords) break;
    words += cost;
    if (k.text) ++texts;
    kept[keptCount++] = k;
  }
  const uint32_t firstWord = words_.count;
  const uint32_t firstString = strings_.count;
  if (!words_.Reserve(firstWord + words) || !strings_.Reserve(firstString + texts)) return false;

  uint32_t at = firstWord;
  uint32_t header = Header(tag, words, texts);
  *words_.AtGrow(at++) = header;
  *words_.AtGrow(at++) = stream.GetPosition();
  for (uint32_t i = 0; i < keptCount; ++i) {
    const MarkupAttribute* attribute = stream.GetAttribute(kept[i].index);
    if (kept[i].text) {
      // An owned copy: the record must neither pin nor outlive the
      // document's text blocks that the parser's value may share.
      uint32_t index = strings_.count;
      SharedWideString* slot = strings_.AtGrow(index);
      if (!slot->FromChars(attribute->value.Chars(), attribute->value.length)) {
        slot->Clear();
        strings_.count = firstString;
        for (uint32_t k = firstString; k < index; ++k) strings_.At(k)->Clear();
        words_.count = firstWord;
        return false;
      }
      *words_.AtGrow(at++) = (attribute->id & 0xFFFFu) | ((index & 0xFFFFu) << 16);
    } else {
      *words_.AtGrow(at++) = (attribute->id & 0xFFFFu) | (kParsedMark << 16);
      *words_.AtGrow(at++) = kept[i].value;
    }
  }
  *words_.AtGrow(at++) = header;
  ++records_;
  return true;
}

void ElementRecordStack::Pop() {
  if (words_.count == 0) return;
  uint32_t trailer = Word(words_.count - 1);
  uint32_t words = RecordWords(trailer);
  uint32_t strings = trailer >> 24;
  words_.count = words <= words_.count ? words_.count - words : 0;
  for (uint32_t i = 0; i < strings && strings_.count != 0; ++i) strings_.At(--strings_.count)->Clear();
  if (records_ != 0) --records_;
}

uint32_t ElementRecordStack::RecordAt(uint32_t n) const {
  uint32_t end = words_.count;
  for (uint32_t i = 0;; ++i) {
    if (end == 0) return kNoRecord;
    uint32_t start = end - RecordWords(Word(end - 1));
    if (i == n) return start;
    end = start;
  }
}

uint32_t ElementRecordStack::PreviousRecord(uint32_t record) const {
  if (record == kNoRecord || record == 0) return kNoRecord;
  return record - RecordWords(Word(record - 1));
}

uint32_t ElementRecordStack::NextRecord(uint32_t record) const {
  if (record == kNoRecord) return kNoRecord;
  uint32_t next = record + RecordWords(Word(record));
  return next < words_.count ? next : kNoRecord;
}

uint32_t ElementRecordStack::FindTagFrom(uint32_t tagId, uint32_t from) const {
  for (uint32_t record = from; record != kNoRecord; record = PreviousRecord(record))
    if (Tag(record) == tagId) return record;
  return kNoRecord;
}

uint32_t ElementRecordStack::AttributeCount(uint32_t record) const {
  if (record == kNoRecord) return 0;
  uint32_t end = record + RecordWords(Word(record)) - kTrailerWords;
  uint32_t count = 0;
  for (uint32_t i = record + kHeadWords; i < end; ++i, ++count)
    if ((Word(i) >> 16) == kParsedMark) ++i;
  return count;
}

bool ElementRecordStack::AttributeValue(uint32_t record, uint32_t attributeId, uint32_t* value) const {
  if (record == kNoRecord) return false;
  uint32_t end = record + RecordWords(Word(record)) - kTrailerWords;
  for (uint32_t i = record + kHeadWords; i < end; ++i) {
    uint32_t word = Word(i);
    bool parsed = (word >> 16) == kParsedMark;
    if ((word & 0xFFFFu) == attributeId && parsed) {
      *value = Word(i + 1);
      return true;
    }
    if (parsed) ++i;
  }
  return false;
}

bool ElementRecordStack::AttributeText(uint32_t record, uint32_t attributeId, SharedWideString* text) const {
  if (record == kNoRecord) return false;
  uint32_t end = record + RecordWords(Word(record)) - kTrailerWords;
  for (uint32_t i = record + kHeadWords; i < end; ++i) {
    uint32_t word = Word(i);
    bool parsed = (word >> 16) == kParsedMark;
    if ((word & 0xFFFFu) == attributeId && !parsed) {
      *text = *strings_.At(word >> 16);
      return true;
    }
    if (parsed) ++i;
  }
  return false;
}
