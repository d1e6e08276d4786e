// SharedWideString positional formatting: "%1".."%9" and "%0" in a format are
// replaced by the arguments, "%%" by one percent sign.
#include <utility>

#include "foundation/wide_string/shared_wide_string.h"

bool SharedWideString::FormatPositional(const SharedWideString* args, uint32_t count,
                                        SharedWideString* out) const {
  uint64_t room = length;
  for (uint32_t i = 0; i < count; ++i) room += args[i].length;
  if (room > UINT32_MAX) return false;
  SharedWideString result;
  if (!result.Reserve(static_cast<uint32_t>(room))) return false;

  const WCHAR* format = Chars();
  uint32_t runStart = 0;  // first character not yet appended
  uint32_t pos = 0;       // where the search for the next '%' goes on
  for (;;) {
    uint32_t percent = pos;
    while (percent < length && format[percent] != u'%') ++percent;
    if (percent + 1 >= length) {  // no '%' left, or it ends the format
      if (!result.AppendChars(format + runStart, length - runStart)) return false;
      break;
    }
    WCHAR next = format[percent + 1];
    if (next >= u'0' && next <= u'9') {
      uint32_t index = next == u'0' ? 9 : next - u'1';
      if (!result.AppendChars(format + runStart, percent - runStart)) return false;
      if (index < count && !result.Append(args[index])) return false;
      runStart = pos = percent + 2;
    } else if (next == u'%') {
      if (!result.AppendChars(format + runStart, percent + 1 - runStart)) return false;
      runStart = pos = percent + 2;
    } else {
      // Not a placeholder: both characters stay as they are.
      pos = percent + 1;
    }
  }
  *out = std::move(result);
  return true;
}
