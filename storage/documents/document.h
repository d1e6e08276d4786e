// Document: the interface through which the markup tokenizer, the layout
// engine and the browser read any document (a book, a plain-text file, a
// script page): text handed out in blocks by position, position arithmetic,
// the text length and code page, property lists (title, guide entries),
// index look-ups and a few header queries. The base answers the neutral
// defaults; each kind of document overrides what it has.
//
// Also here: the TextBlock record that ReadBlock fills, DocumentProperty, the
// rules that pick the code page of the blocks, and ConvertText, the block
// conversion into the target code page.
#pragma once

#include <cstdint>

#include "foundation/system/ref_counted.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "platform/types/device_types.h"

class RecordBuffer;
// Types of the index and container code, seen here only through pointers.
class IndexTable;
class IndexQueryResult;
class EntryListIterator;
class PalmDatabase;

// A block of decoded text lent by a document (ReadBlock) until ReleaseBlock.
struct TextBlock {
  uint32_t start = 0;         // position of the block's first byte in the source text
  const void* data = nullptr; // decoded characters, owned by the document
  uint32_t length = 0;        // characters: UTF-16 units for target 65002, else bytes
  uint32_t scanStart = 0;     // copy of start for the reader's own scanning
  uint32_t scanOffset = 0;    // 0
  uint32_t sourceLength = 0;  // bytes of the block before the code-page conversion
  uint8_t raw = 0;            // the caller asked for unconverted bytes
  uint16_t blockId = 0;       // 1-based slot that ReleaseBlock takes

  const WCHAR* Units() const { return static_cast<const WCHAR*>(data); }
};

// One entry of a property list (title, guide entry, named target, ...).
struct DocumentProperty {
  static constexpr int32_t kPositionIsUrl = -1;     // text holds an address
  static constexpr int32_t kPositionIsScript = -2;  // text holds a script

  int32_t kind = 0;
  SharedWideString name;
  SharedWideString value;
  SharedWideString text;
  int32_t position = -1;  // a text position, or one of the two marks above
  int32_t length = -1;    // copied with the rest
  int32_t extra[3] = {-1, -1, -1};  // working words of the filler; not copied

  DocumentProperty() = default;
  DocumentProperty(const DocumentProperty& other) { CopyFrom(other); }
  DocumentProperty& operator=(const DocumentProperty& other) {
    if (this != &other) CopyFrom(other);
    return *this;
  }

 private:
  void CopyFrom(const DocumentProperty& other);
};

// What GetHeaderInfo answers: the record store and the book's table records.
struct DocumentHeaderInfo {
  PalmDatabase* store = nullptr;
  int32_t encoding = -1;
  uint32_t extraIndexRecords[5] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
};

// Where the character-position map of a UTF-8 block goes in the output of a
// conversion, and its block shift: copied as 8 bytes to the map's place.
struct CharMapCarry {
  uint32_t mapOffset = 0;  // byte offset of the map inside the output (a multiple of 4)
  uint32_t shift = 0;
};

// The index subsystem installs how a reference to an index table is given
// back; until it does, the default CreatePositionQuery drops nothing.
using IndexTableReleaser = void (*)(IndexTable* table);
void SetIndexTableReleaser(IndexTableReleaser releaser);

// Documents are counted (RefCounted): the tokenizer, the layout and the
// view each hold a reference, and the one that releases the last destroys
// the document, whose destructor closes it. The destructor stays public so
// that a document with a single owner (a tool, a test) may also live on
// the stack or in a unique_ptr, as long as that owner's first reference is
// never released.
class Document : public RefCounted {
 public:
  Document() = default;
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;
  ~Document() override;

  // ---- Text (every document implements these)
  virtual void Close() = 0;
  // Fills block with the text that holds position (relative to section);
  // raw asks for the stored bytes without conversion or multibyte carry.
  virtual bool ReadBlock(uint32_t position, TextBlock* block, uint32_t section, bool raw) = 0;
  virtual void ReleaseBlock(uint16_t blockId) = 0;
  // The position count characters after the block start.
  virtual uint32_t AdvancePosition(uint32_t position, uint32_t count, uint32_t section) = 0;
  // Characters from the block start `from` to the position `to`.
  virtual uint32_t PositionDistance(uint32_t from, uint32_t to, uint32_t section) = 0;
  virtual uint32_t GetTextLength() = 0;
  // Code page of the blocks.
  virtual int32_t GetCodePage() = 0;

