// Fuzz target: SharedWideString number parsing, number formatting, URL
// escaping and positional formatting on arbitrary text. Besides crashing and
// the sanitizers, it checks the results against simple reference rules:
// parsing agrees with a 64-bit reference, formatted numbers parse back, strict
// encoding decodes back to the text, and failed decoding leaves it unchanged.
//
// Input: byte 0 picks the radix (its value mod 38), byte 1 the flags; the rest
// is the text as UTF-16 units, little-endian. Units of the form 0x00nn are
// frequent in the seeds so digits and escapes are met often.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/wide_string/shared_wide_string.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::u16string Text(const SharedWideString& s) {
  return s.length == 0 ? std::u16string() : std::u16string(s.Chars(), s.length);
}

// The unsigned value of the whole text in the radix, by the plain rule.
bool ReferenceParse(const std::u16string& text, uint32_t radix, uint64_t* value) {
  if (radix == 0 || text.empty()) return false;
  uint64_t v = 0;
  for (char16_t c : text) {
    uint32_t d = 36;
    if (c >= u'0' && c <= u'9') d = c - u'0';
    else if (c >= u'a' && c <= u'z') d = c - u'a' + 10;
    else if (c >= u'A' && c <= u'Z') d = c - u'A' + 10;
    if (d >= radix) return false;
    v = v * radix + d;
    if (v > 0xFFFFFFFFu) return false;
  }
  *value = v;
  return true;
}

void CheckNumbers(const SharedWideString& s, uint32_t radix) {
  std::u16string text = Text(s);
  uint64_t expected = 0;
  uint32_t value = 0xA5A5A5A5;
  bool ok = s.ParseUnsigned(radix, &value);
  Check(ok == ReferenceParse(text, radix, &expected));
  Check(ok ? value == expected : value == 0xA5A5A5A5);
  if (ok && radix >= 2 && radix <= 36) {
    SharedWideString digits;
    Check(digits.AppendUnsigned(value, radix));
    uint32_t back = 0;
    Check(digits.ParseUnsigned(radix, &back) && back == value);
  }

  int32_t signedValue = 0;
  if (s.ParseInt(radix, &signedValue)) {
    Check(signedValue != INT32_MIN);
    SharedWideString formatted;
    Check(formatted.AppendInt(signedValue));
    int32_t back = 0;
    Check(formatted.ParseInt(10, &back) && back == signedValue);
  }
}

void CheckUrl(const SharedWideString& original, bool strict) {
  SharedWideString encoded = original;
  Check(encoded.UrlEscape(true, strict));
  for (uint32_t i = 0; i < encoded.length; ++i) {
    char16_t c = encoded.Chars()[i];
    Check(c >= 256 || c == u'%' || (c > 0x20 && c < 0x7F && c != u' '));
  }
  if (strict) {
    SharedWideString decoded = encoded;
    Check(decoded.UrlEscape(false, true));
    Check(Text(decoded) == Text(original));
  }

  SharedWideString decoded = original;
  if (!decoded.UrlEscape(false, strict)) Check(Text(decoded) == Text(original));
  else Check(decoded.length <= original.length);
}

void CheckFormat(const SharedWideString& format) {
  SharedWideString args[10];
  for (int i = 0; i < 10; ++i) Check(args[i].AppendInt(i * 111));
  SharedWideString out;
  Check(format.FormatPositional(args, static_cast<uint32_t>(format.length % 11), &out));
  // Without a '%' the format comes back as it was.
  if (format.CountChar('%') == 0) Check(Text(out) == Text(format));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  uint32_t radix = data[0] % 38;
  uint8_t flags = data[1];
  std::u16string units((size - 2) / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i)
    units[i] = static_cast<char16_t>(data[2 + 2 * i] | (data[3 + 2 * i] << 8));

  SharedWideString s;
  Check(s.FromChars(units.data(), static_cast<uint32_t>(units.size())));
  if (flags & 1) s.Trim(true, true);
  CheckNumbers(s, radix);
  CheckUrl(s, (flags & 2) != 0);
  CheckFormat(s);
  return 0;
}
