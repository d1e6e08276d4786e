// SharedWideString: the system's UTF-16 string value for markup, layout,
// scripts, indexes and the browser. A string is a view {offset, length} into a
// reference-counted SharedWideBuffer; copies and substrings share the buffer
// and cost no allocation, and a write first makes the buffer the writer's own
// (copy on write). Every operation that can allocate answers false when memory
// runs out and then leaves the string as it was, unless said otherwise.
//
// Invariants: a string writes into its buffer only while IsUniqueOwner holds
// (the buffer owns its characters and has one reference); offset + length
// never exceeds the capacity of an owned buffer; the buffer is destroyed when
// its last reference is released.
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"

class EncodedString;

// The heap record behind one or more strings.
struct SharedWideBuffer {
  int32_t refcount;   // strings pointing at it
  uint8_t ownsData;   // 1: data allocated for this record; 0: caller's storage, never written
  WCHAR* data;        // UTF-16 units, not terminated
  uint32_t capacity;  // units allocated (0 for attached storage)

  // A record with refcount 1 owning room for capacity units; null when memory
  // runs out.
  static SharedWideBuffer* CreateOwned(uint32_t capacity);
  // A record with refcount 1 over storage the caller keeps; null when memory
  // runs out.
  static SharedWideBuffer* CreateAttached(const WCHAR* chars);
  // Frees the data when owned, then the record.
  static void Destroy(SharedWideBuffer* buffer);
};

// Drops one reference; the last one destroys the buffer. Null is ignored.
void ReleaseBuffer(SharedWideBuffer* buffer);

// Units of a zero-terminated text (0 for null).
uint32_t WideStrLen(const WCHAR* text);

// The n units as one unsigned number of the radix, as
// SharedWideString::ParseUnsigned reads it; *out is written only on success.
bool ParseUnsignedUnits(const WCHAR* units, uint32_t n, uint32_t radix, uint32_t* out);

class SharedWideString {
 public:
  uint32_t offset = 0;  // index of the first character inside buffer->data
  uint32_t length = 0;  // characters
  SharedWideBuffer* buffer = nullptr;  // null for the empty string without storage

  SharedWideString() = default;
  // Copies a zero-terminated text; null, empty, or lack of memory give the
  // empty string (use FromChars to learn of a failure).
  explicit SharedWideString(const WCHAR* text);
  // Copies share the other's buffer.
  SharedWideString(const SharedWideString& other);
  SharedWideString(SharedWideString&& other) noexcept;
  SharedWideString& operator=(const SharedWideString& other);
  SharedWideString& operator=(SharedWideString&& other) noexcept;
  ~SharedWideString();

  // ---- Reading
  const WCHAR* Chars() const { return buffer == nullptr ? nullptr : buffer->data + offset; }
  bool IsEmpty() const { return length == 0; }
  bool IsUniqueOwner() const {
    return buffer != nullptr && buffer->ownsData != 0 && buffer->refcount == 1;
  }

  // ---- Construction and assignment. Only the From... forms copy characters.
  bool FromChars(const WCHAR* units, uint32_t n);
  // Each byte becomes the character of the same value 0-255.
  bool FromBytes(const uint8_t* bytes, uint32_t n);
  bool FromLatin1(const uint8_t* bytes, uint32_t n);
  void Assign(const SharedWideString& other);
  // Views of the other's characters; bounds are the caller's duty.
  void AssignSubstring(const SharedWideString& other, uint32_t start, uint32_t count);
  void AssignFrom(const SharedWideString& other, uint32_t start);
  void AssignRight(const SharedWideString& other, uint32_t n);
  void AssignBetween(const SharedWideString& other, uint32_t a, uint32_t b);
  // Wraps storage the caller keeps alive and unchanged; nothing is copied.
  bool AttachExternal(const WCHAR* chars, uint32_t n);
  // An EncodedString converted to UTF-16. An empty text clears the string and
  // answers true; otherwise true when the converted text is not empty.
  bool AssignEncodedString(const EncodedString& text);
  void Clear();
  void ClearKeepBuffer() { length = 0; }

  // ---- Storage
  // Makes the string writable with room for max(length, n) characters.
  bool Reserve(uint32_t n);
  bool EnsureCapacity(uint32_t n) { return Reserve(n); }
  // Reserve(0); on failure the string is cleared.
  bool MakeWritable();
  // Reserves start + n characters, raises the length to start + n when it is
  // shorter, and sets *out to character start (null for n = 0).
  bool GetWriteBuffer(WCHAR** out, uint32_t start, uint32_t n);
  // Character start of a string already reserved for start + n characters,
  // raising the length to start + n when shorter; null for n = 0.
  WCHAR* WritePointer(uint32_t start, uint32_t n);
  // A new DeviceAlloc'ed array of the characters (and a zero when asked);
  // null when memory runs out. The caller frees it with DeviceFree.
  WCHAR* Duplicate(bool terminate) const;
  // Copy the characters (the narrow form: the low byte of each) and, when
  // asked, a terminating zero. When they do not fit: capacity 0 writes
  // nothing, capacity 1 only the zero, larger capacities the first
  // capacity - 2 characters and the zero; the answer is then false.
  bool CopyToBuffer(WCHAR* dst, uint32_t capacity, bool terminate) const;
  bool CopyToNarrow(char* dst, uint32_t capacity, bool terminate) const;
  // The characters as an EncodedString in code page 65002.
  bool ToEncodedString(EncodedString* out) const;

