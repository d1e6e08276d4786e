// IndexTable: entry bytes and labels read in place from the current entry
// record, and the texts of the text records. Every IDXT offset, label length
// and text length is checked against its record before it is used.
#include <cstring>

#include "foundation/code_pages/code_page.h"
#include "foundation/streams/byte_order.h"
#include "index/search/key_collation.h"
#include "index/tables/index_table.h"
#include "index/tables/index_varint.h"
#include "storage/container/record_buffer.h"

bool IndexTable::EntryOffset(uint32_t entry, uint32_t* offset) const {
  // An entry at or above the record's own count lies past its IDXT block.
  if (entry >= entryHeader_.count) return false;
  *offset = entryHeader_.ItemOffset(entry);
  return true;
}

bool IndexTable::GetLabelData(int32_t record, int32_t entry, const uint8_t** label, uint32_t* length) {
  if (record < 1 || entry < 0 || !LoadEntryRecord(static_cast<uint32_t>(record))) return false;
  uint32_t at = 0;
  if (!EntryOffset(static_cast<uint32_t>(entry), &at)) return false;
  const uint32_t prefix = header_.LabelPrefix();
  if (!RecordRangeFits(at, prefix, entryHeader_.length)) return false;
  const uint8_t* p = entryHeader_.data + at;
  const uint32_t n = prefix == 2 ? LoadU16BE(p) : p[0];
  if (!RecordRangeFits(at + prefix, n, entryHeader_.length)) return false;
  *label = p + prefix;
  *length = n;
  return true;
}

bool IndexTable::GetEntryData(int32_t record, int32_t entry, const uint8_t** data, const uint8_t** end) {
  const uint8_t* label = nullptr;
  uint32_t length = 0;
  if (!GetLabelData(record, entry, &label, &length)) return false;
  *data = label + length;
  *end = entryHeader_.data + entryHeader_.length;
  return true;
}

bool IndexTable::GetHeaderLabel(uint32_t i, const uint8_t** label, uint32_t* length) {
  if (!EnsureCurrentStore() || i >= header_.count) return false;
  // Checked when the table opened.
  const uint8_t* p = header_.data + header_.ItemOffset(i);
  const uint32_t prefix = header_.LabelPrefix();
  *length = prefix == 2 ? LoadU16BE(p) : p[0];
  *label = p + prefix;
  return true;
}

bool IndexTable::GetLabelBytes(const IndexEntryRef& ref, const uint8_t** bytes, uint32_t* length) {
  const uint8_t* label = nullptr;
  uint32_t n = 0;
  if (scratch_ == nullptr || !GetLabelData(ref.record, ref.entry, &label, &n)) return false;
  if (header_.collation.utf16Keys) {
    WCHAR units[kIndexScratchBytes / 2];
    uint32_t count = DecodeLabel(header_.collation, label, n, units, kIndexScratchBytes / 2);
    std::memcpy(scratch_, units, count * sizeof(WCHAR));
    *bytes = scratch_;
    *length = count * sizeof(WCHAR);
    return true;
  }
  if (header_.ligatureCount != 0) {
    *length = MapLigatures(label, n, scratch_, kIndexScratchBytes, header_.ligatures, header_.ligatureCount, false);
    *bytes = scratch_;
    return true;
  }
  *bytes = label;
  *length = n;
  return true;
}

bool IndexTable::GetLabel(const IndexEntryRef& ref, SharedWideString* text) {
  text->Clear();
  const uint8_t* bytes = nullptr;
  uint32_t length = 0;
  if (!GetLabelBytes(ref, &bytes, &length)) return false;
  if (header_.collation.utf16Keys) {
    WCHAR units[kIndexScratchBytes / 2];
    std::memcpy(units, bytes, length);
    return text->FromChars(units, length / sizeof(WCHAR)) || length == 0;
  }
  return DecodeText(bytes, length, text);
}

bool IndexTable::GetLinkedLabel(int32_t n, SharedWideString* text) {
  text->Clear();
  if (companion_ == nullptr) return false;
  IndexEntryRef ref = companion_->MakeEntryRef(n);
  if (ref.IsSentinel()) return false;
  return companion_->GetLabel(ref, text);
}

bool IndexTable::DecodeText(const uint8_t* bytes, uint32_t length, SharedWideString* text) const {
  text->Clear();
  if (length == 0) return true;
  int32_t cp = static_cast<int32_t>(header_.codePage);
  if (cp == kCodePageUtf16) cp = kCodePageUtf8;
  if (cp == kCodePage1252) {
    WCHAR* out = nullptr;
    if (!text->GetWriteBuffer(&out, 0, length)) return false;
    for (uint32_t i = 0; i < length; ++i) out[i] = static_cast<WCHAR>(Cp1252ToUnicode(bytes[i]));
    return true;
  }
  // Every other page: at most one unit per byte.
  uint32_t capacity = length * 2;
  WCHAR* out = nullptr;
  if (!text->GetWriteBuffer(&out, 0, length)) return false;
  if (MultiByteToWide(bytes, length, cp, out, &capacity) != kConvertOk) {
    text->Clear();
    return false;
  }
  text->length = capacity / 2;
  return true;
}

// ---- Text records

const uint8_t* IndexTable::GetTextRecord(uint32_t position, uint32_t* available) {
  *available = 0;
  if (!EnsureCurrentStore()) return nullptr;
  const uint32_t number = position >> 16;
  const uint32_t offset = position & 0xFFFF;
  if (number >= header_.textRecordCount) return nullptr;
  const uint32_t record =
      (static_cast<uint32_t>(headerRecordNumber_) + header_.count + 1 + number) & 0xFFFF;
  if (textRecordNumber_ != static_cast<int32_t>(record)) {
    ReleaseRecord(&textBuffer_);
    textRecordNumber_ = -1;
    textBuffer_ = LoadRecord(record);
    if (textBuffer_ == nullptr) return nullptr;
    textRecordNumber_ = static_cast<int32_t>(record);
  }
  const uint32_t size = textBuffer_->GetSize();
  if (offset >= size || textBuffer_->GetData() == nullptr) return nullptr;
  *available = size - offset;
  return textBuffer_->GetData() + offset;
}

bool IndexTable::ReadLengthPrefixedBytes(uint32_t position, const uint8_t** bytes, uint32_t* length) {
  uint32_t available = 0;
  const uint8_t* p = GetTextRecord(position, &available);
  if (p == nullptr) return false;
  uint32_t n = 0;
  uint32_t used = ReadVarint(p, p + available, &n);
  // The length takes one to three bytes, and ends inside the record.
  if (used == 0 || used > 3 || (p[used - 1] & 0x80) == 0) return false;
  if (n > available - used) return false;
  *bytes = p + used;
  *length = n;
  return true;
}

bool IndexTable::ReadLengthPrefixedText(uint32_t position, SharedWideString* text) {
  text->Clear();
  const uint8_t* bytes = nullptr;
  uint32_t length = 0;
  if (!ReadLengthPrefixedBytes(position, &bytes, &length)) return false;
  return DecodeText(bytes, length, text);
}

bool IndexTable::ReadStoredText(uint32_t position, uint32_t byteCount, SharedWideString* text) {
  text->Clear();
  uint32_t available = 0;
  const uint8_t* p = GetTextRecord(position, &available);
  if (p == nullptr || byteCount > available) return false;
  return DecodeText(p, byteCount, text);
}
