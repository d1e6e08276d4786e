// WidePath: the whole text of a path string as the terminated UTF-16 text
// that the platform's file calls take. The file helpers accept paths in any
// code page the string knows (the system keeps them as UTF-16); the whole
// text is used, not the selection, because a caller may have left a
// selection on the path from taking it apart.
#pragma once

#include "foundation/encoded_string/encoded_string.h"

class WidePath {
 public:
  WidePath() = default;
  explicit WidePath(const EncodedString& path) { Set(path); }

  // False, holding an empty text, when the text cannot be copied or
  // converted to UTF-16.
  bool Set(const EncodedString& path);
  bool IsOk() const { return ok_; }
  // The terminated text; an empty text for an empty path. Never null.
  const WCHAR* Get();
  // UTF-16 units, the terminator not counted.
  uint32_t Units() const { return text_.ByteLength() / 2; }

 private:
  EncodedString text_;
  bool ok_ = true;
};

// Appends a terminated UTF-16 text to a path string (which becomes UTF-16
// when it was empty); false when the string's status is not ok afterwards.
bool AppendWideText(EncodedString* path, const WCHAR* text);
// Units of a terminated UTF-16 text.
uint32_t WideLength(const WCHAR* text);
