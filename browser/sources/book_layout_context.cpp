// The layout context of a book (see book_layout_context.h).
#include "browser/sources/book_layout_context.h"

#include <new>

#include "platform/memory/allocator.h"
#include "storage/books/book_document.h"

BookLayoutContext* BookLayoutContext::Create(BookDocument* book) {
  if (DeviceAllocationShouldFail()) return nullptr;
  BookLayoutContext* context = new (std::nothrow) BookLayoutContext();
  if (context != nullptr) context->SetBook(book);
  return context;
}

bool BookLayoutContext::UsesCurrentLayout() const {
  return book_ == nullptr || (book_->GetHeaderVersion() != 1 && book_->GetFormatVersion() != 1);
}

int32_t BookLayoutContext::GetBookIdentifier() const { return book_ == nullptr ? -1 : book_->GetBookId(); }
