// Texts of the host objects' built-in properties (see host_properties.h).
#include "script/host/host_properties.h"

#include "foundation/language/language_tag.h"

namespace {

bool AssignText(SharedWideString* text, const char16_t* chars) {
  text->Clear();
  uint32_t n = 0;
  while (chars[n] != 0) ++n;
  return text->AppendChars(chars, n);
}

}  // namespace

bool GetVersionText(SharedWideString* text) {
  return AssignText(text, u"5.2 build 548(WinCE)");
}

bool GetPlatformName(SharedWideString* text) { return AssignText(text, u"WinCE"); }

bool GetLanguageName(uint32_t localeId, SharedWideString* text) {
  uint32_t length = 0;
  const WCHAR* tag = localeId <= 0xFFFF
                         ? LcidToLanguageTag(static_cast<uint16_t>(localeId), &length)
                         : nullptr;
  if (tag == nullptr && localeId < 1024) {
    // Only a primary language: try its main country.
    tag = LcidToLanguageTag(static_cast<uint16_t>((localeId & 0x3FF) | 0x400), &length);
  }
  if (tag == nullptr) return AssignText(text, u"neutral");
  text->Clear();
  return text->AppendChars(tag, length);
}
