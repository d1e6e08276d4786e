// Escaping text for script source and reading it back (see
// script_value_escape.h).
#include "script/values/script_value_escape.h"

#include "foundation/wide_string/shared_wide_string.h"
#include "script/values/script_status.h"

namespace {

bool NeedsEscape(WCHAR c) {
  return c == u'\'' || c == u'"' || c == u'\\' || c == u'\r' || c == u'\n';
}

}  // namespace

int32_t* EscapeScriptString(int32_t* status, const SharedWideString& text, SharedWideString* out) {
  *status = kScriptOk;
  const WCHAR* chars = text.Chars();
  uint32_t extra = 0;
  for (uint32_t i = 0; i < text.length; ++i) {
    if (NeedsEscape(chars[i])) ++extra;
  }
  if (extra == 0) {
    out->Assign(text);
    return status;
  }
  SharedWideString result;
  if (!result.Reserve(text.length + extra)) {
    *status = kScriptNoMemory;
    return status;
  }
  for (uint32_t i = 0; i < text.length; ++i) {
    WCHAR c = chars[i];
    if (!NeedsEscape(c)) {
      result.AppendCharsUnchecked(&c, 1);
      continue;
    }
    WCHAR pair[2] = {u'\\', c};
    if (c == u'\r') pair[1] = u'r';
    if (c == u'\n') pair[1] = u'n';
    result.AppendCharsUnchecked(pair, 2);
  }
  out->Assign(result);
  return status;
}

int32_t* UnescapeScriptString(int32_t* status, const SharedWideString& text,
                              SharedWideString* out) {
  *status = kScriptOk;
  const WCHAR* chars = text.Chars();
  if (text.length == 0 || text.IndexOfChar('\\') == text.length) {
    out->Assign(text);
    return status;
  }
  SharedWideString result;
  if (!result.Reserve(text.length)) {
    *status = kScriptNoMemory;
    return status;
  }
  for (uint32_t i = 0; i < text.length; ++i) {
    WCHAR c = chars[i];
    if (c == u'\\') {
      if (++i == text.length) break;  // a backslash at the end is dropped
      c = chars[i];
      if (c == u'n') c = u'\n';
      if (c == u'r') c = u'\r';
    }
    result.AppendCharsUnchecked(&c, 1);
  }
  out->Assign(result);
  return status;
}