  // ---- Index look-ups and properties (defaults: none)
  // Sets *result to null and gives back the caller's reference to source.
  virtual void CreatePositionQuery(IndexQueryResult** result, uint32_t position, IndexTable* source);
  virtual bool GetPositionEntryText(uint32_t position, SharedWideString* text);
  // -1 (0xFFFFFFFF) when there is no anchor.
  virtual uint32_t FindAnchorPosition(uint32_t from, uint32_t to, bool forward);
  virtual bool HasPropertyList(int32_t kind);
  virtual uint32_t GetPropertyCount(int32_t kind);
  // By default the first property of the kind whose name equals the given
  // one (exactly), through GetPropertyCount and GetProperty.
  virtual bool FindProperty(const WCHAR* name, uint32_t length, int32_t kind, DocumentProperty* out,
                            int32_t context);
  virtual bool GetProperty(int32_t kind, uint32_t n, DocumentProperty* out);
  // By default the value of property 0 of kind 3.
  virtual bool GetTitle(SharedWideString* title);
  virtual bool GetShortName(SharedWideString* name);
  // The short name, else the title, cut to 3 characters.
  virtual bool GetAbbreviation(SharedWideString* text);
  virtual const uint8_t* GetExtraHeaderData(uint32_t* length);
  virtual const uint8_t* GetStoreNameBytes(uint32_t* length);
  virtual bool GetStoreName(SharedWideString* name);
  virtual int32_t CheckPosition(uint32_t position);
  virtual int32_t LookupIndexEntry(uint32_t position, EntryListIterator* entries, bool* changed,
                                   uint32_t previous, uint32_t* range);
  virtual bool GetHeaderInfo(DocumentHeaderInfo* info);
  // 0, 1 or 2.
  virtual int32_t GetGuideState() = 0;
  // A Windows language identifier.
  virtual uint32_t GetLanguage() = 0;
  virtual bool GetDictionaryLanguages(uint32_t* input, uint32_t* output);
  virtual uint32_t GetBookType();
  virtual uint32_t Reserved28();
  virtual uint32_t Reserved29();
  virtual bool HasExthFlag2();
  virtual bool HasExtraFlag4();
  virtual bool LacksExthFlag8();
  virtual bool HasExthFlag80();
  virtual uint32_t Reserved34();
  virtual bool IsPlainDocument();
  virtual bool MakeText(SharedWideString* text, const uint8_t* bytes, uint32_t count);
  virtual uint32_t Reserved37();
  virtual uint32_t GetFirstPosition();
  virtual uint32_t GetLastPosition();
  virtual bool IsStoreValid();
  virtual bool ReopenStore();

  // Converts count bytes of text from sourceCp into targetCp inside buffer:
  // from source, or, when source is null, from the buffer's own bytes in
  // place. For UTF-8 with carryEnabled the character-position map is filled
  // at carry->mapOffset inside the buffer. Answers the characters produced
  // (UTF-16 units for target 65002, else bytes); 0 when no conversion path
  // exists, the conversion fails, or the output would not fit the buffer.
  static uint32_t ConvertText(RecordBuffer* buffer, const uint8_t* source, uint32_t count, int32_t sourceCp,
                              int32_t targetCp, const CharMapCarry* carry, bool carryEnabled);
};

// The code page of a document's blocks: 65002 when asked for; the requested
// page for a 1252 source asked for 65020 and for UTF-8 and UTF-16 sources;
// every other source stays itself.
int32_t ResolveTargetCodePage(int32_t source, int32_t requested);

// True when enabled, a and b differ, and at least one of them is neither
// 65002 nor a single-byte code page.
bool NeedsCodePageConversion(int32_t a, int32_t b, bool enabled);
