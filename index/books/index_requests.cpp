// A book's indexes as pages ask for them (see index_requests.h).
#include "index/books/index_requests.h"

#include <new>

#include "index/query/index_query_result.h"
#include "index/query/index_query_translator.h"
#include "index/tables/index_table.h"
#include "storage/documents/document.h"
#include "storage/sources/document_source.h"

namespace {

bool AppendAscii(SharedWideString* out, const char* ascii) {
  for (; *ascii != '\0'; ++ascii) {
    const WCHAR unit = static_cast<WCHAR>(*ascii);
    if (!out->AppendChars(&unit, 1)) return false;
  }
  return true;
}

// The stream the descriptor names when it is an index table, counted.
IndexTable* OpenIndexStream(DocumentSource* source, const SharedWideString& descriptor) {
  if (source == nullptr) return nullptr;
  DocumentStreamPtr stream;
  source->OpenStreamByName(&stream, descriptor.Chars(), descriptor.length);
  if (!stream || stream->GetStreamKind() != kIndexTableStreamKind) return nullptr;
  return static_cast<IndexTable*>(stream.Detach());
}

}  // namespace

IndexTable* OpenIndexTableByNumber(DocumentSource* source, int32_t number) {
  SharedWideString descriptor;
  if (number == kDefaultIndexTableNumber) {
    if (!AppendAscii(&descriptor, "special_table=default")) return nullptr;
  } else if (number < 0 || number > kDefaultIndexTableNumber || !AppendAscii(&descriptor, "tableid=") ||
             !descriptor.AppendInt(number)) {
    return nullptr;
  }
  return OpenIndexStream(source, descriptor);
}

bool FindIndexTableNumber(Document* document, const SharedWideString& name, int32_t* table) {
  DocumentProperty property;
  if (document == nullptr || !document->FindProperty(name.Chars(), name.length, 4, &property, 0)) return false;
  *table = property.position & 0xFFFF;
  return true;
}

bool FindSubTable(Document* document, const SharedWideString& name, int32_t table, int32_t* subTable,
                  int32_t* entryWord) {
  DocumentProperty property;
  if (document == nullptr || !document->FindProperty(name.Chars(), name.length, 5, &property, table)) return false;
  *subTable = property.position & 0xFFFF;
  *entryWord = property.length;
  return true;
}

int32_t SelectConditionEntry(IndexTable* subTable, const SharedWideString& condition) {
  const bool tieBreak = subTable->Header().tieBreak != 0;
  if (tieBreak) subTable->SetTieBreak(true);
  IndexEntryRef ref;
  const bool found = subTable->LookupKey(condition.Chars(), condition.length, &ref, false);
  if (tieBreak) subTable->SetTieBreak(false);
  if (!found) return static_cast<int32_t>(subTable->GetTotalEntries());
  return subTable->GetEntryNumber(ref);
}

IndexQueryResult* RunIndexQuery(DocumentSource* source, const SharedWideString& query) {
  if (source == nullptr) return nullptr;
  IndexQueryResult* result = new (std::nothrow) IndexQueryResult();
  if (result == nullptr) return nullptr;
  IndexQueryTranslator translator(source);
  if (translator.Translate(query, result) != 0) {
    result->Release();
    return nullptr;
  }
  return result;
}

IndexQueryResult* OpenPositionRecordSource(DocumentSource* source, const SharedWideString& tableName,
                                           uint32_t position) {
  SharedWideString descriptor;
  if (source == nullptr || source->GetDocument() == nullptr || !AppendAscii(&descriptor, "table=") ||
      !descriptor.Append(tableName)) {
    return nullptr;
  }
  IndexTable* table = OpenIndexStream(source, descriptor);
  if (table == nullptr) return nullptr;
  IndexQueryResult* result = nullptr;
  source->GetDocument()->CreatePositionQuery(&result, position, table);  // takes the table's reference
  return result;
}
