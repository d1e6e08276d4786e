// BookParameterFile: the fields of the header record ("BPAR", record 0):
// positions, stamps, linked blobs and the catalogue texts.
#include "storage/side_file/book_parameter_file.h"
#include "storage/side_file/side_file_layout.h"

using namespace sidefile;

namespace {

constexpr uint32_t kHeader = kHeaderRecordId;

}  // namespace

uint32_t BookParameterFile::GetHeaderWord(uint32_t offset, uint32_t preset) {
  uint32_t value = preset;
  GetInt32(kHeader, offset, &value, kHeaderTag);
  return value;
}

uint32_t BookParameterFile::GetSavedPosition() { return GetHeaderWord(kSavedPosition, kNoRecordId); }
RecordResult BookParameterFile::SetSavedPosition(uint32_t value) {
  return SetInt32(kHeader, kSavedPosition, value, kHeaderTag);
}

const uint8_t* BookParameterFile::GetFramePosition(uint32_t* first, uint32_t* second, uint32_t* length) {
  GetInt32(kHeader, kFramePosition, first, kHeaderTag);
  GetInt32(kHeader, kFramePosition + 4, second, kHeaderTag);
  return GetLinkedData(kHeader, kFrameStateLink, kHeaderTag, length, kDataTag);
}

RecordResult BookParameterFile::SetFramePosition(uint32_t first, uint32_t second, ByteStream& state) {
  if (SetInt32(kHeader, kFramePosition, first, kHeaderTag) != RecordResult::kOk ||
      SetInt32(kHeader, kFramePosition + 4, second, kHeaderTag) != RecordResult::kOk)
    return RecordResult::kFailed;
  return SetLinkedBlob(kHeader, kFrameStateLink, kHeaderTag, state, kDataTag);
}

uint32_t BookParameterFile::GetDocumentStamp() { return GetHeaderWord(kDocumentStamp, kNoRecordId); }
RecordResult BookParameterFile::SetDocumentStamp(uint32_t stamp) {
  return SetInt32(kHeader, kDocumentStamp, stamp, kHeaderTag);
}

uint32_t BookParameterFile::GetWord20() { return GetHeaderWord(kWord20, kNoRecordId); }
RecordResult BookParameterFile::SetWord20(uint32_t value) { return SetInt32(kHeader, kWord20, value, kHeaderTag); }

const uint8_t* BookParameterFile::GetViewStateBlob(uint32_t* length) {
  return GetLinkedData(kHeader, kViewStateLink, kHeaderTag, length, kDataTag);
}
RecordResult BookParameterFile::SetViewStateBlob(ByteStream& state) {
  return SetLinkedBlob(kHeader, kViewStateLink, kHeaderTag, state, kDataTag);
}

const uint8_t* BookParameterFile::GetReadingPosition(uint32_t* first, uint32_t* second, uint32_t* length) {
  GetInt32(kHeader, kReadingPosition, first, kHeaderTag);
  GetInt32(kHeader, kReadingPosition + 4, second, kHeaderTag);
  return GetLinkedData(kHeader, kReadingStateLink, kHeaderTag, length, kDataTag);
}

RecordResult BookParameterFile::SetReadingPosition(uint32_t first, uint32_t second, ByteStream& state) {
  if (SetInt32(kHeader, kReadingPosition, first, kHeaderTag) != RecordResult::kOk ||
      SetInt32(kHeader, kReadingPosition + 4, second, kHeaderTag) != RecordResult::kOk)
    return RecordResult::kFailed;
  return SetLinkedBlob(kHeader, kReadingStateLink, kHeaderTag, state, kDataTag);
}

bool BookParameterFile::IsReadingPositionValid() { return (GetHeaderWord(kReadingValid, 0) & 1) != 0; }
RecordResult BookParameterFile::SetReadingPositionValid(bool valid) {
  return SetInt32(kHeader, kReadingValid, valid ? 1 : 0, kHeaderTag);
}

uint32_t BookParameterFile::GetWord52() { return GetHeaderWord(kWord52, 0); }
RecordResult BookParameterFile::SetWord52(uint32_t value) { return SetInt32(kHeader, kWord52, value, kHeaderTag); }

const WCHAR* BookParameterFile::GetCategoryList(uint32_t* count) {
  return GetLinkedWideString(kHeader, kCategoryLink, kHeaderTag, count, kCategoryTag);
}
RecordResult BookParameterFile::SetCategoryList(const WCHAR* names, uint32_t count) {
  return SetLinkedWideString(kHeader, kCategoryLink, kHeaderTag, names, count, kCategoryTag);
}
RecordResult BookParameterFile::ClearCategoryList() {
  return SetLinkedWideString(kHeader, kCategoryLink, kHeaderTag, nullptr, 0, kCategoryTag);
}

#define SIDE_FILE_TEXT(Name, link, tag)                                               \
  const WCHAR* BookParameterFile::Get##Name(uint32_t* count) {                        \
    return GetLinkedWideString(kHeader, link, kHeaderTag, count, tag);                \
  }                                                                                   \
  RecordResult BookParameterFile::Set##Name(const WCHAR* text, uint32_t count) {      \
    return SetLinkedWideString(kHeader, link, kHeaderTag, text, count, tag);          \
  }

SIDE_FILE_TEXT(Author, kAuthorLink, kAuthorTag)
SIDE_FILE_TEXT(Genre, kGenreLink, kGenreTag)
SIDE_FILE_TEXT(Publisher, kPublisherLink, kPublisherTag)
SIDE_FILE_TEXT(Abstract, kAbstractLink, kAbstractTag)
SIDE_FILE_TEXT(Isbn, kIsbnLink, kIsbnTag)
SIDE_FILE_TEXT(Cover, kCoverLink, kCoverTag)
SIDE_FILE_TEXT(Title, kTitleLink, kTitleTag)

#undef SIDE_FILE_TEXT

uint32_t BookParameterFile::GetWord76() { return GetHeaderWord(kWord76, 0); }
RecordResult BookParameterFile::SetWord76(uint32_t value) { return SetInt32(kHeader, kWord76, value, kHeaderTag); }
uint32_t BookParameterFile::GetWord80() { return GetHeaderWord(kWord80, 0); }
RecordResult BookParameterFile::SetWord80(uint32_t value) { return SetInt32(kHeader, kWord80, value, kHeaderTag); }
