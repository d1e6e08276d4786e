// BookParameterFile: the marks ("BKMK" records): adding one at its place in
// the record order, deleting it with everything it links to, and its
// fields.
#include <initializer_list>

#include "foundation/encoded_string/text_escape.h"
#include "storage/side_file/book_parameter_file.h"
#include "storage/side_file/side_file_layout.h"

using namespace sidefile;

uint32_t BookParameterFile::AddBookmark(uint32_t start, uint32_t end, uint32_t viewPosition, uint32_t viewExtra,
                                        uint32_t extra, uint32_t kind) {
  MarkOrderKey key;
  key.tag = kMarkTag;
  key.start = start;
  key.viewPosition = viewPosition;
  key.viewExtra = viewExtra;
  key.kind = kind;
  uint16_t index = 0;
  if (!FindMarkPlace(key, &index)) return kNoRecordId;
  // The header always sorts first; 0xFFFF is a full container (and would
  // read as "behind the header").
  if (index == 0 || index == kInsertBehindHeader) return kNoRecordId;
  uint32_t id = kNoRecordId;
  if (WriteRecord(&id, kMarkLength, kMarkTag, index) != RecordResult::kOk) return kNoRecordId;
  uint32_t length = 0;
  uint8_t* data = HeldRecordData(&length);
  if (!data || length != kMarkLength) {
    ReleaseCurrent();
    DeleteRecord(id, kMarkTag);
    return kNoRecordId;
  }
  const uint32_t words[] = {start, end, viewPosition, viewExtra, extra, kind};
  uint32_t offset = 0;
  for (uint32_t word : words) {
    StoreU32BE(data + offset, word);
    offset += 4;
  }
  for (; offset < kMarkLength; offset += 4) StoreU32BE(data + offset, kNoRecordId);
  ReleaseCurrent();
  return id;
}

RecordResult BookParameterFile::DeleteBookmark(uint32_t mark) {
  for (uint32_t offset : {kMarkTextLink, kMarkNoteLink, kMarkViewStateLink, kMarkStateLink, kMarkExcerptLink,
                          kMarkTitleLink}) {
    uint32_t link = kNoRecordId;
    if (GetInt32(mark, offset, &link, kMarkTag) == RecordResult::kOk) DeleteRecord(link, kDataTag);
  }
  return DeleteRecord(mark, kMarkTag);
}

void BookParameterFile::DeleteMark(uint32_t mark) {
  uint32_t kind = GetBookmarkKind(mark);
  if (kind == kKindProtected) return;
  if (kind == kKindLinked) {
    uint32_t target = GetBookmarkTarget(mark);
    if (target != kNoRecordId) DeleteBookmark(target);
  }
  DeleteBookmark(mark);
}

bool BookParameterFile::IsKind4000Mark(uint32_t mark) { return GetBookmarkKind(mark) == kKindProtected; }

RecordResult BookParameterFile::GetBookmarkRange(uint32_t mark, uint32_t* start, uint32_t* end,
                                                 uint32_t* viewPosition, uint32_t* viewExtra, uint32_t* extra) {
  uint32_t words[5];
  for (uint32_t i = 0; i < 5; ++i)
    if (GetInt32(mark, kMarkStart + 4 * i, &words[i], kMarkTag) != RecordResult::kOk) return RecordResult::kFailed;
  *start = words[0];
  *end = words[1];
  *viewPosition = words[2];
  *viewExtra = words[3];
  *extra = words[4];
  return RecordResult::kOk;
}

RecordResult BookParameterFile::SetBookmarkExtra(uint32_t mark, uint32_t extra) {
  return SetInt32(mark, kMarkExtra, extra, kMarkTag);
}

uint32_t BookParameterFile::GetBookmarkKind(uint32_t mark) {
  uint32_t kind = 0;
  GetInt32(mark, kMarkKind, &kind, kMarkTag);
  return kind;
}

RecordResult BookParameterFile::SetBookmarkKind(uint32_t mark, uint32_t kind) {
  return SetInt32(mark, kMarkKind, kind, kMarkTag);
}

uint32_t BookParameterFile::GetBookmarkTarget(uint32_t mark) {
  uint32_t target = kNoRecordId;
  GetInt32(mark, kMarkTarget, &target, kMarkTag);
  return target;
}

RecordResult BookParameterFile::SetBookmarkTarget(uint32_t mark, uint32_t target) {
  return SetInt32(mark, kMarkTarget, target, kMarkTag);
}

const WCHAR* BookParameterFile::GetBookmarkText(uint32_t mark, uint32_t* count) {
  return GetLinkedWideString(mark, kMarkTextLink, kMarkTag, count, kDataTag);
}
RecordResult BookParameterFile::SetBookmarkText(uint32_t mark, const WCHAR* text, uint32_t count) {
  return SetLinkedWideString(mark, kMarkTextLink, kMarkTag, text, count, kDataTag);
}
const WCHAR* BookParameterFile::GetBookmarkNote(uint32_t mark, uint32_t* count) {
  return GetLinkedWideString(mark, kMarkNoteLink, kMarkTag, count, kDataTag);
}
RecordResult BookParameterFile::SetBookmarkNote(uint32_t mark, const WCHAR* text, uint32_t count) {
  return SetLinkedWideString(mark, kMarkNoteLink, kMarkTag, text, count, kDataTag);
}
const WCHAR* BookParameterFile::GetBookmarkExcerpt(uint32_t mark, uint32_t* count) {
  return GetLinkedWideString(mark, kMarkExcerptLink, kMarkTag, count, kDataTag);
}
RecordResult BookParameterFile::SetBookmarkTitle(uint32_t mark, const WCHAR* text, uint32_t count) {
  return SetLinkedWideString(mark, kMarkTitleLink, kMarkTag, text, count, kDataTag);
}

RecordResult BookParameterFile::GetBookmarkTitle(uint32_t mark, EncodedString* title) {
  uint32_t count = 0;
  const WCHAR* text = GetLinkedWideString(mark, kMarkTitleLink, kMarkTag, &count, kDataTag);
  if (text && count != 0) {
    EncodedString result;
    result.FromWide(text, static_cast<int32_t>(count));
    if (!result.IsOk()) return RecordResult::kFailed;
    title->MoveFrom(result);
    return RecordResult::kOk;
  }
  text = GetLinkedWideString(mark, kMarkExcerptLink, kMarkTag, &count, kDataTag);
  if (!text || count == 0) return RecordResult::kFailed;
  EncodedString excerpt;
  excerpt.FromWide(text, static_cast<int32_t>(count));
  EncodedString encoded;
  if (!excerpt.IsOk() || !UrlEncode(excerpt, &encoded, true) || !encoded.IsOk()) return RecordResult::kFailed;
  title->MoveFrom(encoded);
  return RecordResult::kOk;
}

const uint8_t* BookParameterFile::GetBookmarkViewState(uint32_t mark, uint32_t* length) {
  return GetLinkedData(mark, kMarkViewStateLink, kMarkTag, length, kDataTag);
}
RecordResult BookParameterFile::SetBookmarkViewState(uint32_t mark, ByteStream& state) {
  return SetLinkedBlob(mark, kMarkViewStateLink, kMarkTag, state, kDataTag);
}
const uint8_t* BookParameterFile::GetBookmarkState(uint32_t mark, uint32_t* length) {
  return GetLinkedData(mark, kMarkStateLink, kMarkTag, length, kDataTag);
}
RecordResult BookParameterFile::SetBookmarkState(uint32_t mark, ByteStream& state) {
  return SetLinkedBlob(mark, kMarkStateLink, kMarkTag, state, kDataTag);
}
