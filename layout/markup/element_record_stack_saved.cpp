// ElementRecordStack: the saved form of the records. A chunk comes from a
// side file and may be damaged: every count is checked against the bytes
// left before anything is allocated, and the records are walked once after
// reading so that the backward walks over them stay in bounds.
#include <cstdint>

#include "foundation/streams/byte_stream.h"
#include "layout/markup/element_record_stack.h"

namespace {

constexpr uint32_t kUtf16CodePage = 65002;
constexpr uint32_t kParsedMark = 0xFFFFu;

}  // namespace

bool ElementRecordStack::Write(ByteStream* stream) const {
  uint64_t units = 0;
  for (uint32_t i = 0; i < strings_.count; ++i) units += strings_.At(i)->length;
  const uint64_t textBytes = units * 2;
  const uint64_t size = (static_cast<uint64_t>(words_.count) + strings_.count + 4) * 4 + ((textBytes + 3) & ~3ull);
  if (textBytes > 0xFFFFFFFFull || size > 0xFFFFFFFFull || !stream->bytes.Reserve(stream->Size() + static_cast<uint32_t>(size))) {
    stream->ok = false;
    return false;
  }
  uint32_t n = words_.count;
  stream->WriteU32BE(&n, 1);
  for (uint32_t i = 0; i < words_.count; ++i) {
    uint32_t word = Word(i);
    stream->WriteU32BE(&word, 1);
  }
  uint32_t head[3] = {strings_.count, static_cast<uint32_t>(textBytes), kUtf16CodePage};
  stream->WriteU32BE(head, 3);
  if (strings_.count == 0) return stream->ok;
  for (uint32_t i = 0; i < strings_.count; ++i) {
    const SharedWideString* text = strings_.At(i);
    const WCHAR* chars = text->Chars();
    for (uint32_t k = 0; k < text->length; ++k) {
      uint8_t pair[2] = {static_cast<uint8_t>(chars[k] >> 8), static_cast<uint8_t>(chars[k])};
      stream->WriteBytes(pair, 2);
    }
  }
  stream->PadWrite(4);
  for (uint32_t i = 0; i < strings_.count; ++i) {
    uint32_t length = strings_.At(i)->length;
    stream->WriteU32BE(&length, 1);
  }
  return stream->ok;
}

bool ElementRecordStack::Read(ByteStream* stream) {
  Clear();
  uint32_t n = 0;
  if (!stream->ReadU32BE(&n, 1) || static_cast<uint64_t>(n) * 4 > stream->Remaining()) return false;
  if (!words_.Reserve(n)) return false;
  for (uint32_t i = 0; i < n; ++i) {
    uint32_t word = 0;
    if (!stream->ReadU32BE(&word, 1)) {
      Clear();
      return false;
    }
    *words_.AtGrow(i) = word;
  }
  uint32_t head[3] = {};
  if (!stream->ReadU32BE(head, 3)) {
    Clear();
    return false;
  }
  const uint32_t m = head[0], textBytes = head[1], codePage = head[2];
  if (m != 0) {
    const uint64_t padded = (static_cast<uint64_t>(textBytes) + 3) & ~3ull;
    if (codePage != kUtf16CodePage || padded + static_cast<uint64_t>(m) * 4 > stream->Remaining() ||
        m >= kParsedMark) {
      Clear();
      return false;
    }
    const uint32_t units = textBytes / 2;
    const uint32_t textStart = stream->readPos;
    // The lengths come after the characters: read them first, check their
    // sum, then cut the strings out of the characters.
    stream->readPos = textStart + static_cast<uint32_t>(padded);
    uint64_t sum = 0;
    if (!strings_.Reserve(m)) {
      Clear();
      return false;
    }
    for (uint32_t j = 0; j < m; ++j) {
      uint32_t length = 0;
      stream->ReadU32BE(&length, 1);
      sum += length;
      strings_.AtGrow(j)->Clear();
      strings_.At(j)->length = length;  // a placeholder until the text is read
    }
    const uint32_t end = stream->readPos;
    if (!stream->ok || sum > units) {
      for (uint32_t j = 0; j < strings_.count; ++j) strings_.At(j)->length = 0;
      Clear();
      return false;
    }
    stream->readPos = textStart;
    for (uint32_t j = 0; j < m; ++j) {
      SharedWideString* text = strings_.At(j);
      const uint32_t length = text->length;
      text->length = 0;
      WCHAR* chars = nullptr;
      if (length != 0 && !text->GetWriteBuffer(&chars, 0, length)) {
        for (uint32_t k = j + 1; k < m; ++k) strings_.At(k)->length = 0;
        Clear();
        return false;
      }
      for (uint32_t k = 0; k < length; ++k) {
        uint16_t unit = 0;
        stream->ReadU16BE(&unit, 1);
        chars[k] = static_cast<WCHAR>(unit);
      }
    }
    stream->readPos = end;
  }
  if (!stream->ok || !RecordsAreSound()) {
    Clear();
    return false;
  }
  return true;
}

// Every record, walked back from the top: a trailer equal to its header, at
// least 3 words and no more than remain, a known tag, attribute words that
// stay inside the record and text indexes below the string count; the
// records' string counts add up to the strings held.
bool ElementRecordStack::RecordsAreSound() {
  uint32_t end = words_.count;
  uint32_t records = 0;
  uint64_t strings = 0;
  while (end != 0) {
    const uint32_t trailer = Word(end - 1);
    const uint32_t words = RecordWords(trailer);
    if (words < 3 || words > end) return false;
    const uint32_t start = end - words;
    if (Word(start) != trailer || (trailer & 0xFFFFu) > kMaxTagId) return false;
    if (++records > kMaxSavedRecords) return false;
    strings += trailer >> 24;
    for (uint32_t i = start + 2; i < end - 1; ++i) {
      const uint32_t index = Word(i) >> 16;
      if (index == kParsedMark) {
        if (++i >= end - 1) return false;  // the value word must be inside
      } else if (index >= strings_.count) {
        return false;
      }
    }
    end = start;
  }
  if (strings != strings_.count) return false;
  records_ = records;
  return true;
}
