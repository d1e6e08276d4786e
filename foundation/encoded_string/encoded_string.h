// EncodedString: the system's main string value. A run of bytes in one code
// page per string, with a selection window, a scan cursor and an ErrorStatus
// at its head. It never throws and never aborts: failures are recorded in the
// status and the caller tests it once after a series of operations.
//
// Layout of the value (the fields are public: parsers and pools of the system
// work on them directly, keeping the invariants below):
//   status       last error and condition
//   unitKind     how bytes form characters (EncodedString::kUnit...)
//   codePage     -1 none, 65002 UTF-16 (the system's own mark), 65001 UTF-8,
//                1252 and the single-byte pages, 932/936/949/950/51932
//                double-byte pages, 20105 7-bit text read from a file
//   selStart, selEnd  byte offsets of the selection window [selStart, selEnd)
//   cursor       byte offset of the current character of a scan, -1 = before
//                the first byte
//   cursorWidth  byte width of the character at the cursor, 0 = not known yet
//   wipeOnFree   zero the whole buffer before it is freed or replaced
//   capacity, length, buffer   bytes allocated, bytes of text, the bytes
//
// Invariants: capacity >= length + 2 whenever there is a buffer (so two zero
// bytes can always be written behind the text); the text is not kept
// terminated (CStr writes the terminator); selection and cursor are byte
// offsets for every unit kind.
//
// Implementation files: encoded_string.cpp (storage, assignment, appending),
// encoded_string_scan.cpp (selection, cursor, character decoding),
// encoded_string_format.cpp (numbers, byte sizes), encoded_string_serialize.cpp,
// encoded_string_file.cpp, encoded_string_path.cpp, encoded_string_convert.cpp
// (code-page conversion), encoded_string_compare.cpp, encoded_string_search.cpp
// and encoded_string_tokens.cpp.
#pragma once

#include <cstdint>

#include "foundation/encoded_string/error_status.h"
#include "platform/types/device_types.h"

class EncodedStringArray;

// Saved around nested scans of one string.
struct ScanState {
  uint32_t selStart = 0;
  uint32_t selEnd = 0;
  int32_t cursor = -1;
  uint8_t cursorWidth = 1;
};

class EncodedString {
 public:
  // Unit kinds: how the bytes of the text form characters.
  static constexpr int32_t kUnitNone = 0;        // no code page known
  static constexpr int32_t kUnitSingleByte = 1;
  static constexpr int32_t kUnitUtf16 = 2;       // two bytes a unit, native order
  static constexpr int32_t kUnitMultibyte = 3;   // one to several bytes a character

  // ---- Construction and lifetime ----
  EncodedString() = default;
  EncodedString(const EncodedString& other);  // CopyConstruct
  EncodedString& operator=(const EncodedString& other) {
    Assign(other);
    return *this;
  }
  EncodedString(EncodedString&& other) noexcept { MoveFrom(other); }
  EncodedString& operator=(EncodedString&& other) noexcept {
    if (this != &other) MoveFrom(other);
    return *this;
  }
  ~EncodedString() { FreeBuffer(); }

  // The copy holds only the source's selected bytes, with its unit kind, code
  // page and wipe flag; selection whole, cursor -1. Self-assignment is a no-op.
  void CopyFrom(const EncodedString& source);
  void Assign(const EncodedString& source) { CopyFrom(source); }
  // From a zero-terminated UTF-16 text (units = -1) or the given unit count:
  // unit kind 2, code page 65002. A null text gives an empty string.
  bool FromWide(const WCHAR* text, int32_t units = -1);
  // Replaces the text with n bytes; status cleared first. A null pointer with
  // n > 0 records error 4 and leaves the string unchanged.
  bool AssignRaw(const void* bytes, uint32_t n, int32_t unitKind, int32_t codePage);
  // AssignRaw with no unit kind, then SetCodePage(codePage).
  bool AssignBytes(const void* bytes, uint32_t n, int32_t codePage);
  // Convenience: a zero-terminated narrow text in the given code page.
  bool AssignNarrow(const char* text, int32_t codePage = 1252);
  // Relabels without converting.
  void SetCodePage(int32_t cp);
  void MarkUtf16() { SetCodePage(65002); }
  // Takes over every field of the other string; the other keeps no buffer.
  void MoveFrom(EncodedString& other);
  // Shares the other's buffer (a short-lived view inside searches); the view
  // must call DetachBuffer before it is destroyed.
  void ShallowCopy(const EncodedString& other);
  void DetachBuffer();
  // Wipes the buffer when flagged, frees it, clears the wipe flag.
  void FreeBuffer();
  // Empty text, buffer kept.
  void Clear();
  // Frees the buffer; length and capacity 0.
  void Release();
  void SetWipeOnFree(bool wipe) { wipeOnFree = wipe ? 1 : 0; }

