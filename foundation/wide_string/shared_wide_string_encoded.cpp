// SharedWideString and EncodedString: a byte text of any code page converted
// into a wide string, and a wide string handed out as UTF-16 bytes.
#include "foundation/code_pages/code_page.h"
#include "foundation/encoded_string/encoded_string.h"
#include "foundation/wide_string/shared_wide_string.h"

bool SharedWideString::AssignEncodedString(const EncodedString& text) {
  if (text.length == 0 || text.buffer == nullptr) {
    Clear();
    return true;
  }
  if (text.unitKind == EncodedString::kUnitUtf16) {
    uint32_t units = text.length / 2;
    if (units == 0) {
      Clear();
      return false;
    }
    return FromChars(text.Chars(), units);
  }
  if (text.unitKind == EncodedString::kUnitNone) return false;

  int32_t cp = text.codePage == kCodePageNone ? kCodePageDefault : text.codePage;
  uint64_t bytes = static_cast<uint64_t>(text.length) * 2;
  if (text.unitKind == EncodedString::kUnitMultibyte) {
    uint32_t asked = 0;
    MultiByteToWide(text.buffer, text.length, cp, nullptr, &asked);
    if (asked > bytes) bytes = asked;
  }
  if (bytes > UINT32_MAX) return false;
  SharedWideBuffer* fresh = SharedWideBuffer::CreateOwned(static_cast<uint32_t>(bytes / 2));
  if (fresh == nullptr) return false;
  uint32_t produced = static_cast<uint32_t>(bytes);
  if (MultiByteToWide(text.buffer, text.length, cp, fresh->data, &produced) != kConvertOk ||
      produced > bytes) {
    SharedWideBuffer::Destroy(fresh);
    return false;
  }
  if (produced < 2) {
    SharedWideBuffer::Destroy(fresh);
    Clear();
    return false;
  }
  TakeBuffer(fresh, 0, produced / 2);
  return true;
}

bool SharedWideString::ToEncodedString(EncodedString* out) const {
  if (length > INT32_MAX / 2) return false;
  return out->FromWide(length == 0 ? nullptr : Chars(), static_cast<int32_t>(length));
}
