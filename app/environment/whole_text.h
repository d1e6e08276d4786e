// The whole text of an EncodedString, whatever its selection: Assign and
// Append take only the selected bytes, and strings handed in by callers may
// carry a selection left by an earlier scan or append.
#pragma once

#include "foundation/encoded_string/encoded_string.h"

inline void CopyWholeText(const EncodedString& source, EncodedString* out) {
  out->AssignRaw(source.ConstBytes(), source.ByteLength(), source.UnitKind(), source.CodePage());
  out->SelectAll();
}

// The whole text as UTF-16, all of it selected.
inline bool CopyWholeTextAsUtf16(const EncodedString& source, EncodedString* out) {
  CopyWholeText(source, out);
  const bool ok = out->ConvertToUtf16();
  out->SelectAll();
  return ok;
}
