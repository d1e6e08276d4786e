// The page document and its source (see script_page_document.h).
#include "script/pages/script_page_document.h"

#include "layout/markup/markup_parser.h"
#include "platform/memory/allocator.h"
#include "script/pages/script_page_host.h"

namespace {

// Document property kind of a book's named links.
constexpr int32_t kLinkPropertyKind = 0;
// Property kind answered by the book (its named targets).
constexpr int32_t kBookPropertyKind = 7;
constexpr uint32_t kUnknownLength = 0xFFFFFFFFu;

}  // namespace

// ---- The document

ScriptPageDocument::~ScriptPageDocument() { Close(); }

void ScriptPageDocument::Close() {
  delete host_;
  host_ = nullptr;
}

bool ScriptPageDocument::Resume() {
  bool ended = true;
  host_->RunStep(&ended);
  bool ok = host_->TakeOutput(&pieces_);
  produced_ = 0;
  for (uint32_t i = 0; i < pieces_.Count(); ++i) produced_ += pieces_.At(i)->length;
  if (ended) {
    delete host_;
    host_ = nullptr;
    finished_ = 1;
  }
  return ok;
}

bool ScriptPageDocument::Attach(ScriptPageHost* host, Document* book, bool finished) {
  book_ = book;
  host_ = host;
  bool ok = true;
  if (host_ != nullptr) {
    if (host_->FramesetName().length > 0 && book_ != nullptr) {
      DocumentProperty link;
      const SharedWideString& name = host_->FramesetName();
      if (book_->FindProperty(name.Chars(), name.length, kLinkPropertyKind, &link, 0)) {
        framesetPosition_ = link.position;
      }
    }
    ok = host_->TakeOutput(&pieces_);
    for (uint32_t i = 0; i < pieces_.Count(); ++i) produced_ += pieces_.At(i)->length;
    if (finished) {
      delete host_;
      host_ = nullptr;
    }
  }
  finished_ = finished || host_ == nullptr ? 1 : 0;
  return ok;
}

bool ScriptPageDocument::ReadBlock(uint32_t position, TextBlock* block, uint32_t section,
                                   bool raw) {
  if (section != 0) {
    // The book's own blocks: their ids are the book's, never 0.
    return book_ != nullptr && book_->ReadBlock(position, block, section, raw);
  }
  while (position >= produced_ && host_ != nullptr) {
    const uint32_t before = produced_;
    if (!Resume()) return false;
    if (produced_ == before && host_ != nullptr && !host_->Running()) break;
  }
  if (position >= produced_) return false;
  // The piece that holds the position; the search goes on from the last
  // block when the position lies at or after its start.
  uint32_t index = 0;
  uint32_t start = 0;
  if (position >= lastBlockStart_ && lastPiece_ < pieces_.Count()) {
    index = lastPiece_;
    start = lastBlockStart_;
  }
  while (index < pieces_.Count() && position >= start + pieces_.At(index)->length) {
    start += pieces_.At(index)->length;
    ++index;
  }
  if (index >= pieces_.Count()) return false;
  const SharedWideString& piece = *pieces_.At(index);
  lastPiece_ = index;
  lastBlockStart_ = start;
  *block = TextBlock();
  block->start = start;
  block->scanStart = start;
  block->data = piece.Chars();
  block->length = piece.length;
  block->sourceLength = piece.length * 2;
  block->raw = raw ? 1 : 0;
  block->blockId = 0;  // the pieces stay with the document
  return true;
}

void ScriptPageDocument::ReleaseBlock(uint16_t blockId) {
  if (blockId != 0 && book_ != nullptr) book_->ReleaseBlock(blockId);
}

uint32_t ScriptPageDocument::AdvancePosition(uint32_t position, uint32_t count,
                                             uint32_t section) {
  if (section != 0 && book_ != nullptr) return book_->AdvancePosition(position, count, section);
  return position + count;
}

uint32_t ScriptPageDocument::PositionDistance(uint32_t from, uint32_t to, uint32_t section) {
  if (section != 0 && book_ != nullptr) return book_->PositionDistance(from, to, section);
  return to - from;
}

