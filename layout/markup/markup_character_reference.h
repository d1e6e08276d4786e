// Character references of markup text: "&name;", "&#nnn;" and "&#xhh;".
// Named references are the entity table's; numeric ones give their code
// point, with the rules of the markup reader: values 0x80-0x9F are taken as
// code-page-1252 bytes, 9-13 and 32 become a space, and a value that is no
// character (0, a surrogate, above U+10FFFF, or a number too long to hold)
// becomes U+FFFD.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "platform/types/device_types.h"

struct DecodedReference {
  WCHAR units[2] = {0, 0};
  uint32_t count = 0;     // units of the character (1 or 2)
  uint32_t entityId = 0;  // the entity the reference names or whose character it gives; 0 none
};

inline constexpr WCHAR kReplacementCharacter = 0xFFFD;
inline constexpr uint32_t kEntityIdZwnj = 165;

// Decodes the text between "&" and its end (";" excluded). False when it is
// no reference: an unknown name, or a "#" form that is not "#" and decimal
// digits or "#x"/"#X" and hexadecimal digits.
bool DecodeCharacterReference(const WCHAR* name, uint32_t length, DecodedReference* out);

// Copies text into out (appending), decoding every reference in it: "&"
// followed by letters, digits and "#", ended by ";" or by any other
// character. An unterminated reference decodes only when it runs to the end
// of the text; one that does not decode is copied as it stands. False only
// when memory runs out.
bool AppendDecodedText(const WCHAR* text, uint32_t length, SharedWideString* out);
