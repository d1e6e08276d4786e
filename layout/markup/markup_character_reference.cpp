// Decoding character references, one at a time or through a whole text.
#include "layout/markup/markup_character_reference.h"

#include "foundation/characters/char_entity_table.h"
#include "foundation/code_pages/code_page.h"
#include "layout/markup/keyword_tables.h"

namespace {

constexpr uint32_t kMaxCodePoint = 0x10FFFF;
constexpr uint32_t kOverflow = 0xFFFFFFFFu;

int DigitValue(WCHAR c, uint32_t radix) {
  if (c >= '0' && c <= '9') return c - '0';
  if (radix == 16) {
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  }
  return -1;
}

// The digits as a number; kOverflow once it passes the last code point
// (the digits stay checked to the end). False on a non-digit or no digits.
bool ParseDigits(const WCHAR* digits, uint32_t n, uint32_t radix, uint32_t* value) {
  if (n == 0) return false;
  uint32_t v = 0;
  for (uint32_t i = 0; i < n; ++i) {
    int d = DigitValue(digits[i], radix);
    if (d < 0) return false;
    if (v != kOverflow) {
      v = v * radix + static_cast<uint32_t>(d);
      if (v > kMaxCodePoint) v = kOverflow;
    }
  }
  *value = v;
  return true;
}

void SetEntity(uint32_t id, DecodedReference* out) {
  const WCHAR* text = nullptr;
  uint32_t length = 0;
  GetEntityText(id, &text, &length);
  out->count = length > 2 ? 2 : length;
  for (uint32_t i = 0; i < out->count; ++i) out->units[i] = text[i];
  out->entityId = id;
}

void SetCodePoint(uint32_t value, DecodedReference* out) {
  out->entityId = 0;
  if (value == 0 || value == kOverflow || value > kMaxCodePoint || (value >= 0xD800 && value <= 0xDFFF)) {
    out->units[0] = kReplacementCharacter;
    out->count = 1;
    return;
  }
  if (value <= 0xFFFF) {
    uint32_t id = FindEntityByCodePoint(value);
    if (id != 0) {
      SetEntity(id, out);
      return;
    }
  }
  if (value >= 0x80 && value <= 0x9F) value = Cp1252ToUnicode(static_cast<uint8_t>(value));
  if ((value >= 9 && value <= 13) || value == 32) value = ' ';
  out->count = EncodeUtf16Char(value, out->units);
}

bool IsReferenceChar(WCHAR c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '#';
}

}  // namespace

bool DecodeCharacterReference(const WCHAR* name, uint32_t length, DecodedReference* out) {
  if (length == 0) return false;
  bool numeric = false;
  for (uint32_t i = 0; i < length; ++i)
    if (name[i] == '#') numeric = true;
  if (numeric) {
    if (name[0] != '#') return false;
    uint32_t value = 0;
    bool ok;
    if (length >= 2 && (name[1] == 'x' || name[1] == 'X')) {
      ok = ParseDigits(name + 2, length - 2, 16, &value);
    } else {
      ok = ParseDigits(name + 1, length - 1, 10, &value);
    }
    if (!ok) return false;
    SetCodePoint(value, out);
    return true;
  }
  uint16_t id = 0;
  if (!LookupEntityName(name, length, &id)) return false;
  SetEntity(id, out);
  return true;
}

bool AppendDecodedText(const WCHAR* text, uint32_t length, SharedWideString* out) {
  uint32_t i = 0;
  while (i < length) {
    uint32_t amp = i;
    while (amp < length && text[amp] != '&') ++amp;
    if (amp > i && !out->AppendChars(text + i, amp - i)) return false;
    if (amp == length) break;
    uint32_t end = amp + 1;
    while (end < length && IsReferenceChar(text[end])) ++end;
    bool terminated = end < length && text[end] == ';';
    uint32_t next = terminated ? end + 1 : end;
    DecodedReference ref;
    bool decoded = (terminated || end == length) && DecodeCharacterReference(text + amp + 1, end - amp - 1, &ref);
    bool ok = decoded ? out->AppendChars(ref.units, ref.count) : out->AppendChars(text + amp, next - amp);
    if (!ok) return false;
    i = next;
  }
  return true;
}
