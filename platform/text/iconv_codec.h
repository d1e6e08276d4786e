// The code pages converted by glibc iconv. Descriptors are opened once per
// page and direction on each thread and kept in that thread's cache (an iconv
// descriptor carries state and must not be shared between threads); the
// cache closes them when the thread ends.
#pragma once

#include "platform/text/page_codec.h"

namespace devtext {

ConvStatus IconvDecode(const CodePageInfo& page, const uint8_t* bytes, size_t length, bool strict,
                       UnitWriter<char16_t>& out);
ConvStatus IconvEncode(const CodePageInfo& page, const char16_t* units, size_t length, const DefaultChar& fallback,
                       bool* usedDefault, UnitWriter<uint8_t>& out);

}  // namespace devtext
