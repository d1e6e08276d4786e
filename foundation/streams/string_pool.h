// StringPool: writes and reads SharedWideString texts through a ByteStream,
// writing a text met before as a back-reference to its first occurrence. The
// saved view states of the browser and of the page elements use it.
//
// Stream format of one text:
//   empty text       VarUInt 0
//   back-reference   VarUInt 2 x index + 1 (index into the texts written so far)
//   new text         VarUInt 2 x n, then the n bytes of the text in UTF-8
// Both sides append every new non-empty text to their table in the same
// order, so the indices agree. Item markers are single bytes 0, 1 or 2.
//
// Failures clear the stream's ok flag; the reader trusts nothing it reads: a
// back-reference must name a text already read, and a new text's length must
// fit in what the stream still holds before anything is allocated for it.
#pragma once

#include <cstdint>

#include "foundation/streams/byte_stream.h"
#include "foundation/containers/segmented_array_strings.h"

class StringPool {
 public:
  ByteStream* stream = nullptr;
  SegmentedWideStringArray texts;  // the texts met so far, in order
  uint32_t* scratch = nullptr;     // sized buffer for the UTF-8 form

  StringPool() = default;
  explicit StringPool(ByteStream* target) { Init(target); }
  ~StringPool();
  StringPool(const StringPool&) = delete;
  StringPool& operator=(const StringPool&) = delete;

  // Takes the stream and empties the table of texts.
  void Init(ByteStream* target);

  // Answers whether this text was written (the stream's ok flag is cleared
  // otherwise).
  bool WriteString(const SharedWideString& text);
  // False, with the stream's ok flag cleared, on a short stream, a
  // back-reference beyond the texts read so far, or lack of memory.
  bool ReadString(SharedWideString* out);

  bool WriteByte(uint8_t value) { return stream->WriteBytes(&value, 1); }
  // True when the stream is still ok and the byte read is below 3.
  bool ReadByte(uint8_t* out);
  bool WriteEndMark() { return WriteByte(0); }
  // True when the stream is still ok and the byte read is 0.
  bool ReadEndMark();

 private:
  // Makes the scratch buffer hold at least n bytes (at least 128).
  bool ScratchFor(uint32_t n);
  // Takes the last text off the table again.
  void DropLastText();
};
