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
#include "foundation/containers/segmented_array_typed.h"
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

// One entry of a document's frame description. An entry is a frame (its
// kind bits give 2 or 6), a link offered for the page (0x14), or a nested
// frame set (kFrameEntryChildren, its entries below it). The value is the
// frame's number in the document, what a frame view shows (0: the frame
// shows the document's own view).
inline constexpr uint32_t kFrameEntryFrame = 0x02;
inline constexpr uint32_t kFrameEntryExtra = 0x04;
inline constexpr uint32_t kFrameEntryLink = 0x10;
inline constexpr uint32_t kFrameEntryKindMask = kFrameEntryFrame | kFrameEntryExtra | kFrameEntryLink;
inline constexpr uint32_t kFrameEntryBorder = 0x40;       // a frame set drawn with borders
inline constexpr uint32_t kFrameEntryChildren = 0x100;    // a nested frame set
inline constexpr uint32_t kFrameEntryFrameBorder = 0x200;  // the frame's view draws its border
// Options of an entry with children.
inline constexpr uint32_t kFrameEntryColumns = 0x01;  // frames side by side (else stacked)

struct FrameEntry {
  uint32_t flags = 0;
  SharedWideString name;
  int32_t value = 0;
  // The frame's length along its set's divided dimension: a size and a
  // kind as the frame set takes them (0 percent, 1 pixels, 2 units,
  // 3 relative share).
  int32_t size = 1;
  uint32_t sizeKind = 3;
  uint32_t options = 0;
  uint32_t language = 0;     // of a link: its language attribute (the low 10 bits the language code)
  uint32_t descendants = 0;  // entries below this one; they follow it in the list

  bool IsFrame() const {
    const uint32_t kind = flags & kFrameEntryKindMask;
    return kind == kFrameEntryFrame || kind == (kFrameEntryFrame | kFrameEntryExtra);
  }
  bool IsLink() const { return (flags & kFrameEntryKindMask) == (kFrameEntryExtra | kFrameEntryLink); }
  bool HasChildren() const { return (flags & kFrameEntryChildren) != 0; }
};

// A document's frame description: the top entry (the frame set itself: its
// border flag and options) followed by the entries of the tree in document
// order, each entry's descendants right after it.
class FrameDescription {
 public:
  // Nested frame sets deeper than this, or more entries than this, are not
  // a description that a page can show; Check refuses them (the walk
  // compares frame names pairwise).
  static constexpr uint32_t kMaxDepth = 8;
  static constexpr uint32_t kMaxEntries = 1024;

  FrameDescription() { entries.InitWithShift(3, 0, 0); }

  uint32_t Count() const { return entries.count; }
  const FrameEntry& At(uint32_t i) const { return entries[i]; }
  // The entry after the subtree of entry i.
  uint32_t After(uint32_t i) const { return i + 1 + entries[i].descendants; }
  void Clear() { entries.Clear(); }

  // Whether the tree holds together: a top entry whose subtree is the whole
  // list, every subtree inside its parent's, nesting at most kMaxDepth, at
  // most kMaxEntries entries. A
  // description comes from a book, so nothing is read before it passes.
  bool Check() const {
    const uint32_t count = entries.count;
    if (count == 0 || count > kMaxEntries || entries[0].descendants != count - 1) return false;
    uint32_t ends[kMaxDepth + 2];  // the list, the top entry, the nested sets
    uint32_t depth = 0;
    ends[depth++] = count;
    for (uint32_t i = 0; i < count; ++i) {
      while (depth > 0 && i >= ends[depth - 1]) --depth;
      const uint32_t descendants = entries[i].descendants;
      if (depth == 0 || descendants > ends[depth - 1] - i - 1) return false;
      if (descendants != 0) {
        // depth - 1 sets hold this entry: the top and the nested ones.
        if (depth > kMaxDepth + 1) return false;
        ends[depth++] = i + 1 + descendants;
      }
    }
    return true;
  }

  SegmentedTypedArray<FrameEntry> entries;
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
  // The frame description of the document at a source position (the
  // position the frames were last built at given as previous): *holdsFrames
  // tells whether the position shows frames, and *out receives the
  // entries then. False when the description cannot be made (damage or
  // lack of memory). No format carries frames yet: the position holds none.
  virtual bool GetFrameDescription(int32_t position, int32_t previous, FrameDescription* out, bool* holdsFrames) {
    (void)position;
    (void)previous;
    out->Clear();
    *holdsFrames = false;
    return true;
  }

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