  // ---- Editing
  bool Append(const SharedWideString& other);
  bool AppendRange(const SharedWideString& other, uint32_t index, uint32_t n);
  bool AppendChars(const WCHAR* chars, uint32_t n);
  bool AppendRepeated(WCHAR ch, uint32_t n);
  // The same without reserving: the caller has reserved the room.
  void AppendUnchecked(const SharedWideString& other);
  void AppendRangeUnchecked(const SharedWideString& other, uint32_t index, uint32_t n);
  void AppendCharsUnchecked(const WCHAR* chars, uint32_t n);
  void AppendRepeatedUnchecked(WCHAR ch, uint32_t n);
  bool InsertChars(const WCHAR* chars, uint32_t n, uint32_t at);
  // Removes n characters at index (clamped to the string). Removing up to the
  // end or from the start only narrows the view.
  bool Erase(uint32_t index, uint32_t n);
  // Replaces up to maxCount occurrences (-1: all).
  bool ReplaceChar(WCHAR from, WCHAR to, int32_t maxCount);
  bool RemoveChar(WCHAR ch);
  // Every character through CharToLower (the 1252 class table).
  bool FoldCase();
  // Narrows the view past leading and/or trailing space, tab, CR, LF and
  // no-break space.
  void Trim(bool front, bool back);

  // ---- Search and comparison
  // -1, 0 or 1 comparing the units as unsigned numbers; with no difference a
  // longer argument sorts after, and prefix mode makes a string that starts
  // with the argument compare equal.
  int Compare(const WCHAR* chars, uint32_t n, bool prefixMode) const;
  int CompareTo(const SharedWideString& other, bool prefixMode = false) const;
  // First occurrence of other at or after start; the length when there is
  // none; 0 when either string has no buffer.
  uint32_t Find(const SharedWideString& other, uint32_t start) const;
  // The sought character is a value 0-255 compared with whole UTF-16 units,
  // over [start, end); end -1 (or beyond the length) means the length.
  bool FindChar(uint8_t ch, uint32_t* out, uint32_t start = 0, int32_t end = -1) const;
  // The index, or the end when absent.
  uint32_t IndexOfChar(uint8_t ch, uint32_t start = 0, int32_t end = -1) const;
  uint32_t CountChar(uint8_t ch, uint32_t start = 0, int32_t end = -1) const;

  // ---- Numbers
  // The whole string as digits of the radix ('0'-'9', then 'a'-'z' or 'A'-'Z'
  // for 10-35); false for radix 0, the empty string, another character, or a
  // value above 0xFFFFFFFF. *out is written only on success.
  bool ParseUnsigned(uint32_t radix, uint32_t* out) const;
  // An optional '-' or '+' (blanks after it skipped), then ParseUnsigned; the
  // magnitude must be below 0x80000000.
  bool ParseInt(uint32_t radix, int32_t* out) const;
  // Digits most significant first, upper-case letters, "0" for zero; radix
  // 2-36 (false otherwise).
  bool AppendUnsigned(uint32_t value, uint32_t radix = 10);
  bool AppendInt(int32_t value);

  // ---- URL text and formatting
  // Percent-encodes (encode) or decodes in place. Encoding keeps characters
  // from U+0100 up and the safe set (strict: ! ' ( ) * - . 0-9 A-Z _ a-z ~;
  // lenient adds $ & + , / : = ? @); every other character becomes %XX.
  // Decoding turns '+' into a space and %XX into its character (lenient: only
  // for $ & + , / : ; = ? @, other escapes stay as they are); a '%' with fewer
  // than two characters after it is dropped. False for an escape whose two
  // characters are not hexadecimal digits, or when memory runs out; the
  // string is then unchanged.
  bool UrlEscape(bool encode, bool strict);
  // This string as a format: %1-%9 insert args[0]-args[8], %0 inserts
  // args[9] (nothing when the index is not below count), %% gives one '%'; a
  // '%' before any other character, or at the end, is kept.
  bool FormatPositional(const SharedWideString* args, uint32_t count, SharedWideString* out) const;

 private:
  // Room for length + extra units in a writable buffer; unique owners grow
  // with some slack so repeated appends stay linear.
  bool ReserveForAppend(uint32_t extra);
  void TakeBuffer(SharedWideBuffer* fresh, uint32_t newOffset, uint32_t newLength);
};
