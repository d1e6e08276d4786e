// ScriptPageDocument: what a script page wrote, as a markup document. While
// the page's script has paused, the document keeps its host and resumes the
// script whenever a reader asks for text beyond what was written; its length
// is unknown (0xFFFFFFFF) until the script ends. Section 0 is the page's own
// text; any other section reads the book that holds the page.
//
// ScriptPageProvider: the document source of a script page: the page
// document, with the book's streams and tables.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_strings.h"
#include "storage/documents/document.h"
#include "storage/sources/document_source.h"

class ScriptPageHost;

// What makes the layout context of a page's parser (the layout engine).
class ScriptPageLayoutMaker {
 public:
  virtual LayoutContext* CreateLayout(ElementStream* parser, Document* page) = 0;
  virtual void DestroyLayout(LayoutContext* layout) = 0;

 protected:
  ~ScriptPageLayoutMaker() = default;
};

class ScriptPageDocument : public Document {
 public:
  ScriptPageDocument() = default;
  // Deletes a host that still runs.
  ~ScriptPageDocument() override;

  // Takes the host (owned from now on; null when none); a finished page's
  // output moves in at once and its host is deleted. The book answers the
  // other sections. With a frameset name the book's link of that name gives
  // the index look-up position.
  bool Attach(ScriptPageHost* host, Document* book, bool finished);

  void Close() override;
  bool ReadBlock(uint32_t position, TextBlock* block, uint32_t section, bool raw) override;
  void ReleaseBlock(uint16_t blockId) override;
  uint32_t AdvancePosition(uint32_t position, uint32_t count, uint32_t section) override;
  uint32_t PositionDistance(uint32_t from, uint32_t to, uint32_t section) override;
  uint32_t GetTextLength() override;
  int32_t GetCodePage() override { return 65002; }
  int32_t GetGuideState() override { return 0; }
  uint32_t GetLanguage() override;
  bool FindProperty(const WCHAR* name, uint32_t length, int32_t kind, DocumentProperty* out,
                    int32_t context) override;
  uint32_t GetBookType() override;
  const uint8_t* GetExtraHeaderData(uint32_t* length) override;
  int32_t LookupIndexEntry(uint32_t position, EntryListIterator* entries, bool* changed,
                           uint32_t previous, uint32_t* range) override;

  bool Finished() const { return finished_ != 0; }
  uint32_t PieceCount() const { return pieces_.Count(); }
  int32_t FramesetPosition() const { return framesetPosition_; }

 private:
  // Runs the paused script once more and takes what it wrote.
  bool Resume();
  uint32_t Produced() const { return produced_; }

  SegmentedWideStringArray pieces_;
  uint8_t finished_ = 0;
  ScriptPageHost* host_ = nullptr;
  uint32_t produced_ = 0;  // characters in the pieces
  uint32_t lastBlockStart_ = 0;
  uint32_t lastPiece_ = 0;
  Document* book_ = nullptr;
  int32_t framesetPosition_ = -1;
};

class ScriptPageProvider : public DocumentSource {
 public:
  // Takes the document; holds the book's source.
  ScriptPageProvider(ScriptPageDocument* page, DocumentSource* book,
                     ScriptPageLayoutMaker* layouts);
  ~ScriptPageProvider() override;

  void SetUrl(const Url&) override {}
  bool HasEmbeddedStreams() override;
  void OpenStreamByName(DocumentStreamPtr* out, const WCHAR* name, uint32_t length) override;
  void OpenStreamByIndex(DocumentStreamPtr* out, int32_t index) override;
  Document* GetDocument() override { return page_; }
  // A markup parser over the page and, when asked, a layout context.
  bool CreateParser(ElementStream** parser, LayoutContext** layout, uint32_t argument) override;
  void DestroyParser(ElementStream* parser, LayoutContext* layout) override;
  bool HasSpecialTable(int32_t) override { return false; }
  DocumentStream* OpenSpecialTable(int32_t kind, uint32_t argument) override;
  DocumentStream* OpenTableAtRecord(uint32_t record) override;
  DocumentStream* OpenNamedTable(const WCHAR* name, uint32_t length, uint32_t argument) override;
  int32_t GetSourceKind() override { return 0; }
  // The book source's extra header data.
  const uint8_t* GetBookExtraHeaderData(uint32_t* length);

  DocumentSource* Book() const { return book_.Get(); }

 private:
  ScriptPageDocument* page_;
  DocumentSourcePtr book_;
  ScriptPageLayoutMaker* layouts_;
};
