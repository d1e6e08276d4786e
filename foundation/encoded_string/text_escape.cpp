// XmlEscape and UrlEncode (see text_escape.h).
#include "foundation/encoded_string/text_escape.h"

#include "foundation/code_pages/code_page.h"
#include "foundation/encoded_string/encoded_string_walk.h"
#include "foundation/streams/byte_order.h"
#include "platform/text/utf16_to_utf8.h"

namespace {

// True when the text at byte offset `at` spells `ascii` exactly, before
// `limit`; *behind receives the offset behind it.
bool SpellsAt(const EncodedString& text, uint32_t at, uint32_t limit, const char* ascii, uint32_t* behind) {
  CharWalker walk(text);
  walk.StartAt(static_cast<int32_t>(at));
  uint32_t end = at;
  for (; *ascii; ++ascii) {
    uint32_t c = walk.Step();
    if (walk.AtEnd() || walk.Pos() >= limit || c != static_cast<uint8_t>(*ascii)) return false;
    end = walk.End();
  }
  *behind = end;
  return true;
}

// One character of the source: its value and the offset behind it.
bool CharAtOffset(const EncodedString& text, uint32_t at, uint32_t limit, uint32_t* c, uint32_t* behind) {
  if (at >= limit) return false;
  CharWalker walk(text);
  walk.StartAt(static_cast<int32_t>(at));
  *c = walk.Step();
  if (walk.AtEnd()) return false;
  *behind = walk.End() > limit ? limit : walk.End();
  if (*behind <= at) *behind = at + 1;
  return true;
}

// The destination under construction, started lazily.
class LazyCopy {
 public:
  explicit LazyCopy(const EncodedString& source) : source_(source) {}
  void Start(uint32_t at, uint32_t reserve) {
    if (started_) return;
    started_ = true;
    out_.AssignRaw(nullptr, 0, source_.unitKind, source_.codePage);
    out_.ReserveBytes(reserve);
    out_.AppendRange(source_, source_.selStart, at);
  }
  void Copy(uint32_t from, uint32_t to) {
    if (started_) out_.AppendRange(source_, from, to);
  }
  bool started() const { return started_; }
  EncodedString& out() { return out_; }
  bool Finish(EncodedString* destination) {
    if (!started_) {
      destination->CopyFrom(source_);
      return destination->IsOk();
    }
    out_.SelectAll();
    out_.cursor = -1;
    destination->MoveFrom(out_);  // the status travels with the text
    return destination->IsOk();
  }

