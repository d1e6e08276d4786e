// BookDocument: opening and closing, the decode store, and the header's
// answers through the Document slots.
#include "storage/books/book_document.h"

#include <cstring>

#include "foundation/code_pages/code_page.h"
#include "platform/memory/allocator.h"
#include "storage/documents/document_host.h"
#include "storage/container/palm_database.h"
#include "storage/container/stream_factory.h"
#include "storage/books/text_record.h"

namespace {

constexpr uint32_t kDecodeStoreMode = 151;  // read/write, create always, in memory only

}  // namespace

BookDocument::BookDocument() {
  lockedRecords_.Init(static_cast<int32_t>(sizeof(RecordBuffer*)));
  cache_.Init(static_cast<int32_t>(sizeof(CachedBlock)));
  trailing_.Init(static_cast<int32_t>(sizeof(HeldTrailing)));
}

BookDocument::~BookDocument() { Close(); }

bool BookDocument::Fail(int32_t code) {
  error_ = code;
  return false;
}

int32_t BookDocument::Open(PalmDatabase* store, bool ownsStore, DocumentHost* host, int32_t defaultCodePage,
                           int32_t requestedCodePage) {
  Close();
  host_ = host;
  error_ = 0;
  store_ = store;
  ownsStore_ = ownsStore;
  if (store == nullptr) return error_ = kBookErrorCorrupt;
  if (!ParseHeader()) return error_;

  sourceCp_ = header_.sourceCodePage == -1 ? defaultCodePage : header_.sourceCodePage;
  targetCp_ = ResolveTargetCodePage(sourceCp_, requestedCodePage);
  // The map must cover a record's text and the carried bytes.
  mapShift_ = MapShiftFor(header_.textRecordSize + 15u, header_.blockShift);
  DecodeNames();

  if (UsesDecodedText()) {
    // The store lives in memory only and never reaches a file: it needs no
    // temporary name, and opening a book writes nothing to the device (a
    // name made for it would be an empty file left in the temporary
    // folder, and a read-only device could not open the book at all).
    int32_t code = 0;
    decodeStore_ = OpenRecordDatabase(nullptr, kDecodeStoreMode, MakeFourCC("CORV"), MakeFourCC("TEMP"), &code);
    if (decodeStore_ == nullptr) return error_ = kBookErrorMemory;
  }
  scanRecord_ = 1;
  scanStart_ = 0;
  scanLength_ = 0xFFFFFFFFu;  // found at the first scan
  TakeStatedTextLength();
  return 0;
}

void BookDocument::Close() {
  ReleasePositionDirectory();
  DropAllHeld();
  for (uint32_t i = 0; i < lockedRecords_.Count(); ++i) {
    RecordBuffer* buffer = *LockedAt(i);
    if (buffer == nullptr) continue;
    PalmDatabase* owner = decodeStore_ != nullptr ? decodeStore_ : store_;
    if (owner != nullptr) owner->ReleaseRecord(buffer, false);
  }
  lockedRecords_.Clear();
  cache_.Clear();
  blockIndex_.Clear();
  freeSlots_.Free();
  ReleaseDecoderBuffers();
  DeviceFree(recordLengths_);
  recordLengths_ = nullptr;
  delete decodeStore_;
  decodeStore_ = nullptr;
  if (ownsStore_) delete store_;
  store_ = nullptr;
  ownsStore_ = false;
  DeviceFree(rawNames_);
  rawNames_ = nullptr;
  DeviceFree(extraData_);
  extraData_ = nullptr;
  extraDataLength_ = 0;
  fullName_.Clear();
  shortName_.Clear();
  header_.hasShortName = false;
}

bool BookDocument::UsesDecodedText() const {
  return header_.compression != kCompressionNone || sourceCp_ != targetCp_ || sourceCp_ == kCodePageUtf8 ||
         sourceCp_ == kCodePageUtf16;
}

bool BookDocument::GetShortName(SharedWideString* name) {
  if (name == nullptr || !header_.hasShortName) return false;
  *name = shortName_;
  return true;
}

const uint8_t* BookDocument::GetExtraHeaderData(uint32_t* length) {
  if (length != nullptr) *length = extraDataLength_;
  return extraData_;
}

const uint8_t* BookDocument::GetStoreNameBytes(uint32_t* length) {
  if (store_ == nullptr) {
    if (length != nullptr) *length = 0;
    return nullptr;
  }
  const char* name = store_->GetName();
  if (length != nullptr) *length = static_cast<uint32_t>(strnlen(name, 32));
  return reinterpret_cast<const uint8_t*>(name);
}

bool BookDocument::GetStoreName(SharedWideString* name) {
  uint32_t length = 0;
  const uint8_t* bytes = GetStoreNameBytes(&length);
  if (bytes == nullptr || name == nullptr) return false;
  return name->FromLatin1(bytes, length);
}

bool BookDocument::GetHeaderInfo(DocumentHeaderInfo* info) {
  if (info == nullptr || header_.headerVersion < 3) return false;
  info->store = store_;
  info->encoding = sourceCp_;
  for (uint32_t i = 0; i < 5; ++i) info->extraIndexRecords[i] = header_.extraIndexRecords[i];
  return true;
}

uint32_t BookDocument::GetLanguage() {
  if ((header_.language & 0x3FF) != 0) return header_.language;
  // A book without one may name it in its guide.
  EnsureGuide();
  return guideLanguage_;
}

bool BookDocument::GetDictionaryLanguages(uint32_t* input, uint32_t* output) {
  if (input != nullptr) *input = header_.inputLanguage;
  if (output != nullptr) *output = header_.outputLanguage;
  return header_.inputLanguage != 0 || header_.outputLanguage != 0;
}

bool BookDocument::IsStoreValid() { return store_ != nullptr && store_->IsStoreValid(); }
bool BookDocument::ReopenStore() {
  if (store_ == nullptr) return false;
  // A mapped store throws its view away. Blocks read in place are lent
  // straight out of it: never while the reader holds one.
  if (decodeStore_ == nullptr) {
    for (uint32_t i = 0; i < lockedRecords_.Count(); ++i)
      if (*LockedAt(i) != nullptr) return false;
  }
  // Held trailing data lies in the mapping too: refused while in use, and
  // dropped (to be held again) otherwise.
  if (HoldsMappedTrailingInUse()) return false;
  for (uint32_t i = trailing_.Count(); i-- > 0;)
    if (HeldAt(i)->buffer != nullptr) DropHeld(i);
  // The HUFF/CDIC and DATP tables and the position directory's records
  // point into it too: they are loaded again at the next use.
  ReleaseDecoderBuffers();
  ReleasePositionDirectory();
  return store_->ReopenStore();
}

bool BookDocument::HasSpecialRecord(uint32_t kind) const {
  if (kind > 3 && kind != 9) return false;
  return header_.specialRecords[kind] != kNoRecord16;
}

uint16_t BookDocument::GetSpecialRecord(uint32_t kind) const {
  return kind < kSpecialRecordKinds ? header_.specialRecords[kind] : kNoRecord16;
}

bool BookDocument::ResolveResourceRecord(uint32_t* number) const {
  if (*number == 0 || *number == 0xFFFFFFFFu) return false;
  *number += header_.firstResourceMinusOne;
  return store_ != nullptr && *number < store_->GetRecordCount();
}

uint16_t BookDocument::BlockUseCount(uint16_t blockId) const {
  if (blockId == 0 || blockId > cache_.Count()) return 0;
  return Slot(blockId - 1u)->useCount;
}
