// Named targets of a book read from its index tables.
#include "index/books/book_index_services.h"

#include <new>

#include "index/books/book_index_tables.h"
#include "index/books/position_entries.h"
#include "index/query/index_query_result.h"
#include "index/tables/index_entry_reader.h"
#include "index/tables/index_table.h"
#include "storage/books/book_document.h"
#include "storage/books/book_index_services.h"

namespace {

constexpr uint32_t kAnchorIndex = 4;
constexpr uint32_t kTableEntryIndex = 5;
constexpr uint32_t kSectionIndex = 8;

// Reads up to n values of a tag of the attached entry; the count read.
uint32_t TagValues(IndexEntryReader* reader, uint32_t tag, uint32_t* out, uint32_t n) {
  uint32_t span = 0, perItem = 0;
  if (reader->SeekTag(tag, &span, &perItem) != 0 || span == 0) return 0;
  return reader->ReadValues(out, n, false) == 0 ? n : 0;
}

// Opens the special index of a kind and attaches a reader to the name's entry.
bool FindEntry(BookDocument* book, uint32_t kind, const WCHAR* name, uint32_t length, IndexTablePtr* table,
               IndexEntryReader* reader) {
  table->Adopt(OpenBookIndexTable(book, kind));
  IndexEntryRef ref;
  return *table && (*table)->LookupKey(name, length, &ref, false) && reader->Init(table->Get()) &&
         reader->Attach(ref) == 0;
}

class Services : public BookIndexServices {
 public:
  bool FindProperty(BookDocument* book, const WCHAR* name, uint32_t length, int32_t kind, DocumentProperty* out,
                    int32_t value) override {
    IndexTablePtr table;
    IndexEntryReader reader;
    uint32_t v[2] = {0, 0};
    *out = DocumentProperty();
    switch (kind) {
      case 0: {
        if (length != 0 && name[0] == u'#') {
          ++name;
          --length;
        }
        if (!FindEntry(book, kAnchorIndex, name, length, &table, &reader) || TagValues(&reader, 1, v, 1) == 0)
          return false;
        out->kind = 0;
        out->position = static_cast<int32_t>(v[0]);
        return true;
      }
      case 4:
      case 5: {
        const uint32_t base = book->GetSpecialRecord(kSpecialRecordBase);
        if (length == 0 && value <= 0) {
          const uint16_t main = book->GetSpecialRecord(kSpecialIndexMain);
          if (main == 0xFFFF) return false;
          out->kind = 4;
          out->position = main;
          return true;
        }
        if (!FindEntry(book, kSpecialIndexNaming, name, length, &table, &reader) ||
            TagValues(&reader, kind == 4 ? 1 : 2, v, 1) == 0)
          return false;
        out->kind = 4;
        out->position = static_cast<int32_t>(v[0] + base);
        if (value > 0) {
          uint32_t span = 0, perItem = 0;
          if (reader.SeekTag(6, &span, &perItem) == 0 && span != 0) {
            uint32_t pair[2];
            while (reader.ReadValues(pair, 2, true) == 0) {
              if (static_cast<int64_t>(pair[0]) == static_cast<int64_t>(value) - base) {
                out->length = static_cast<int32_t>(pair[1]);
                break;
              }
            }
          }
        }
        return true;
      }
      case 7: {
        WCHAR braced[257];
        if (length > 256) return false;
        braced[0] = u'{';
        for (uint32_t i = 0; i < length; ++i) braced[i + 1] = name[i];
        if (!FindEntry(book, kTableEntryIndex, braced, length + 1, &table, &reader) ||
            TagValues(&reader, 8, v, 2) == 0)
          return false;
        out->kind = 7;
        out->position = static_cast<int32_t>(v[0]);
        out->length = static_cast<int32_t>(v[0] + v[1]);
        uint32_t extra = 0;
        TagValues(&reader, 4, &extra, 1);
        out->extra[0] = static_cast<int32_t>(extra);
        return true;
      }
      case 8: {
        if (!FindEntry(book, kSectionIndex, name, length, &table, &reader)) return false;
        uint32_t tag69 = 0, section = 0, tag70 = 0;
        TagValues(&reader, 69, &tag69, 1);
        TagValues(&reader, 5, &section, 1);
        TagValues(&reader, 70, &tag70, 1);
        out->kind = 8;
        if (TagValues(&reader, 101, v, 2) != 0) {
          out->position = static_cast<int32_t>(v[0]);
          out->length = static_cast<int32_t>(v[0] + v[1]);
        } else if (tag69 < 32) {
          uint32_t start = 0, end = 0;
          if (!book->GetSectionRange(section, &start, &end)) return false;
          out->position = 0;
          out->length = static_cast<int32_t>(end - start);
        }
        out->extra[0] = static_cast<int32_t>(tag69);
        out->extra[1] = static_cast<int32_t>(section);
        out->extra[2] = static_cast<int32_t>(tag70);
        return true;
      }
      default: return false;
    }
  }

  bool GetPositionEntryText(BookDocument* book, uint32_t position, SharedWideString* text) override {
    IndexTablePtr table;
    table.Adopt(OpenBookIndexTable(book, kSectionIndex));
    if (!table) return false;
    const int32_t n = FindPositionEntry(book, table.Get(), position);
    return n >= 0 && table->GetLabel(table->MakeEntryRef(n), text);
  }

  IndexQueryResult* CreatePositionQuery(BookDocument* book, uint32_t position, IndexTable* table) override {
    IndexTablePtr held;
    held.Adopt(table);  // the caller's reference, given back on return
    if (!held) return nullptr;
    const int32_t n = FindPositionEntry(book, table, position);
    if (n < 0) return nullptr;
    IndexQueryResult* result = new (std::nothrow) IndexQueryResult();
    if (result == nullptr) return nullptr;
    result->SetTable(table);
    // The tree is empty, so the result stands on the entry itself.
    result->PositionOn(n);
    return result;
  }
};

Services gServices;

}  // namespace

void InstallBookIndexServices() {
  SetBookIndexServices(&gServices);
  // A position query gives back the caller's reference to its index.
  SetIndexTableReleaser([](IndexTable* table) { table->Release(); });
}
