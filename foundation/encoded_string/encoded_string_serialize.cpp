// EncodedString serialisation: a 12-byte head {byte length, code page, unit
// kind} in either byte order followed by the selected bytes. Reading tells the
// byte order from the unit-kind word and checks every length against what is
// left, since the bytes come from files and saved state.
#include <cstring>

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/streams/byte_order.h"
#include "platform/memory/allocator.h"

void EncodedString::StoreU32LittleEndian(uint8_t* out, uint32_t value) { StoreU32LE(out, value); }

void EncodedString::StoreU32BigEndian(uint8_t* out, uint32_t value) { StoreU32BE(out, value); }

uint8_t* EncodedString::Serialize(uint8_t* out, uint32_t* offset, bool bigEndian) const {
  uint32_t end = selEnd < length ? selEnd : length;
  uint32_t n = (buffer && selStart < end) ? end - selStart : 0;
  if (!out) {
    *offset += 12 + n;
    return nullptr;
  }
  uint8_t* p = out + *offset;
  void (*store)(uint8_t*, uint32_t) = bigEndian ? StoreU32BigEndian : StoreU32LittleEndian;
  store(p, n);
  store(p + 4, static_cast<uint32_t>(codePage));
  store(p + 8, static_cast<uint32_t>(unitKind));
  p += 12;
  if (n > 0) {
    const uint8_t* source = buffer + selStart;
    if (bigEndian && unitKind == kUnitUtf16) {
      uint32_t i = 0;
      for (; i + 1 < n; i += 2) {
        p[i] = source[i + 1];
        p[i + 1] = source[i];
      }
      if (i < n) p[i] = source[i];
    } else {
      std::memcpy(p, source, n);
    }
  }
  *offset += 12 + n;
  return p + n;
}

bool EncodedString::Deserialize(const uint8_t** readCursor, uint32_t* remaining) {
  status.Clear();
  const uint8_t* p = *readCursor;
  if (!p || *remaining < 12) {
    AssignRaw(nullptr, 0, kUnitNone, -1);
    status.SetError(kErrorBadSource);
    return false;
  }
  bool bigEndian = LoadU32BE(p + 8) < 0x10000;
  uint32_t (*load)(const uint8_t*) = bigEndian ? LoadU32BE : LoadU32LE;
  uint32_t n = load(p);
  int32_t cp = static_cast<int32_t>(load(p + 4));
  int32_t kind = static_cast<int32_t>(load(p + 8));
  if (n > *remaining - 12 || kind < kUnitNone || kind > kUnitMultibyte) {
    AssignRaw(nullptr, 0, kUnitNone, -1);
    status.SetError(kErrorBadSource);
    return false;
  }
  if (kind == kUnitUtf16 && cp == -1) cp = 65002;
  const uint8_t* source = p + 12;
  if (!AssignRaw(source, n, kind, cp)) {
    // No room: the bytes are skipped and the string stays empty.
    AssignRaw(nullptr, 0, kind, cp);
    status.SetError(kErrorNoMemory);
  } else if (bigEndian && kind == kUnitUtf16) {
    for (uint32_t i = 0; i + 1 < n; i += 2) {
      uint8_t high = buffer[i];
      buffer[i] = buffer[i + 1];
      buffer[i + 1] = high;
    }
  }
  *readCursor = p + 12 + n;
  *remaining -= 12 + n;
  SelectAll();
  cursor = -1;
  cursorWidth = 0;
  return status.IsOk();
}
