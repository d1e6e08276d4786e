// Strict UTF-8 (no overlong forms, no encoded surrogates, nothing above
// U+10FFFF) with undecodable bytes kept as U+DC00 + byte.
#include "platform/files/host_names.h"

#include <cstdint>

#include "platform/text/utf16_to_utf8.h"

namespace devicefs {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// Length of the valid UTF-8 sequence at text[i] and its code point; 0 when
// the byte there does not begin one.
size_t ValidSequence(const std::string& text, size_t i, uint32_t* code) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  if (lead < 0x80) {
    *code = lead;
    return 1;
  }
  size_t length;
  uint32_t value, minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (text.size() - i < length) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(i + k) & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *code = value;
  return length;
}


}  // namespace

std::u16string HostNameToDevice(const std::string& host) {
  std::u16string out;
  out.reserve(host.size());
  size_t i = 0;
  while (i < host.size()) {
    uint32_t code = 0;
    size_t used = ValidSequence(host, i, &code);
    if (used == 0) {
      // Only bytes 0x80..0xFF can fail to begin a sequence.
      out.push_back(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(host[i])));
      ++i;
      continue;
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
    i += used;
  }
  return out;
}

bool DeviceNameToHost(const std::u16string& device, std::string* host) {
  std::string out;
  out.reserve(device.size());
  bool escaped = false;
  for (size_t i = 0; i < device.size(); ++i) {
    uint32_t c = device[i];
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 >= device.size() || device[i + 1] < 0xDC00 || device[i + 1] > 0xDFFF) return false;
      c = 0x10000 + ((c - 0xD800) << 10) + (device[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      if (c < kEscapeBase + 0x80 || c > kEscapeBase + 0xFF) return false;
      out.push_back(static_cast<char>(c - kEscapeBase));
      escaped = true;
      continue;
    }
    uint8_t bytes[devtext::kMaxUtf8CharBytes];
    out.append(reinterpret_cast<const char*>(bytes), devtext::EncodeUtf8CodePoint(c, bytes));
  }
  // Escaped bytes that happen to form valid UTF-8 together (U+DCC3 U+DCA9
  // is "é") would give a second device name for one host name.
  if (escaped && HostNameToDevice(out) != device) return false;
  *host = std::move(out);
  return true;
}

}  // namespace devicefs
