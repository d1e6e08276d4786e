// What a book answers from its index tables: named targets (anchors, named
// resources, table entries, sections), the index entry text of a position,
// and position queries. The index tables are read by the index subsystem,
// which installs this interface; without it those look-ups find nothing.
#pragma once

#include <cstdint>

#include "storage/documents/document.h"

class BookDocument;

class BookIndexServices {
 public:
  // The named target of a kind (0 anchor, 4 and 5 named resource, 7 table
  // entry, 8 section) into *out; false when not found.
  virtual bool FindProperty(BookDocument* book, const WCHAR* name, uint32_t length, int32_t kind,
                            DocumentProperty* out, int32_t value) = 0;
  // The label of the index entry (special index 8) whose range holds the
  // position and is the smallest.
  virtual bool GetPositionEntryText(BookDocument* book, uint32_t position, SharedWideString* text) = 0;
  // A new query result (one reference, the caller's) over the table,
  // positioned on the entry whose range holds the position and is the
  // smallest; null when none does. Takes over the caller's reference to
  // the table in every case.
  virtual IndexQueryResult* CreatePositionQuery(BookDocument* book, uint32_t position, IndexTable* table) = 0;

 protected:
  ~BookIndexServices() = default;
};

void SetBookIndexServices(BookIndexServices* services);
BookIndexServices* GetBookIndexServices();
