// EncodedString path operations. Separators are '\' and '/'; characters are
// decoded one by one, so a trail byte of a double-byte character that equals
// '\' is never taken for a separator.
#include "foundation/encoded_string/encoded_string_walk.h"

void EncodedString::SelectLastSeparator(uint32_t sepA, uint32_t sepB, bool selectRest, bool skipSeparator,
                                        int32_t limit) {
  CharWalker walk(*this);
  walk.StartAt(cursor);
  uint32_t steps = limit < 0 ? length : static_cast<uint32_t>(limit);
  bool found = false;
  uint32_t at = 0, behind = 0;
  for (uint32_t i = 0; i < steps; ++i) {
    uint32_t c = walk.Step();
    if (walk.AtEnd()) break;
    if (c == sepA || c == sepB) {
      found = true;
      at = walk.Pos();
      behind = walk.End();
    }
  }
  if (found) {
    selStart = 0;
    selEnd = skipSeparator ? behind : at;
  }
  if (selectRest) {
    selStart = selEnd;
    selEnd = length;
  }
  status.ClearCondition();
}

void EncodedString::SelectPathSegment(bool withSeparator) {
  ResetScan();
  SelectLastSeparator('\\', '/', false, withSeparator, -1);
}

void EncodedString::SelectFolder(bool whole, bool withExtension) {
  ResetScan();
  if (whole) {
    SelectAll();
  } else {
    SelectLastSeparator('\\', '/', true, true, -1);
  }
  if (withExtension) return;
  // End before the last '.' of the component.
  CharWalker walk(*this);
  walk.StartAt(static_cast<int32_t>(selStart));
  uint32_t dot = selEnd;
  for (;;) {
    uint32_t c = walk.Step();
    if (walk.AtEnd() || walk.Pos() >= selEnd) break;
    if (c == '.') dot = walk.Pos();
  }
  selEnd = dot;
}

void EncodedString::SelectExtension(bool withDot) {
  // The last '.' behind the last separator.
  CharWalker walk(*this);
  walk.StartAt(-1);
  bool found = false;
  uint32_t dot = 0, behind = 0;
  for (;;) {
    uint32_t c = walk.Step();
    if (walk.AtEnd()) break;
    if (c == '\\' || c == '/') {
      found = false;
    } else if (c == '.') {
      found = true;
      dot = walk.Pos();
      behind = walk.End();
    }
  }
  selStart = found ? (withDot ? dot : behind) : length;
  selEnd = length;
}

void EncodedString::SelectFirstComponent() {
  CharWalker walk(*this);
  walk.StartAt(-1);
  uint32_t c = walk.Step();
  if (!walk.AtEnd() && c == '\\') c = walk.Step();
  while (!walk.AtEnd()) {
    if (c == '\\') {
      selStart = 0;
      selEnd = walk.End();
      return;
    }
    c = walk.Step();
  }
  SelectAll();
}

void EncodedString::SelectParentPath() {
  SelectAll();
  if (length == 0) return;
  // The last character: walk to it.
  CharWalker walk(*this);
  walk.StartAt(-1);
  uint32_t last = 0, lastPos = 0;
  for (;;) {
    uint32_t c = walk.Step();
    if (walk.AtEnd()) break;
    last = c;
    lastPos = walk.Pos();
  }
  if (last == '\\') selEnd = lastPos;
}

void EncodedString::StripTrailingBackslash() {
  if (unitKind == kUnitSingleByte || unitKind == kUnitNone) {
    if (length > 0 && buffer[length - 1] == '\\') --length;
  } else if (unitKind == kUnitUtf16) {
    if (length >= 2 && buffer[length - 2] == '\\' && buffer[length - 1] == 0) length -= 2;
  } else {
    SelectParentPath();
    Crop();
  }
  if (cursor > static_cast<int32_t>(length)) {
    cursor = static_cast<int32_t>(length);
    cursorWidth = 0;
  }
  SelectAll();
}

void EncodedString::CombinePath(const EncodedString& base, const EncodedString& relative, bool baseIsFile) {
  EncodedString folder(base);
  EncodedString rest(relative);
  if (!folder.IsOk() || !rest.IsOk()) {
    status.SetError(kErrorNoMemory);
    return;
  }
  if (baseIsFile) {
    folder.SelectPathSegment(false);
    folder.Crop();
  } else {
    folder.StripTrailingBackslash();
  }
  static const WCHAR kUp[] = u"..";
  while (rest.StartsWithText(kUp)) {
    uint32_t before = rest.length;
    rest.Select(3, rest.CharLength());
    rest.Crop();
    // Without a unit kind no step can be selected: stop (appending such a
    // text then fails the combination).
    if (rest.length >= before) break;
    folder.SelectPathSegment(false);
    folder.Crop();
  }
  if (!folder.IsEmpty()) folder.AppendChar('\\');
  rest.SelectAll();
  folder.AppendConverted(rest);
  folder.SelectAll();
  int32_t error = folder.GetError();
  MoveFrom(folder);
  status.error = error;
}
