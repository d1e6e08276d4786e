// BookLayoutContext: the layout context that shows a book. It carries the
// book, answers the book's identifier (with which a side file is checked to
// belong to the book), tells whether the book's layout features are on
// (off for books of header or format version 1), whether forms are
// allowed, and owns the item builder the pager reads the book through.
#pragma once

#include <cstdint>

#include "layout/pages/layout_context.h"
#include "layout/pages/page_item_builder.h"

class BookDocument;

class BookLayoutContext final : public LayoutContext {
 public:
  // Bound to the book (not counted: the source that made the context owns
  // the book and outlives it); null when memory runs out.
  static BookLayoutContext* Create(BookDocument* book);

  void SetBook(BookDocument* book) { book_ = book; }
  BookDocument* GetBook() const { return book_; }
  // False for a book of header version 1 or format version 1; true
  // otherwise (and without a book).
  bool UsesCurrentLayout() const;
  // The book's identifier; -1 without a book.
  int32_t GetBookIdentifier() const;
  // The book's identifier ties a saved page state and the side file's
  // positions to the book, from one opening to the next.
  int32_t GetDocumentStamp() override { return GetBookIdentifier(); }
  // A book of the first layout drops its rules.
  bool ShowsRules() override { return UsesCurrentLayout(); }
  // Cleared for plain-text books and for internal pages (book types 768 to
  // 1023): such books keep no form values.
  void SetFormsAllowed(bool allowed) { formsAllowed_ = allowed; }
  bool FormsAllowed() const { return formsAllowed_; }

  PageItemBuilder* Builder() { return &builder_; }

 private:
  BookLayoutContext() = default;

  BookDocument* book_ = nullptr;
  bool formsAllowed_ = true;
  PageItemBuilder builder_;
};
