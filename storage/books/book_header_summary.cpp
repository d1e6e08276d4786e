// The library's look at a book's record 0, and decoding stored names.
#include "storage/books/book_header_summary.h"

#include <cstring>

#include "foundation/code_pages/code_page.h"
#include "foundation/streams/byte_order.h"
#include "platform/memory/allocator.h"
#include "storage/books/book_header.h"
#include "storage/container/palm_database.h"

bool DecodeBookText(const uint8_t* bytes, uint32_t length, int32_t codePage, SharedWideString* out) {
  out->Clear();
  if (length == 0) return true;
  const uint32_t capacity = 2 * length + 2;
  WCHAR* units = static_cast<WCHAR*>(DeviceAlloc(capacity));
  if (units == nullptr) return false;
  uint32_t produced = capacity;
  bool ok = true;
  if (codePage == kCodePageUtf16) {
    produced = length & ~1u;
    for (uint32_t i = 0; i < produced; i += 2) units[i / 2] = LoadU16BE(bytes + i);
  } else if (codePage == kCodePageUtf8) {
    ok = ConvertFromUtf8(bytes, length, kCodePageUtf16, units, &produced, nullptr) == kConvertOk;
  } else {
    ok = MultiByteToWide(bytes, length, codePage, units, &produced) == kConvertOk;
  }
  if (ok) ok = out->FromChars(units, produced / 2);
  DeviceFree(units);
  return ok;
}

namespace {

// Parses record 0; the full name is decoded while the record is held.
bool ReadSummary(PalmDatabase* store, BookHeader* header, SharedWideString* fullName) {
  if (store == nullptr) return false;
  RecordBuffer* record0 = store->LockRecord(0, false);
  if (record0 == nullptr) return false;
  const uint8_t* bytes = record0->GetData();
  const int32_t code = ParseBookRecord0(store->Header().type, store->Header().creator, bytes, record0->GetSize(),
                                        store->GetRecordCount(), header);
  bool ok = code == kBookOk;
  if (ok && header->fullNameLength != 0) {
    const int32_t cp = header->sourceCodePage == -1 ? kCodePage1252 : header->sourceCodePage;
    if (!DecodeBookText(bytes + header->fullNameOffset, header->fullNameLength, cp, fullName)) fullName->Clear();
  }
  store->ReleaseRecord(record0, false);
  return ok;
}

bool DatabaseName(PalmDatabase* store, SharedWideString* name) {
  const char* stored = store->GetName();
  return name->FromLatin1(reinterpret_cast<const uint8_t*>(stored), static_cast<uint32_t>(strnlen(stored, 32)));
}

}  // namespace

bool PeekBookTitle(PalmDatabase* store, uint32_t* bookType, int32_t* codePage, SharedWideString* name) {
  BookHeader header;
  SharedWideString fullName;
  if (!ReadSummary(store, &header, &fullName)) return true;
  if (bookType != nullptr) *bookType = header.bookType;
  if (codePage != nullptr) *codePage = header.sourceCodePage;
  if (name != nullptr) {
    if (fullName.length != 0) {
      *name = fullName;
    } else if (!DatabaseName(store, name)) {
      return true;
    }
  }
  return false;
}

bool ReadBookHeaderSummary(PalmDatabase* store, BookHeaderSummary* summary) {
  BookHeader header;
  if (!ReadSummary(store, &header, &summary->fullName)) return true;
  summary->bookType = header.bookType;
  summary->codePage = header.sourceCodePage;
  summary->textLength = header.textLength;
  summary->language = header.language;
  summary->mainIndexRecord = header.specialRecords[0];
  if (header.specialRecords[0] == kNoRecord16) {
    summary->languagePair = 0xFFFF;
  } else if (static_cast<int32_t>(header.inputLanguage) >= 0) {
    summary->languagePair =
        static_cast<uint16_t>(((header.inputLanguage & 0x3FF) << 8) | (header.outputLanguage & 0x3FF));
  } else {
    summary->languagePair = 0;
  }
  return !DatabaseName(store, &summary->databaseName);
}
