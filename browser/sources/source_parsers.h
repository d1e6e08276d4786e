// What every document source shares in showing its document: the end of a
// parser and its layout context, and the text searcher that fits the
// document's kind of text.
#pragma once

#include <cstdint>

class Document;
class ElementStream;
class LayoutContext;
class TextSearcher;

// How a document's text is read.
constexpr int32_t kPlainText = 1;
constexpr int32_t kMarkupText = 2;

// Detaches and deletes the layout context, then lets the parser give its
// blocks back and deletes it. Either may be null.
void DestroySourceParser(ElementStream* parser, LayoutContext* layout);
// A searcher bound to the document (the caller owns it), or null: plain
// text is searched as it is, markup in its visible text only.
TextSearcher* CreateDocumentTextSearch(Document* document, int32_t textKind);
