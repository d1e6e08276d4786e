// DocumentSource: one loaded document as the loader caches it and the views
// use it. It owns the document object, makes the parser and layout context
// that show it, and hands out the DocumentStreams through which embedded
// resources and index tables are read. Local files, books, script pages and
// object databases implement it, each keeping the sixteen operations below
// in this order.
//
// Storage knows the types of the later subsystems that some operations take
// (the parser, the layout context, the text searcher) only by name; the
// implementations live with them. Every source keeps the address it was
// loaded under.
#pragma once

#include <cstdint>

#include "foundation/addresses/url.h"
#include "foundation/containers/grow_array.h"
#include "foundation/system/ref_counted.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "storage/sources/document_stream.h"

class Document;
class DocumentSourceCache;
class ElementStream;
class LayoutContext;
class TextSearcher;

// What ResolveInnerLink answers: where a named link of a book points.
struct InnerLink {
  static constexpr int32_t kScriptTemplate = 2;
  static constexpr int32_t kCompiledScriptPage = 3;
  static constexpr int32_t kFirstRecordEntryKind = 32;  // kinds above 31: an entry stored in records

  int32_t kind = 0;     // 2, 3, above 31, or any other value: a text position
  int32_t section = 0;  // the text section first and last lie in (for ReadBlock)
  uint32_t first = 0;
  uint32_t last = 0;
  uint8_t flag = 0;
};

class DocumentSource : public RefCounted {
 public:
  // GetSourceKind of an object database; every other source answers 0.
  static constexpr int32_t kObjectDatabaseKind = 1;

  DocumentSource() = default;

  // Leaves the loader's cache before anything else goes.
  ~DocumentSource() override;
  // Keeps the address the loader loaded the source under.
  virtual void SetUrl(const Url& url) { url_ = url; }
  const Url& GetUrl() const { return url_; }
  // Forwards to the document's GetTitle; false without a document.
  virtual bool GetTitle(SharedWideString* title);
  virtual bool HasEmbeddedStreams();
  // *out receives the stream (counted for the caller) or stays null.
  virtual void OpenStreamByName(DocumentStreamPtr* out, const WCHAR* name, uint32_t length);
  virtual void OpenStreamByIndex(DocumentStreamPtr* out, int32_t index);
  virtual bool ResolveInnerLink(const WCHAR* name, uint32_t length, InnerLink* link);
  // The document, not counted for the caller, or null.
  virtual Document* GetDocument();
  // Makes the element stream that reads the document and, when layout is not
  // null, a layout context attached to it; false (both null) on failure.
  virtual bool CreateParser(ElementStream** parser, LayoutContext** layout, uint32_t argument);
  virtual void DestroyParser(ElementStream* parser, LayoutContext* layout);
  // A searcher bound to the document, owned by the caller, or null.
  virtual TextSearcher* CreateTextSearch();
  virtual bool HasSpecialTable(int32_t kind);
  // The table operations answer a stream counted for the caller, or null.
  virtual DocumentStream* OpenSpecialTable(int32_t kind, uint32_t argument);
  virtual DocumentStream* OpenTableAtRecord(uint32_t record);
  virtual DocumentStream* OpenNamedTable(const WCHAR* name, uint32_t length, uint32_t argument);
  // 0, or kObjectDatabaseKind.
  virtual int32_t GetSourceKind();

  // The document's extra header data and its length; null and 0 without a
  // document.
  const uint8_t* GetExtraHeaderData(uint32_t* length);

  // The loader that caches the source (null until it does); it is told when
  // the source dies.
  void SetLoader(DocumentSourceCache* loader) { loader_ = loader; }
  DocumentSourceCache* GetLoader() const { return loader_; }

  // The live streams handed out, oldest first.
  uint32_t GetStreamCount() const { return streams_.Count(); }
  DocumentStream* GetStream(uint32_t n) const;
  // The first live stream whose CompareIndex(n) or CompareName(name) is 0,
  // counted for the caller; null when none.
  DocumentStream* FindStreamByIndex(int32_t n);
  DocumentStream* FindStreamByName(const WCHAR* name, uint32_t length);

 private:
  friend class DocumentStream;
  bool AddStream(DocumentStream* stream);
  void RemoveStream(DocumentStream* stream);

  DocumentSourceCache* loader_ = nullptr;
  Url url_;
  GrowArray streams_;  // DocumentStream*, not counted: each stream leaves on its death
};

// A counted pointer to a source: Assign counts the new source up and
// releases the old one; Reset releases; CopyFrom shares another pointer's
// source.
class DocumentSourcePtr : public RefPtr<DocumentSource> {
 public:
  using RefPtr<DocumentSource>::RefPtr;
  void Reset() { Clear(); }
  void CopyFrom(const DocumentSourcePtr& other) { Assign(other.Get()); }
};
