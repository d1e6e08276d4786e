// EncodedString selection window, scan cursor and character decoding. A scan
// steps from the cursor to the next character (byte, UTF-16 unit or
// multibyte character) and reports the end of the text as condition 2; it is
// bounded by the length of the text, not by the selection.
#include "foundation/code_pages/code_page.h"
#include "foundation/encoded_string/encoded_string.h"

namespace {

// Trail bytes after a lead byte of a code page; -1 for a page without a rule.
int32_t TrailBytesFor(int32_t cp, uint8_t lead) {
  switch (cp) {
    case 932:
      return ((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) ? 1 : 0;
    case 936:
      return (lead >= 0xA1 && lead <= 0xFE) ? 1 : 0;
    case 949:
    case 950:
      return (lead >= 0x81 && lead <= 0xFE) ? 1 : 0;
    case 51932:
      if (lead == 0x8F) return 2;
      return (lead == 0x8E || (lead >= 0xA1 && lead <= 0xFE)) ? 1 : 0;
    case 65001:
      return static_cast<int32_t>(Utf8SequenceLength(lead)) - 1;
    case -1:
      return 0;
    default:
      return -1;
  }
}

// Characters of multibyte text between two byte offsets.
uint32_t CountMultibyte(const uint8_t* bytes, int32_t cp, uint32_t from, uint32_t to) {
  uint32_t count = 0;
  uint32_t pos = from;
  while (pos < to) {
    int32_t trail = TrailBytesFor(cp, bytes[pos]);
    pos += 1 + static_cast<uint32_t>(trail > 0 ? trail : 0);
    ++count;
  }
  return count;
}

}  // namespace

uint32_t EncodedString::TrailByteCount(uint8_t leadByte, ErrorStatus* scanStatus) const {
  int32_t trail = TrailBytesFor(codePage, leadByte);
  if (trail < 0) {
    if (scanStatus) scanStatus->SetError(kErrorConversion);
    return 0;
  }
  return static_cast<uint32_t>(trail);
}

uint32_t EncodedString::CharLength() const {
  switch (unitKind) {
    case kUnitSingleByte:
      return length;
    case kUnitUtf16:
      return length / 2;
    case kUnitMultibyte:
      return buffer ? CountMultibyte(buffer, codePage, 0, length) : 0;
    default:
      return 0;
  }
}

uint32_t EncodedString::SelectionCharLength() const {
  uint32_t end = selEnd < length ? selEnd : length;
  if (selStart >= end) return 0;
  switch (unitKind) {
    case kUnitSingleByte:
      return end - selStart;
    case kUnitUtf16:
      return (end - selStart) / 2;
    case kUnitMultibyte:
      return buffer ? CountMultibyte(buffer, codePage, selStart, end) : 0;
    default:
      return 0;
  }
}

void EncodedString::SelectAll() {
  selStart = 0;
  selEnd = length;
}

void EncodedString::Select(uint32_t firstChar, uint32_t endChar) {
  uint64_t start = 0, end = 0;
  switch (unitKind) {
    case kUnitSingleByte:
      start = firstChar;
      end = endChar;
      break;
    case kUnitUtf16:
      start = static_cast<uint64_t>(firstChar) * 2;
      end = static_cast<uint64_t>(endChar) * 2;
      break;
    case kUnitMultibyte: {
      // Walk the characters from the start; an index past the end stops there.
      uint32_t pos = 0, index = 0;
      start = end = length;
      bool haveStart = false;
      while (buffer && pos < length) {
        if (index == firstChar) {
          start = pos;
          haveStart = true;
        }
        if (index == endChar) {
          end = pos;
          if (haveStart) break;
        }
        int32_t trail = TrailBytesFor(codePage, buffer[pos]);
        pos += 1 + static_cast<uint32_t>(trail > 0 ? trail : 0);
        ++index;
      }
      if (pos >= length && index <= endChar && end == length) end = length;
      break;
    }
    default:
      status.SetError(kErrorNoUnitKind);
      return;
  }
  if (start > length) start = length;
  if (end > length) end = length;
  if (start > end) start = end;
  selStart = static_cast<uint32_t>(start);
  selEnd = static_cast<uint32_t>(end);
}

void EncodedString::ResetScan() {
  cursor = -1;
  cursorWidth = 1;
  selStart = 0;
  selEnd = 0;
  status.Clear();
}

ScanState EncodedString::SaveScanState() const {
  ScanState state;
  state.selStart = selStart;
  state.selEnd = selEnd;
  state.cursor = cursor;
  state.cursorWidth = cursorWidth;
  return state;
}

void EncodedString::RestoreScanState(const ScanState& state) {
  selStart = state.selStart;
  selEnd = state.selEnd;
  cursor = state.cursor;
  cursorWidth = state.cursorWidth;
}

void EncodedString::PositionBefore(uint32_t offset, int32_t* pos, uint8_t* width) const {
  // One unit before the offset with a width of one unit, so that the next
  // step of DecodeCharAt lands exactly on it.
  uint32_t unit = unitKind == kUnitUtf16 ? 2 : 1;
  *pos = offset >= unit ? static_cast<int32_t>(offset - unit) : -1;
  *width = static_cast<uint8_t>(unit);
}

uint32_t EncodedString::NextChar(uint32_t* lineCounter) {
  return DecodeCharAt(lineCounter, &cursor, &cursorWidth, &status);
}

uint32_t EncodedString::DecodeCharAt(uint32_t* lineCounter, int32_t* pos, uint8_t* width,
                                     ErrorStatus* scanStatus) const {
  uint32_t ch = 0;
  if (unitKind == kUnitMultibyte) {
    ch = NextMultibyteAt(pos, width, scanStatus);
  } else {
    int64_t next;
    uint32_t unit = unitKind == kUnitUtf16 ? 2 : 1;
    if (*pos < 0) {
      next = 0;
    } else {
      next = static_cast<int64_t>(*pos) + unit;
    }
    // A unit must lie whole inside the text.
    if (!buffer || next + unit > length) {
      *pos = static_cast<int32_t>(length);
      scanStatus->SetCondition(kConditionEndOfText);
      return 0;
    }
    *pos = static_cast<int32_t>(next);
    if (unitKind == kUnitUtf16) {
      ch = static_cast<uint32_t>(buffer[next]) | (static_cast<uint32_t>(buffer[next + 1]) << 8);
    } else {
      ch = buffer[next];
    }
  }
  if (ch == '\n' && lineCounter) ++*lineCounter;
  return ch;
}

uint32_t EncodedString::NextMultibyteAt(int32_t* pos, uint8_t* width, ErrorStatus* scanStatus) const {
  int64_t step;
  if (*pos < 0) {
    step = 1;
  } else if (*width == 0) {
    step = static_cast<int64_t>(
               *pos < static_cast<int64_t>(length) && buffer ? TrailByteCount(buffer[*pos], scanStatus) : 0) +
           1;
  } else {
    step = *width;
  }
  int64_t next = static_cast<int64_t>(*pos) + step;
  if (!buffer || next >= static_cast<int64_t>(length)) {
    *pos = static_cast<int32_t>(length);
    scanStatus->SetCondition(kConditionEndOfText);
    return 0;
  }
  *pos = static_cast<int32_t>(next);
  uint32_t w = TrailByteCount(buffer[next], scanStatus) + 1;
  *width = static_cast<uint8_t>(w);
  return DecodeMultibyteAt(static_cast<uint32_t>(next), w);
}

uint32_t EncodedString::DecodeMultibyteAt(uint32_t pos, uint32_t width) const {
  if (!buffer || pos >= length) return 0;
  if (codePage == kCodePageUtf8) {
    uint32_t value = 0;
    DecodeUtf8Char(buffer + pos, length - pos, &value);
    return value;
  }
  if (width == 2 && pos + 1 < length) return static_cast<uint32_t>(buffer[pos]) * 256 + buffer[pos + 1];
  return buffer[pos];
}

uint32_t EncodedString::CurrentChar() { return CharAt(cursor); }

uint32_t EncodedString::CharAt(int32_t pos) {
  if (pos == -1 && length > 0) {
    status.SetError(kErrorNoCursor);
    return 0;
  }
  if (pos < 0 || static_cast<uint32_t>(pos) >= length || !buffer) {
    status.SetCondition(kConditionEndOfText);
    return 0;
  }
  uint32_t p = static_cast<uint32_t>(pos);
  switch (unitKind) {
    case kUnitUtf16:
      if (p + 2 > length) {
        status.SetCondition(kConditionEndOfText);
        return 0;
      }
      return static_cast<uint32_t>(buffer[p]) | (static_cast<uint32_t>(buffer[p + 1]) << 8);
    case kUnitMultibyte:
      return DecodeMultibyteAt(p, TrailByteCount(buffer[p], &status) + 1);
    default:
      return buffer[p];
  }
}

uint32_t EncodedString::ToInteger(uint32_t radix) const {
  uint32_t value = 0;
  int32_t pos;
  uint8_t width;
  PositionBefore(selStart, &pos, &width);
  ErrorStatus scan;
  for (;;) {
    uint32_t c = DecodeCharAt(nullptr, &pos, &width, &scan);
    if (scan.GetCondition() == kConditionEndOfText || !IsInSelection(pos)) break;
    uint32_t digit = c > 0x60 ? c - 87 : (c <= 0x40 ? c - 48 : c - 55);
    value = value * radix + digit;
  }
  return value;
}

int32_t EncodedString::ToSignedInteger(uint32_t radix) const {
  if (IsSelectionEmpty() || !buffer) return 0;
  EncodedString view;
  view.ShallowCopy(*this);
  uint32_t first = unitKind == kUnitUtf16 && selStart + 1 < length
                       ? (static_cast<uint32_t>(buffer[selStart]) | (buffer[selStart + 1] << 8))
                       : buffer[selStart];
  bool negative = false;
  if (first == '-' || first == '+') {
    negative = first == '-';
    uint32_t step = unitKind == kUnitUtf16 ? 2 : 1;
    view.selStart = selStart + step;
  }
  uint32_t magnitude = view.ToInteger(radix);
  view.DetachBuffer();
  return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}