 private:
  const EncodedString& source_;
  EncodedString out_;
  bool started_ = false;
};

const char* EntityFor(uint32_t c) {
  switch (c) {
    case '"':
      return "quot";
    case '&':
      return "amp";
    case '<':
      return "lt";
    case '>':
      return "gt";
    default:
      return nullptr;
  }
}

bool Escape(const EncodedString& source, EncodedString* destination) {
  LazyCopy copy(source);
  uint32_t end = source.selEnd < source.length ? source.selEnd : source.length;
  uint32_t reserve = (end > source.selStart ? end - source.selStart : 0);
  reserve += reserve / 2;
  uint32_t pos = source.selStart, c, behind;
  while (CharAtOffset(source, pos, end, &c, &behind) && c != 0) {
    if (const char* entity = EntityFor(c)) {
      copy.Start(pos, reserve);
      copy.out().AppendChar('&');
      copy.out().AppendAscii(entity);
      copy.out().AppendChar(';');
    } else {
      copy.Copy(pos, behind);
    }
    pos = behind;
  }
  return copy.Finish(destination);
}

// The character of a known entity name in [from, to), or 0.
uint32_t EntityChar(const EncodedString& source, uint32_t from, uint32_t to) {
  static const struct {
    const char* name;
    uint32_t ch;
  } kEntities[] = {{"quot", '"'}, {"lt", '<'}, {"gt", '>'}, {"amp", '&'}};
  EncodedString view;
  view.ShallowCopy(source);
  view.selStart = from;
  view.selEnd = to;
  uint32_t found = 0;
  for (const auto& entity : kEntities) {
    if (view.CompareText(entity.name, -1, 1252, false, false) == 0) {
      found = entity.ch;
      break;
    }
  }
  view.DetachBuffer();
  return found;
}

bool Unescape(const EncodedString& source, EncodedString* destination) {
  LazyCopy copy(source);
  uint32_t end = source.selEnd < source.length ? source.selEnd : source.length;
  uint32_t reserve = end > source.selStart ? end - source.selStart : 0;
  bool inCdata = false;
  uint32_t pos = source.selStart, c, behind, after;
  while (CharAtOffset(source, pos, end, &c, &behind) && c != 0) {
    if (inCdata) {
      if (c == ']' && SpellsAt(source, pos, end, "]]>", &after)) {
        inCdata = false;
        pos = after;
        // The character behind the section is copied without any test.
        if (CharAtOffset(source, pos, end, &c, &behind) && c != 0) {
          copy.Copy(pos, behind);
          pos = behind;
        }
        continue;
      }
      copy.Copy(pos, behind);
      pos = behind;
      continue;
    }
    if (c == '<' && SpellsAt(source, behind, end, "![CDATA[", &after)) {
      copy.Start(pos, reserve);
      inCdata = true;
      pos = after;
      continue;
    }
    if (c == '&') {
      EncodedString view;
      view.ShallowCopy(source);
      view.status.Clear();
      view.cursor = static_cast<int32_t>(behind);
      view.cursorWidth = 0;
      bool unclosed = view.SelectBalancedPlain('&', ';', true);
      uint32_t nameStart = view.selStart, nameEnd = view.selEnd;
      view.DetachBuffer();
      if (!unclosed && nameEnd < end) {
        uint32_t semicolon = 0, behindSemicolon = 0;
        CharAtOffset(source, nameEnd, end, &semicolon, &behindSemicolon);
        if (uint32_t entity = EntityChar(source, nameStart, nameEnd)) {
          copy.Start(pos, reserve);
          copy.out().AppendChar(entity);
          pos = behindSemicolon;
          continue;
        }
      }
      // Any other reference, or an '&' without ';', stays as it is up to and
      // including the next ';'.
      uint32_t stop = behind;
      while (CharAtOffset(source, stop, end, &c, &after)) {
        stop = after;
        if (c == ';') break;
      }
      copy.Copy(pos, stop);
      pos = stop;
      continue;
    }
    copy.Copy(pos, behind);
    pos = behind;
  }
  return copy.Finish(destination);
}

// The source's selection as UTF-8 bytes, up to a zero character.
bool SelectionAsUtf8(const EncodedString& source, EncodedString* utf8) {
  utf8->AssignRaw(nullptr, 0, EncodedString::kUnitMultibyte, kCodePageUtf8);
  EncodedString wide;
  const EncodedString* text = &source;
  bool fromWide = source.unitKind == EncodedString::kUnitUtf16;
  bool direct = source.codePage == kCodePageUtf8 || source.codePage == kCodePage1252 ||
                source.codePage == kCodePage7Bit || source.codePage == -1;
  if (!fromWide && !direct) {
    // Another code page: through UTF-16 with the platform's converters.
    wide.CopyFrom(source);
    if (!wide.ConvertToUtf16()) {
      utf8->SetError(wide.GetError() ? wide.GetError() : kErrorConversion);
      return false;
    }
    text = &wide;
    fromWide = true;
  }
  uint32_t end = text->selEnd < text->length ? text->selEnd : text->length;
  const uint8_t* bytes = text->buffer;
  if (!fromWide) {
    for (uint32_t i = text->selStart; bytes && i < end && bytes[i] != 0; ++i) {
      uint8_t b = bytes[i];
      if (text->codePage == kCodePageUtf8) {
        utf8->AppendBytes(&b, 1, kCodePageUtf8);
      } else {
        utf8->AppendChar(text->codePage == kCodePage7Bit ? (b & 0x7F) : Cp1252ToUnicode(b));
      }
    }
    return utf8->IsOk();
  }
  // UTF-16 through the shared encoder, a chunk of units at a time; an
  // unpaired surrogate becomes U+FFFD.
  devtext::Utf16ToUtf8Stream encoder;
  char16_t units[64];
  uint8_t encoded[sizeof(units) / sizeof(units[0]) * devtext::kUtf8ReplacementBytes + devtext::kMaxUtf8CharBytes];
  uint32_t i = text->selStart;
  bool atZero = false;
  while (bytes && !atZero && i + 1 < end) {
    size_t count = 0;
    for (; count < sizeof(units) / sizeof(units[0]) && i + 1 < end; i += 2) {
      units[count] = LoadU16LE(bytes + i);
      if (units[count] == 0) {
        atZero = true;
        break;
      }
      ++count;
    }
    const devtext::Utf8Progress done = encoder.Write(units, count, encoded, sizeof(encoded));
    utf8->AppendBytes(encoded, static_cast<uint32_t>(done.bytesWritten), kCodePageUtf8);
  }
  const size_t tail = encoder.Finish(encoded, sizeof(encoded));
  utf8->AppendBytes(encoded, static_cast<uint32_t>(tail), kCodePageUtf8);
  return utf8->IsOk();
}

bool IsUrlSafe(uint8_t b) {
  return b == '-' || b == '.' || b == '/' || b == '_' || (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') ||
         (b >= 'a' && b <= 'z');
}

uint32_t HexValueLoose(uint32_t c) { return c > 0x60 ? c - 87 : (c <= 0x40 ? c - 48 : c - 55); }

// Builds `result` in the source's code page from UTF-8 bytes.
bool FromUtf8(EncodedString* result, const EncodedString& source) {
  result->SelectAll();
  if (source.codePage == kCodePageUtf8) return result->IsOk();
  int32_t kind = source.unitKind == EncodedString::kUnitNone ? EncodedString::kUnitSingleByte : source.unitKind;
  int32_t cp = source.codePage == -1 && kind == EncodedString::kUnitUtf16 ? 65002 : source.codePage;
  if (cp == -1) cp = kCodePage1252;
  return result->ConvertTo(kind, cp);
}

bool Encode(const EncodedString& source, EncodedString* destination) {
  EncodedString utf8;
  if (!SelectionAsUtf8(source, &utf8)) {
    destination->SetError(utf8.GetError());
    return false;
  }
  bool changes = false;
  for (uint32_t i = 0; i < utf8.length; ++i)
    if (!IsUrlSafe(utf8.buffer[i])) changes = true;
  if (!changes) {
    destination->CopyFrom(source);
    return destination->IsOk();
  }
  static const char kHex[] = "0123456789ABCDEF";
  EncodedString encoded;
  encoded.AssignRaw(nullptr, 0, EncodedString::kUnitMultibyte, kCodePageUtf8);
  encoded.ReserveBytes(utf8.length * 3);
  for (uint32_t i = 0; i < utf8.length; ++i) {
    uint8_t b = utf8.buffer[i];
    if (IsUrlSafe(b)) {
      encoded.AppendChar(b);
    } else {
      encoded.AppendChar('%');
      encoded.AppendChar(static_cast<uint8_t>(kHex[b >> 4]));
      encoded.AppendChar(static_cast<uint8_t>(kHex[b & 15]));
    }
  }
  FromUtf8(&encoded, source);
  destination->MoveFrom(encoded);  // the status travels with the text
  return destination->IsOk();
}

bool Decode(const EncodedString& source, EncodedString* destination) {
  EncodedString utf8;
  if (!SelectionAsUtf8(source, &utf8)) {
    destination->SetError(utf8.GetError());
    return false;
  }
  bool changes = false;
  for (uint32_t i = 0; i < utf8.length; ++i)
    if (utf8.buffer[i] == '%' || utf8.buffer[i] == '+') changes = true;
  if (!changes) {
    destination->CopyFrom(source);
    return destination->IsOk();
  }
  EncodedString decoded;
  decoded.AssignRaw(nullptr, 0, EncodedString::kUnitMultibyte, kCodePageUtf8);
  decoded.ReserveBytes(utf8.length);
  const uint8_t* bytes = utf8.buffer;
  uint32_t n = utf8.length;
  for (uint32_t i = 0; i < n;) {
    uint8_t b = bytes[i];
    if (b == '+') {
      uint8_t space = ' ';
      decoded.AppendBytes(&space, 1, kCodePageUtf8);
      ++i;
    } else if (b == '%') {
      // The two characters after '%' give a byte, read without validation.
      uint32_t first = 0, second = 0;
      uint32_t w1 = i + 1 < n ? DecodeUtf8Char(bytes + i + 1, n - i - 1, &first) : 0;
      uint32_t w2 = (w1 && i + 1 + w1 < n) ? DecodeUtf8Char(bytes + i + 1 + w1, n - i - 1 - w1, &second) : 0;
      if (w1 == 0 || w2 == 0) {
        ++i;  // a '%' with fewer than two characters behind it is dropped
        continue;
      }
      uint8_t value = static_cast<uint8_t>(HexValueLoose(first) * 16 + HexValueLoose(second));
      decoded.AppendBytes(&value, 1, kCodePageUtf8);
      i += 1 + w1 + w2;
    } else {
      decoded.AppendBytes(&b, 1, kCodePageUtf8);
      ++i;
    }
  }
  FromUtf8(&decoded, source);
  destination->MoveFrom(decoded);  // the status travels with the text
  return destination->IsOk();
}

}  // namespace

bool XmlEscape(const EncodedString& source, EncodedString* destination, bool escape) {
  return escape ? Escape(source, destination) : Unescape(source, destination);
}

bool UrlEncode(const EncodedString& source, EncodedString* destination, bool encode) {
  return encode ? Encode(source, destination) : Decode(source, destination);
}
