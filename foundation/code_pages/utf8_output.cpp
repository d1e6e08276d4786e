// ConvertToUtf8: code page 1252 or UTF-16 text to UTF-8. The size needed is
// always computed in full, so a caller may ask for it with no output.
#include "foundation/code_pages/code_page.h"

namespace {

class Utf8Sink {
 public:
  Utf8Sink(uint8_t* out, uint32_t capacity) : out_(out), capacity_(out ? capacity : 0) {}
  void Put(uint32_t cp) {
    uint8_t encoded[4];
    uint32_t n;
    if (cp < 0x80) {
      encoded[0] = static_cast<uint8_t>(cp);
      n = 1;
    } else if (cp < 0x800) {
      encoded[0] = static_cast<uint8_t>(0xC0 | (cp >> 6));
      encoded[1] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
      n = 2;
    } else if (cp < 0x10000) {
      encoded[0] = static_cast<uint8_t>(0xE0 | (cp >> 12));
      encoded[1] = static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F));
      encoded[2] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
      n = 3;
    } else {
      encoded[0] = static_cast<uint8_t>(0xF0 | (cp >> 18));
      encoded[1] = static_cast<uint8_t>(0x80 | ((cp >> 12) & 0x3F));
      encoded[2] = static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F));
      encoded[3] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
      n = 4;
    }
    if (!short_ && needed_ + n <= capacity_) {
      for (uint32_t i = 0; i < n; ++i) out_[needed_ + i] = encoded[i];
    } else {
      short_ = true;
    }
    needed_ += n;
  }
  uint32_t needed() const { return needed_; }
  bool complete() const { return !short_ && out_; }

 private:
  uint8_t* out_;
  uint32_t capacity_;
  uint32_t needed_ = 0;
  bool short_ = false;
};

}  // namespace

int ConvertToUtf8(const void* data, uint32_t len, int32_t from, uint8_t* out, uint32_t* outLen) {
  if (len > 0 && !data) return kConvertFailed;
  Utf8Sink sink(out, *outLen);
  if (from == kCodePage1252) {
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    for (uint32_t i = 0; i < len; ++i) sink.Put(Cp1252ToUnicode(bytes[i]));
  } else if (from == kCodePageUtf16) {
    if (len & 1) return kConvertFailed;
    const WCHAR* units = static_cast<const WCHAR*>(data);
    uint32_t count = len / 2;
    for (uint32_t i = 0; i < count; ++i) {
      uint32_t u = units[i];
      if (u >= 0xD800 && u <= 0xDBFF) {
        // A high surrogate needs its low half.
        if (i + 1 >= count || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF) return kConvertFailed;
        u = 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00);
        ++i;
      }
      sink.Put(u);  // a lone low surrogate is encoded as it is
    }
  } else {
    return kConvertFailed;
  }
  *outLen = sink.needed();
  return sink.needed() == 0 || sink.complete() ? kConvertOk : kConvertFailed;
}
