// Chooses the codec of a page: the 1252 table, the UTF-8 codec or iconv.
#include "platform/text/page_codec.h"

#include "platform/text/cp1252_codec.h"
#include "platform/text/iconv_codec.h"
#include "platform/text/utf8_codec.h"

namespace devtext {

ConvStatus DecodeToUtf16(const CodePageInfo& page, const uint8_t* bytes, size_t length, bool strict,
                         char16_t* out, size_t capacity, size_t* units) {
  UnitWriter<char16_t> writer(out, capacity);
  ConvStatus status = ConvStatus::Ok;
  switch (page.kind) {
    case PageKind::Cp1252: status = DecodeCp1252(bytes, length, writer); break;
    case PageKind::Utf8: status = DecodeUtf8(bytes, length, strict, writer); break;
    case PageKind::Iconv: status = IconvDecode(page, bytes, length, strict, writer); break;
  }
  *units = writer.count();
  return status;
}

ConvStatus EncodeFromUtf16(const CodePageInfo& page, const char16_t* units, size_t length,
                           const DefaultChar& fallback, bool* usedDefault, uint8_t* out, size_t capacity,
                           size_t* bytes) {
  UnitWriter<uint8_t> writer(out, capacity);
  ConvStatus status = ConvStatus::Ok;
  switch (page.kind) {
    case PageKind::Cp1252: status = EncodeCp1252(units, length, fallback, usedDefault, writer); break;
    case PageKind::Utf8: status = EncodeUtf8(units, length, writer); break;
    case PageKind::Iconv: status = IconvEncode(page, units, length, fallback, usedDefault, writer); break;
  }
  *bytes = writer.count();
  return status;
}

}  // namespace devtext
