// A document source over a built book, standing in for the browser's book
// source: it hands out the book's document and its index tables by
// descriptor ("tableid=N", "table=NAME" through the naming table,
// "special_table=naming|default|lookup_key", "key_table=NAME"), keeps the
// tables it handed out in its list and hands the same table out again. A
// name without "=" is an address: another book in the device's file system
// (a path from the root, with or without its leading backslash), whose
// main table it answers, keeping that book open as long as itself.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "storage/books/book_document.h"
#include "storage/sources/document_source.h"

namespace testbuild {

class FakeIndexSource : public DocumentSource {
 public:
  // Takes over the opened book; the caller owns the one reference.
  static FakeIndexSource* Create(std::unique_ptr<BookDocument> book);

  bool HasEmbeddedStreams() override { return true; }
  void OpenStreamByName(DocumentStreamPtr* out, const WCHAR* name, uint32_t length) override;
  Document* GetDocument() override { return book_.get(); }
  bool HasSpecialTable(int32_t kind) override;
  DocumentStream* OpenSpecialTable(int32_t kind, uint32_t argument) override;
  DocumentStream* OpenTableAtRecord(uint32_t record) override;
  DocumentStream* OpenNamedTable(const WCHAR* name, uint32_t length, uint32_t argument) override;

  BookDocument* Book() const { return book_.get(); }

 private:
  explicit FakeIndexSource(std::unique_ptr<BookDocument> book) : book_(std::move(book)) {}
  ~FakeIndexSource() override;

  void OpenAddress(DocumentStreamPtr* out, const WCHAR* name, uint32_t length);

  std::unique_ptr<BookDocument> book_;
  // Books opened by address, each kept open once: a second open of the
  // file would be refused by its share mode.
  std::vector<std::pair<std::u16string, DocumentSourcePtr>> others_;
};

}  // namespace testbuild
