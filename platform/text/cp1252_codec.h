// Code page 1252 by table, both ways. All 256 bytes decode: the five bytes
// the page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1
// controls of the same value and encode back to themselves.
#pragma once

#include "platform/text/page_codec.h"

namespace devtext {

char16_t Cp1252ToUnicode(uint8_t byte);
// The byte for `unit`, or false when 1252 has no such character.
bool UnicodeToCp1252Byte(char16_t unit, uint8_t* byte);

ConvStatus DecodeCp1252(const uint8_t* bytes, size_t length, UnitWriter<char16_t>& out);
ConvStatus EncodeCp1252(const char16_t* units, size_t length, const DefaultChar& fallback, bool* usedDefault,
                        UnitWriter<uint8_t>& out);

}  // namespace devtext