  // ---- Status ----
  int32_t GetError() const { return status.GetError(); }
  bool IsOk() const { return status.IsOk(); }
  int32_t GetCondition() const { return status.GetCondition(); }
  void SetError(int32_t code) { status.SetError(code); }
  void SetCondition(int32_t value) { status.SetCondition(value); }
  void ClearStatus() { status.Clear(); }
  void ClearCondition() { status.ClearCondition(); }

  // ---- Size and access ----
  static int32_t UnitKindForCodePage(int32_t cp);
  uint32_t ByteLength() const { return length; }
  bool IsEmpty() const { return length == 0; }
  bool IsSelectionEmpty() const { return selStart >= selEnd; }
  int32_t CodePage() const { return codePage; }
  int32_t UnitKind() const { return unitKind; }
  char* Bytes() { return reinterpret_cast<char*>(buffer); }
  const char* ConstBytes() const { return reinterpret_cast<const char*>(buffer); }
  WCHAR* Chars() { return reinterpret_cast<WCHAR*>(buffer); }
  const WCHAR* Chars() const { return reinterpret_cast<const WCHAR*>(buffer); }
  uint8_t* UnsignedBytes() { return buffer; }
  const uint8_t* UnsignedBytes() const { return buffer; }
  // Writes two zero bytes behind the text; null when there is no buffer.
  WCHAR* CStr();
  // Writes one zero byte behind the text; null when there is no buffer.
  char* NarrowCStr();
  // A static empty text when there is no buffer.
  const WCHAR* CStrOrEmpty();
  const char* NarrowCStrOrEmpty();
  uint32_t CharLength() const;
  uint32_t SelectionCharLength() const;
  bool IsInSelection(int32_t pos) const {
    return pos != -1 && selStart <= static_cast<uint32_t>(pos) && static_cast<uint32_t>(pos) < selEnd;
  }
  bool CursorInSelection() const { return IsInSelection(cursor); }

  // Makes room for offset + n bytes, sets the length to offset + n and the
  // selection to the region [offset, offset + n), and returns a pointer to
  // byte offset for the caller to fill; null when the status is not ok.
  uint8_t* LockRegion(uint32_t offset, uint32_t n);
  bool ReserveBytes(uint32_t n);
  bool ReserveChars(uint32_t n);
  // Reallocates to n + 22 bytes, keeping the text.
  bool Grow(uint32_t n);
  void TruncateAtSelectionEnd();
  // Keeps only the selected bytes.
  void Crop();

  // ---- Appending ----
  // Encodes a character for the string's code page.
  void AppendChar(uint32_t codePoint);
  void AppendUnit(uint16_t unit) { AppendChar(unit); }
  // Appends raw bytes of a code page (error 11 when they do not fit).
  void AppendBytes(const void* bytes, uint32_t n, int32_t cp);
  // The other's selection, its wipe flag ORed in.
  void Append(const EncodedString& other);
  void AppendString(const EncodedString& other) { Append(other); }
  void AppendAndSelectAll(const EncodedString& other);
  // The other's bytes [from, to) (clamped to its text), with its unit kind
  // and code page, as Append does for its selection.
  void AppendRange(const EncodedString& other, uint32_t from, uint32_t to);
  // Converts a copy of the other into this code page first when they differ.
  void AppendConverted(const EncodedString& other);
  void AppendRepeated(uint32_t ch, uint32_t n);
  // Convenience: appends each character of a zero-terminated ASCII text.
  void AppendAscii(const char* text);
  void AppendNumber(uint32_t value, uint32_t radix);
  void AppendSignedNumber(int32_t value, uint32_t radix);
  void AppendPaddedNumber(uint32_t value, uint32_t radix, uint32_t width, bool padBefore,
                          uint32_t fill);
  // Replaces the text (as UTF-16) with a size such as "1.50 MB".
  void FormatByteSize(uint64_t bytes);

