// Converting path strings into the terminated UTF-16 text of the platform's
// file calls, and appending UTF-16 names to paths.
#include "foundation/files/folders_wide_path.h"

bool WidePath::Set(const EncodedString& path) {
  ok_ = false;
  int32_t kind = path.unitKind;
  int32_t cp = path.codePage;
  // Bytes without a known unit kind are read as the default single-byte page.
  if (kind == EncodedString::kUnitNone) kind = EncodedString::kUnitSingleByte;
  if (kind == EncodedString::kUnitUtf16) cp = 65002;
  if (!text_.AssignRaw(path.buffer, path.buffer ? path.length : 0, kind, cp)) {
    text_.Release();
    return false;
  }
  if (kind != EncodedString::kUnitUtf16 && !text_.ConvertToUtf16()) {
    text_.Release();
    return false;
  }
  ok_ = text_.IsOk();
  if (!ok_) text_.Release();
  return ok_;
}

const WCHAR* WidePath::Get() { return text_.CStrOrEmpty(); }

uint32_t WideLength(const WCHAR* text) {
  uint32_t n = 0;
  if (text)
    while (text[n]) ++n;
  return n;
}

bool AppendWideText(EncodedString* path, const WCHAR* text) {
  uint32_t units = WideLength(text);
  if (units > 0) path->AppendBytes(text, units * 2, 65002);
  path->SelectAll();
  return path->IsOk();
}