uint32_t ScriptPageDocument::GetTextLength() {
  return host_ != nullptr ? kUnknownLength : produced_;
}

uint32_t ScriptPageDocument::GetLanguage() {
  return book_ != nullptr ? book_->GetLanguage() : 0;
}

bool ScriptPageDocument::FindProperty(const WCHAR* name, uint32_t length, int32_t kind,
                                      DocumentProperty* out, int32_t context) {
  if (kind == kBookPropertyKind && book_ != nullptr) {
    return book_->FindProperty(name, length, kind, out, context);
  }
  return Document::FindProperty(name, length, kind, out, context);
}

uint32_t ScriptPageDocument::GetBookType() {
  return book_ != nullptr ? book_->GetBookType() : Document::GetBookType();
}

const uint8_t* ScriptPageDocument::GetExtraHeaderData(uint32_t* length) {
  if (book_ != nullptr) return book_->GetExtraHeaderData(length);
  *length = 0;
  return nullptr;
}

int32_t ScriptPageDocument::LookupIndexEntry(uint32_t, EntryListIterator* entries, bool* changed,
                                             uint32_t previous, uint32_t* range) {
  if (book_ == nullptr || framesetPosition_ < 0) return -1;
  return book_->LookupIndexEntry(static_cast<uint32_t>(framesetPosition_), entries, changed,
                                 previous, range);
}

// ---- The source

ScriptPageProvider::ScriptPageProvider(ScriptPageDocument* page, DocumentSource* book,
                                       ScriptPageLayoutMaker* layouts)
    : page_(page), book_(book), layouts_(layouts) {}

ScriptPageProvider::~ScriptPageProvider() { delete page_; }

bool ScriptPageProvider::HasEmbeddedStreams() {
  return book_.Get() != nullptr && book_->HasEmbeddedStreams();
}

void ScriptPageProvider::OpenStreamByName(DocumentStreamPtr* out, const WCHAR* name,
                                          uint32_t length) {
  if (book_.Get() != nullptr) book_->OpenStreamByName(out, name, length);
}

void ScriptPageProvider::OpenStreamByIndex(DocumentStreamPtr* out, int32_t index) {
  if (book_.Get() != nullptr) book_->OpenStreamByIndex(out, index);
}

bool ScriptPageProvider::CreateParser(ElementStream** parser, LayoutContext** layout,
                                      uint32_t argument) {
  *parser = nullptr;
  if (layout != nullptr) *layout = nullptr;
  MarkupParser* markup = DeviceNew<MarkupParser>();
  if (markup == nullptr) return false;
  markup->AttachSource(page_, argument);
  if (layout != nullptr) {
    *layout = layouts_ != nullptr ? layouts_->CreateLayout(markup, page_) : nullptr;
    if (*layout == nullptr) {
      delete markup;
      return false;
    }
  }
  *parser = markup;
  return true;
}

void ScriptPageProvider::DestroyParser(ElementStream* parser, LayoutContext* layout) {
  if (layout != nullptr && layouts_ != nullptr) layouts_->DestroyLayout(layout);
  delete parser;
}

DocumentStream* ScriptPageProvider::OpenSpecialTable(int32_t kind, uint32_t argument) {
  return book_.Get() != nullptr ? book_->OpenSpecialTable(kind, argument) : nullptr;
}

DocumentStream* ScriptPageProvider::OpenTableAtRecord(uint32_t record) {
  return book_.Get() != nullptr ? book_->OpenTableAtRecord(record) : nullptr;
}

DocumentStream* ScriptPageProvider::OpenNamedTable(const WCHAR* name, uint32_t length,
                                                   uint32_t argument) {
  return book_.Get() != nullptr ? book_->OpenNamedTable(name, length, argument) : nullptr;
}

const uint8_t* ScriptPageProvider::GetBookExtraHeaderData(uint32_t* length) {
  if (book_.Get() == nullptr) {
    *length = 0;
    return nullptr;
  }
  return book_->GetExtraHeaderData(length);
}