  // ---- Selection and scanning ----
  void SelectAll();
  void Select(uint32_t firstChar, uint32_t endChar);
  void ResetScan();
  ScanState SaveScanState() const;
  void RestoreScanState(const ScanState& state);
  // Decodes the character after the cursor and moves onto it; 0 with
  // condition 2 at the end of the text.
  uint32_t NextChar(uint32_t* lineCounter = nullptr);
  // The same step on a caller-held position, width and status.
  uint32_t DecodeCharAt(uint32_t* lineCounter, int32_t* pos, uint8_t* width,
                        ErrorStatus* scanStatus) const;
  // A position and width from which the next DecodeCharAt step lands on the
  // character at byte offset `offset`.
  void PositionBefore(uint32_t offset, int32_t* pos, uint8_t* width) const;
  uint32_t CurrentChar();
  uint32_t CharAt(int32_t pos);
  uint32_t NextMultibyteAt(int32_t* pos, uint8_t* width, ErrorStatus* scanStatus) const;
  uint32_t DecodeMultibyteAt(uint32_t pos, uint32_t width) const;
  // Bytes that follow a lead byte in this string's code page (error 6 on the
  // given status for an unsupported page).
  uint32_t TrailByteCount(uint8_t leadByte, ErrorStatus* scanStatus) const;
  uint32_t TrailByteCount(uint8_t leadByte) { return TrailByteCount(leadByte, &status); }
  uint32_t ToInteger(uint32_t radix) const;
  int32_t ToSignedInteger(uint32_t radix) const;
  static bool IsBlankChar(uint32_t c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }

  // ---- Serialisation ----
  // Writes a 12-byte head {length, code page, unit kind} and the selected
  // bytes at buffer + *offset; adds 12 + length to *offset (a size query with
  // a null buffer). Returns the pointer behind what was written.
  uint8_t* Serialize(uint8_t* out, uint32_t* offset, bool bigEndian) const;
  // Reads what Serialize wrote; advances *cursor and decreases *remaining.
  bool Deserialize(const uint8_t** readCursor, uint32_t* remaining);
  static void StoreU32LittleEndian(uint8_t* out, uint32_t value);
  static void StoreU32BigEndian(uint8_t* out, uint32_t value);

  // ---- Files ----
  // Reads a whole file, recognising byte-order marks.
  bool ProbeFile(const EncodedString& path);
  // The whole content of a text file: a mark 0xFF 0xFE makes it UTF-16 in
  // native order, 0xFE 0xFF UTF-16 byte-swapped (an odd rest records error 7
  // and drops the last byte), 0xEF 0xBB 0xBF UTF-8; the mark is dropped.
  // Without a mark the text is 7-bit (code page 20105).
  bool TakeFileBytes(const uint8_t* bytes, uint32_t n);

  // ---- Paths (separators '\' and '/') ----
  void SelectLastSeparator(uint32_t sepA, uint32_t sepB, bool selectRest, bool skipSeparator,
                           int32_t limit);
  void SelectPathSegment(bool withSeparator);
  void SelectFolder(bool whole, bool withExtension);
  void SelectExtension(bool withDot);
  void SelectFirstComponent();
  void SelectParentPath();
  void StripTrailingBackslash();
  // This string becomes base's folder joined with relative ("..\" steps up).
  void CombinePath(const EncodedString& base, const EncodedString& relative, bool baseIsFile);

