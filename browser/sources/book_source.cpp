// The document source of books (see book_source.h).
#include "browser/sources/book_source.h"

#include <new>

#include "browser/sources/body_element_stream.h"
#include "browser/sources/book_layout_context.h"
#include "browser/sources/record_stream.h"
#include "browser/sources/source_parsers.h"
#include "index/books/book_index_tables.h"
#include "index/tables/index_table.h"
#include "layout/markup/markup_parser.h"
#include "layout/markup/plain_text_token_reader.h"
#include "layout/search/text_searcher.h"
#include "platform/memory/allocator.h"
#include "storage/books/book_document.h"
#include "storage/container/palm_database.h"
#include "storage/container/storage_errors.h"

namespace {

constexpr int32_t kLinkProperty = 8;
constexpr uint32_t kNoTable = 0xFFFF;  // a table number that names no table

bool StartsWith(const WCHAR* text, uint32_t length, const char* prefix) {
  uint32_t i = 0;
  for (; prefix[i] != '\0'; ++i) {
    if (i >= length || text[i] != static_cast<WCHAR>(static_cast<unsigned char>(prefix[i]))) return false;
  }
  return true;
}

bool Equals(const WCHAR* text, uint32_t length, const char* ascii) {
  return StartsWith(text, length, ascii) && ascii[length] == '\0';
}

}  // namespace

int32_t BookSource::Create(PalmDatabase* database, DocumentHost* host, BookSource** out, int32_t sourceCodePage,
                           int32_t targetCodePage) {
  *out = nullptr;
  if (database == nullptr) return kStorageFileNotFound;
  BookDocument* book = DeviceNew<BookDocument>();
  if (book == nullptr) {
    delete database;
    return kStorageNoMemory;
  }
  const int32_t error = book->Open(database, true, host, sourceCodePage, targetCodePage);
  if (error != 0) {
    book->Release();
    return error;
  }
  if (DeviceAllocationShouldFail()) {
    book->Release();
    return kStorageNoMemory;
  }
  BookSource* source = new (std::nothrow) BookSource(book);
  if (source == nullptr) {
    book->Release();
    return kStorageNoMemory;
  }
  *out = source;
  return 0;
}

BookSource::~BookSource() {
  // Every stream counts the source, so none is alive here; the book goes.
  book_->Release();
}

Document* BookSource::GetDocument() { return book_; }

void BookSource::OpenStreamByIndex(DocumentStreamPtr* out, int32_t index) {
  out->Clear();
  if (DocumentStream* again = FindStreamByIndex(index)) {
    out->Adopt(again);
    return;
  }
  uint32_t record = static_cast<uint32_t>(index);
  if (index <= 0 || !book_->ResolveResourceRecord(&record) || record > 0xFFFF) return;
  RecordStream* stream = RecordStream::Create(book_->Store(), static_cast<uint16_t>(record), 1, index,
                                              SharedWideString());
  if (stream == nullptr) return;
  if (!stream->AttachToSource(this)) {
    stream->Release();
    return;
  }
  out->Adopt(stream);
}

void BookSource::OpenStreamByName(DocumentStreamPtr* out, const WCHAR* name, uint32_t length) {
  out->Clear();
  if (name == nullptr || length == 0) return;
  if (DocumentStream* again = FindStreamByName(name, length)) {
    out->Adopt(again);
    return;
  }
  DocumentStream* stream = nullptr;
  if (StartsWith(name, length, "table=") || StartsWith(name, length, "key_table") ||
      StartsWith(name, length, "tableid=") || StartsWith(name, length, "special_table=")) {
    stream = OpenTableRequest(name, length);
  } else if (StartsWith(name, length, "eo=")) {
    stream = OpenEntryStream(name, length);
  }
  if (stream == nullptr) return;
  if (!stream->AttachToSource(this)) {
    stream->Release();
    return;
  }
  out->Adopt(stream);
}

DocumentStream* BookSource::OpenEntryStream(const WCHAR* name, uint32_t length) {
  InnerLink link;
  if (!ResolveInnerLink(name + 3, length - 3, &link)) return nullptr;
  // The link's numbers come from the book: the range must be a real run of
  // records, not one cut to 16 bits or reaching past the records.
  if (link.first >= link.last || link.last - link.first > 0xFFFF || link.first >= 0xFFFF) return nullptr;
  uint32_t record = link.first + 1;
  if (!book_->ResolveResourceRecord(&record) || record > 0xFFFF) return nullptr;
  SharedWideString streamName;
  if (!streamName.FromChars(name, length)) return nullptr;
  return RecordStream::Create(book_->Store(), static_cast<uint16_t>(record),
                              static_cast<uint16_t>(link.last - link.first), RecordStream::kNoIndex, streamName);
}

