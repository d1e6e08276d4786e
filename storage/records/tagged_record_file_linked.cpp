// TaggedRecordFile: linked fields. A 32-bit field holds the identifier of a
// record (of a tag the caller names) that carries a text or a blob. Writing
// an empty text deletes the linked record and stores -1; a link that names
// no record of the expected tag (damaged, or pointing at another kind of
// record) counts as absent, so a new record takes its place and the record
// it wrongly named is left alone.
#include "storage/records/tagged_record_file.h"

RecordResult TaggedRecordFile::ReadUsableLink(uint32_t id, uint32_t offset, uint32_t tag, uint32_t dataTag,
                                              uint32_t* link) {
  uint32_t value = kNoRecordId;
  if (GetInt32(id, offset, &value, tag) != RecordResult::kOk) return RecordResult::kFailed;
  if (value != kNoRecordId) {
    uint16_t index = 0;
    if (!FindRecordIndex(value, &index) || LockRecordAtIndex(index, false) != dataTag) value = kNoRecordId;
    ReleaseCurrent();
  }
  *link = value;
  return RecordResult::kOk;
}

RecordResult TaggedRecordFile::StoreLink(uint32_t id, uint32_t offset, uint32_t tag, uint32_t oldLink,
                                         uint32_t newLink, uint32_t dataTag) {
  if (SetInt32(id, offset, newLink, tag) == RecordResult::kOk) return RecordResult::kOk;
  // No record may stay behind that nothing links to.
  if (oldLink == kNoRecordId && newLink != kNoRecordId) DeleteRecord(newLink, dataTag);
  return RecordResult::kFailed;
}

RecordResult TaggedRecordFile::SetLinkedString(uint32_t id, uint32_t offset, uint32_t tag, const void* bytes,
                                               uint32_t length, uint32_t dataTag) {
  uint32_t link = kNoRecordId;
  if (ReadUsableLink(id, offset, tag, dataTag, &link) != RecordResult::kOk) return RecordResult::kFailed;
  uint32_t newLink = link;
  if (WriteRecordData(&newLink, bytes, length, dataTag, kInsertBehindHeader) != RecordResult::kOk)
    return RecordResult::kFailed;
  return StoreLink(id, offset, tag, link, newLink, dataTag);
}

RecordResult TaggedRecordFile::SetLinkedBlob(uint32_t id, uint32_t offset, uint32_t tag, ByteStream& stream,
                                             uint32_t dataTag) {
  uint32_t link = kNoRecordId;
  if (ReadUsableLink(id, offset, tag, dataTag, &link) != RecordResult::kOk) return RecordResult::kFailed;
  uint32_t newLink = link;
  if (WriteRecordBlob(&newLink, stream, dataTag, kInsertBehindHeader) != RecordResult::kOk)
    return RecordResult::kFailed;
  return StoreLink(id, offset, tag, link, newLink, dataTag);
}

RecordResult TaggedRecordFile::SetLinkedWideString(uint32_t id, uint32_t offset, uint32_t tag, const WCHAR* chars,
                                                   uint32_t count, uint32_t dataTag) {
  uint32_t link = kNoRecordId;
  if (ReadUsableLink(id, offset, tag, dataTag, &link) != RecordResult::kOk) return RecordResult::kFailed;
  uint32_t newLink = link;
  if (WriteWideRecord(&newLink, chars, count, dataTag, kInsertBehindHeader) != RecordResult::kOk)
    return RecordResult::kFailed;
  return StoreLink(id, offset, tag, link, newLink, dataTag);
}

const uint8_t* TaggedRecordFile::GetLinkedData(uint32_t id, uint32_t offset, uint32_t tag, uint32_t* length,
                                               uint32_t dataTag) {
  uint32_t link = kNoRecordId;
  *length = 0;
  if (GetInt32(id, offset, &link, tag) != RecordResult::kOk) return nullptr;
  return LockRecordById(link, length, dataTag);
}

const WCHAR* TaggedRecordFile::GetLinkedWideString(uint32_t id, uint32_t offset, uint32_t tag, uint32_t* count,
                                                   uint32_t dataTag) {
  uint32_t link = kNoRecordId;
  *count = 0;
  if (GetInt32(id, offset, &link, tag) != RecordResult::kOk) return nullptr;
  return ReadWideRecord(link, count, dataTag);
}