  // ---- Code-page conversion ----
  bool ConvertTo(int32_t targetUnitKind, int32_t targetCodePage);
  bool ConvertToCodePage(int32_t cp) { return ConvertTo(UnitKindForCodePage(cp), cp); }
  bool ConvertToUtf16() { return ConvertTo(kUnitUtf16, 65002); }
  void MatchWidth(const EncodedString& other);
  void SwapUtf16Bytes();

  // ---- Comparison ----
  // -1, 0 or 1, selection against the other's selection. In prefix mode a
  // selection that begins with the other's compares equal.
  int32_t Compare(const EncodedString& other, bool prefixMode, bool caseSensitive) const;
  // Against a raw text; length -1 measures up to the terminator; code page -1
  // is taken as UTF-16.
  int32_t CompareText(const void* text, int32_t textLength, int32_t textCodePage, bool prefixMode,
                      bool caseSensitive) const;
  bool Matches(const EncodedString& other, bool prefixMode, bool caseSensitive) const {
    return Compare(other, prefixMode, caseSensitive) == 0;
  }
  bool Equals(const EncodedString& other) const { return Matches(other, false, false); }
  bool EqualsWide(const WCHAR* text) const;
  bool EqualsText(const WCHAR* text) const { return EqualsWide(text); }
  bool EqualsText(const char* text) const;  // narrow text taken as 1252
  bool StartsWithText(const WCHAR* text) const;
  bool StartsWithText(const char* text) const;
  static int32_t CompareBytes(const uint8_t* a, const uint8_t* b, uint32_t n);

  // ---- Search and edit ----
  // Searches the pattern's selection from the cursor; found: the selection is
  // the occurrence; absent: empty selection at the start point, condition 2.
  bool Find(const EncodedString& pattern, bool caseSensitive);
  static uint32_t CountOccurrences(const EncodedString& text, const EncodedString& pattern,
                                   bool caseSensitive);
  // Replaces occurrences inside the selection (case folded); -1 = no limit.
  int32_t ReplaceAll(const EncodedString& pattern, const EncodedString& replacement,
                     int32_t maxCount);
  uint32_t HashCode() const;

  // ---- Token scanners (return the string's condition) ----
  int32_t SkipBlanks(uint32_t* lineCounter = nullptr);
  int32_t SelectToken(uint32_t* lineCounter = nullptr);
  int32_t SelectDigits(uint32_t* lineCounter = nullptr);
  int32_t SelectName(bool strict, uint32_t* lineCounter = nullptr);
  int32_t SelectIdentifier(uint32_t* lineCounter = nullptr) { return SelectName(true, lineCounter); }
  // True when no closing character was found.
  bool SelectBalancedPlain(uint32_t open, uint32_t close, bool stopAtOpen);
  int32_t SelectQuoted(uint32_t* lineCounter = nullptr);
  int32_t SelectAttributeValue(uint32_t* lineCounter = nullptr);
  void CursorToSelectionEnd();

  // ---- Fields (see the head of this file) ----
  ErrorStatus status;
  int32_t unitKind = kUnitNone;
  int32_t codePage = -1;
  uint32_t selStart = 0;
  uint32_t selEnd = 0;
  int32_t cursor = -1;
  uint8_t cursorWidth = 1;
  uint8_t wipeOnFree = 0;
  uint32_t capacity = 0;
  uint32_t length = 0;
  uint8_t* buffer = nullptr;

 private:
  // Appends bytes of a known unit kind and code page.
  void AppendTyped(const void* bytes, uint32_t n, int32_t kind, int32_t cp);
  // Makes room for `extra` more bytes of text (plus the two spare bytes).
  bool EnsureRoomFor(uint32_t extra);
  // Takes a new buffer as the text, freeing the old one through FreeBuffer.
  void AdoptBuffer(uint8_t* newBuffer, uint32_t newCapacity, uint32_t newLength);
};

// Splits text at every occurrence of separator (case-sensitive): n
// occurrences give n + 1 elements, empty pieces included.
void SplitEncodedString(const EncodedString& text, const EncodedString& separator,
                        EncodedStringArray* array);
