// UTF-8 <-> UTF-16 for code page 65001, written here rather than through
// iconv so that malformed input has one exact, documented result.
#pragma once

#include "platform/text/page_codec.h"

namespace devtext {

// Well-formed UTF-8 only (no overlong forms, no encoded surrogates, nothing
// above U+10FFFF). Each maximal ill-formed subpart becomes one U+FFFD, or
// fails the conversion when `strict`.
ConvStatus DecodeUtf8(const uint8_t* bytes, size_t length, bool strict, UnitWriter<char16_t>& out);

// Through the shared encoder: a lone surrogate is written as U+FFFD.
ConvStatus EncodeUtf8(const char16_t* units, size_t length, UnitWriter<uint8_t>& out);

}  // namespace devtext