DocumentStream* BookSource::OpenTableRequest(const WCHAR* name, uint32_t length) {
  uint32_t equals = 0;
  while (equals < length && name[equals] != '=') ++equals;
  if (equals >= length) return nullptr;  // "key_table" without "=": no value
  const WCHAR* value = name + equals + 1;
  const uint32_t valueLength = length - equals - 1;
  IndexTable* table = nullptr;
  if (StartsWith(name, length, "table=")) {
    table = OpenBookNamedTable(book_, value, valueLength, 0);
  } else if (StartsWith(name, length, "key_table")) {
    table = OpenBookNamedTable(book_, value, valueLength, 2);
  } else if (StartsWith(name, length, "tableid=")) {
    uint32_t record = 0;
    // 0xFFFF means none, and a larger number would be cut to 16 bits and
    // open another table.
    if (!ParseUnsignedUnits(value, valueLength, 10, &record) || record >= kNoTable) return nullptr;
    table = OpenBookIndexTableAt(book_, record);
  } else {
    uint32_t kind = 0;
    if (Equals(value, valueLength, "naming")) {
      kind = kSpecialIndexNaming;
    } else if (Equals(value, valueLength, "default")) {
      kind = kSpecialIndexMain;
    } else if (Equals(value, valueLength, "lookup_key")) {
      kind = kSpecialIndexLookupKey;
    } else {
      return nullptr;
    }
    table = OpenBookIndexTable(book_, kind);
  }
  if (table == nullptr) return nullptr;
  table->SetDescriptorText(name, length);
  return table;
}

bool BookSource::ResolveInnerLink(const WCHAR* name, uint32_t length, InnerLink* link) {
  SharedWideString key;
  if (name == nullptr || !key.FromChars(name, length)) return false;
  // The name without its query, decoded, with forward slashes.
  const uint32_t question = key.IndexOfChar('?');
  key.length = question < key.length ? question : key.length;
  if (!PercentDecode(key, &key) || !key.MakeWritable() || !key.ReplaceChar('\\', '/', -1)) return false;
  DocumentProperty property;
  if (!book_->FindProperty(key.Chars(), key.length, kLinkProperty, &property, 0)) return false;
  link->kind = property.extra[0];
  link->section = property.extra[1];
  link->first = static_cast<uint32_t>(property.position);
  link->last = static_cast<uint32_t>(property.length);
  link->flag = static_cast<uint8_t>(property.extra[2]);
  return true;
}

bool BookSource::CreateParser(ElementStream** parser, LayoutContext** layout, uint32_t argument) {
  *parser = nullptr;
  if (layout != nullptr) *layout = nullptr;
  // Plain-text books (Palm Doc files among them) are read by the plain-text
  // reader, which gives the elements markup would; markup books through a
  // stream that makes sure a BODY opens.
  ElementStream* reader = nullptr;
  if (TextKind() == kMarkupText) {
    BodyElementStream* markup = BodyElementStream::Create();
    if (markup != nullptr) markup->Parser()->SetInlineTableOption(book_->GetHeaderVersion() < 2);
    reader = markup;
  } else {
    reader = DeviceNew<PlainTextTokenReader>();
  }
  if (reader == nullptr) return false;
  BookLayoutContext* context = nullptr;
  if (layout != nullptr) {
    context = BookLayoutContext::Create(book_);
    if (context == nullptr) {
      delete reader;
      return false;
    }
    const uint32_t type = book_->GetBookType();
    context->SetFormsAllowed(TextKind() == kMarkupText && !(type >= 768 && type <= 1023));
  }
  reader->AttachSource(book_, argument);
  if (context != nullptr) context->AttachParser(reader, book_, context->Builder());
  *parser = reader;
  if (layout != nullptr) *layout = context;
  return true;
}

void BookSource::DestroyParser(ElementStream* parser, LayoutContext* layout) { DestroySourceParser(parser, layout); }

TextSearcher* BookSource::CreateTextSearch() { return CreateDocumentTextSearch(book_, TextKind()); }

int32_t BookSource::TextKind() const { return book_->Header().plainText ? kPlainText : kMarkupText; }

bool BookSource::HasSpecialTable(int32_t kind) {
  return kind >= 0 && book_->HasSpecialRecord(static_cast<uint32_t>(kind));
}

DocumentStream* BookSource::OpenSpecialTable(int32_t kind, uint32_t) {
  return kind < 0 ? nullptr : OpenBookIndexTable(book_, static_cast<uint32_t>(kind));
}

DocumentStream* BookSource::OpenTableAtRecord(uint32_t record) { return OpenBookIndexTableAt(book_, record); }

DocumentStream* BookSource::OpenNamedTable(const WCHAR* name, uint32_t length, uint32_t argument) {
  return OpenBookNamedTable(book_, name, length, argument);
}
