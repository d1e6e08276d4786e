// BookSource: the document source of a Palm-database book (a corv book or
// a Palm Doc file). It owns the book document, hands out record streams by
// resource number and by entry name, the book's index tables by name
// ("table=", "key_table", "tableid=", "special_table="), resolves the
// book's inner links, and makes the parser and layout context that show
// the book.
#pragma once

#include <cstdint>

#include "foundation/addresses/url.h"
#include "storage/sources/document_source.h"

class BookDocument;
class DocumentHost;
class PalmDatabase;

class BookSource final : public DocumentSource {
 public:
  // Opens the book over the database, which it takes over in every case (a
  // book that fails to open deletes it). 0 and the source (one reference,
  // the caller's), or the error code: 9 without a database, else the
  // book's own (2, 8, 10, 11).
  static int32_t Create(PalmDatabase* database, DocumentHost* host, BookSource** out, int32_t sourceCodePage,
                        int32_t targetCodePage);


  bool HasEmbeddedStreams() override { return true; }
  void OpenStreamByName(DocumentStreamPtr* out, const WCHAR* name, uint32_t length) override;
  void OpenStreamByIndex(DocumentStreamPtr* out, int32_t index) override;
  bool ResolveInnerLink(const WCHAR* name, uint32_t length, InnerLink* link) override;
  Document* GetDocument() override;
  bool CreateParser(ElementStream** parser, LayoutContext** layout, uint32_t argument) override;
  void DestroyParser(ElementStream* parser, LayoutContext* layout) override;
  TextSearcher* CreateTextSearch() override;
  bool HasSpecialTable(int32_t kind) override;
  DocumentStream* OpenSpecialTable(int32_t kind, uint32_t argument) override;
  DocumentStream* OpenTableAtRecord(uint32_t record) override;
  DocumentStream* OpenNamedTable(const WCHAR* name, uint32_t length, uint32_t argument) override;

  BookDocument* Book() const { return book_; }
  // How the book's text is read: kPlainText or kMarkupText.
  int32_t TextKind() const;

 private:
  explicit BookSource(BookDocument* book) : book_(book) {}
  ~BookSource() override;

  // The record stream of an entry stored in records ("eo=" + its link name).
  DocumentStream* OpenEntryStream(const WCHAR* name, uint32_t length);
  // The index table a table request names; null for any other name.
  DocumentStream* OpenTableRequest(const WCHAR* name, uint32_t length);

  BookDocument* book_;  // counted: the source's reference
};
