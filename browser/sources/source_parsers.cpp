// Parser ends and text searchers shared by the document sources.
#include "browser/sources/source_parsers.h"

#include <new>

#include "layout/markup/element_stream.h"
#include "layout/pages/layout_context.h"
#include "layout/search/markup_text_searcher.h"
#include "layout/search/text_searcher.h"
#include "platform/memory/allocator.h"
#include "storage/documents/document.h"

void DestroySourceParser(ElementStream* parser, LayoutContext* layout) {
  if (layout != nullptr) {
    layout->Detach();
    delete layout;
  }
  if (parser != nullptr) {
    parser->ReleaseChunks();
    delete parser;
  }
}

TextSearcher* CreateDocumentTextSearch(Document* document, int32_t textKind) {
  if (document == nullptr || (textKind != kPlainText && textKind != kMarkupText)) return nullptr;
  // Markup is searched in its visible text only, never in its tags.
  TextSearcher* searcher = nullptr;
  if (textKind == kMarkupText)
    searcher = DeviceNew<MarkupTextSearcher>();
  else
    searcher = DeviceNew<PlainTextSearcher>();
  if (searcher != nullptr) searcher->Attach(document);
  return searcher;
}
