// ConvertFromUtf8 with its optional CharPositionMap, and the map's
// translation between output character indices and input byte offsets.
//
// Every output unit is given a byte start: a character's first unit starts
// at the character's first byte; the second unit of a surrogate pair counts
// as starting one byte later and owns the rest of the character's bytes. The
// tables record these starts, so a character block that begins at the second
// unit of a pair maps to the byte behind the lead byte, and a byte offset
// inside a character maps to the next unit that starts at or after it.
#include "foundation/code_pages/code_page.h"
#include "platform/text/ascii_widen.h"

namespace {

constexpr uint32_t kReplacementChar = 0xFFFD;

// Writes the 2-bit extra-byte counts, one 32-bit word per 16 units.
class ExtraBytesWriter {
 public:
  explicit ExtraBytesWriter(CharPositionMap* map) : table_(map ? map->ExtraBytesTable() : nullptr) {}
  void Add(uint32_t extra) {
    if (!table_) return;
    word_ |= (extra & 3) << (2 * (count_ & 15));
    if ((++count_ & 15) == 0) {
      table_[(count_ >> 4) - 1] = word_;
      word_ = 0;
    }
  }
  // n units of one byte each (count 0): only the words they complete are
  // written.
  void AddSingleBytes(uint32_t n) {
    if (!table_) return;
    while (n > 0) {
      const uint32_t room = 16 - (count_ & 15);
      const uint32_t take = n < room ? n : room;
      count_ += take;
      n -= take;
      if ((count_ & 15) == 0) {
        table_[(count_ >> 4) - 1] = word_;
        word_ = 0;
      }
    }
  }
  void Finish() {
    if (table_ && (count_ & 15) != 0) table_[count_ >> 4] = word_;
  }

 private:
  uint32_t* table_;
  uint32_t word_ = 0;
  uint32_t count_ = 0;
};

// UTF-8 to UTF-16 without a map into an output known to hold one unit per
// input byte: the same decoding as the general loop below, without its
// bounds checks and bookkeeping, and with runs of ASCII widened in blocks.
// Returns the units written.
uint32_t Utf8ToWideUnchecked(const uint8_t* p, const uint8_t* end, WCHAR* out) {
  WCHAR* o = out;
  while (p < end) {
    const size_t ascii = devtext::WidenAsciiBlocks(p, static_cast<size_t>(end - p), o);
    p += ascii;
    o += ascii;
    if (p == end) break;
    uint32_t b = *p;
    if (b < 0xC0) {  // ASCII, or a continuation byte standing alone
      *o++ = static_cast<WCHAR>(b);
      ++p;
      continue;
    }
    uint32_t n = b < 0xE0 ? 2 : (b < 0xF0 ? 3 : 4);
    if (static_cast<uint32_t>(end - p) < n) {
      *o++ = static_cast<WCHAR>(kReplacementChar);
      break;
    }
    uint32_t cp;
    if (n == 2) {
      cp = ((b & 0x1F) << 6) | (p[1] & 0x3F);
    } else if (n == 3) {
      cp = ((b & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F);
    } else {
      cp = ((b & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6) | (p[3] & 0x3F);
    }
    o += EncodeUtf16Char(cp, o);
    p += n;
  }
  return static_cast<uint32_t>(o - out);
}

// The length of the run of ASCII bytes at p (before end), in blocks.
uint32_t AsciiRunLength(const uint8_t* p, const uint8_t* end) {
  const uint8_t* q = p + devtext::AsciiBlocksLength(p, static_cast<size_t>(end - p));
  while (q < end && *q < 0x80) ++q;
  return static_cast<uint32_t>(q - p);
}

int8_t ClampCorrection(int64_t value) {
  if (value < -128) return -128;  // Translate recomputes such entries
  if (value > 127) return 127;
  return static_cast<int8_t>(value);
}

}  // namespace

int ConvertFromUtf8(const uint8_t* bytes, uint32_t len, int32_t target, void* out, uint32_t* outLen,
                    CharPositionMap* map) {
  if (target != kCodePage1252 && target != kCodePageUtf16) {
    *outLen = 0;
    return kConvertFailed;
  }
  if (len > 0 && !bytes) return kConvertFailed;
  uint32_t shift = 0;
  if (map) {
    // The tables hold 65 entries of 16 bits: longer input would write past
    // them or wrap the recorded offsets.
    shift = map->shift;
    if (shift > CharPositionMap::kMaxShift || (len >> shift) > CharPositionMap::kMaxBlocks || len > 0xFFFF) {
      return kConvertFailed;
    }
  }
  const bool wide = target == kCodePageUtf16;
  const uint32_t unitBytes = wide ? 2 : 1;
  const uint32_t capacity = out ? *outLen : 0;
  WCHAR* wideOut = static_cast<WCHAR*>(out);
  uint8_t* narrowOut = static_cast<uint8_t*>(out);

  uint32_t skipped = 0;
  while (skipped < len && bytes[skipped] >= 0x80 && bytes[skipped] <= 0xBF) ++skipped;
  if (!map && wide && out && capacity / 2 >= len) {
    *outLen = 2 * Utf8ToWideUnchecked(bytes + skipped, bytes + len, wideOut);
    return kConvertOk;
  }

  LeadByteSet utf8;
  utf8.Init(kCodePageUtf8);

  ExtraBytesWriter extras(map);
  uint32_t nextByteBlock = 0, nextCharBlock = 0;
  if (map) {
    while (nextByteBlock <= CharPositionMap::kMaxBlocks && (nextByteBlock << shift) < skipped) {
      map->unitAtByteBlock[nextByteBlock] = 0;
      map->correction[nextByteBlock] = ClampCorrection(static_cast<int64_t>(nextByteBlock << shift) - skipped);
      ++nextByteBlock;
    }
  }

  uint32_t units = 0;
  bool overflow = false;
  uint32_t pos = skipped;
  while (pos < len) {
    if (bytes[pos] < 0x80) {
      // A run of ASCII: one unit per byte, each starting at its own byte,
      // so the map's entries inside the run follow by arithmetic. The same
      // entries as the character-by-character steps below would make.
      const uint32_t run = AsciiRunLength(bytes + pos, bytes + len);
      const uint32_t room = overflow || units * unitBytes > capacity ? 0 : (capacity - units * unitBytes) / unitBytes;
      const uint32_t fit = run < room ? run : room;
      if (wide) {
        for (uint32_t i = devtext::WidenAsciiBlocks(bytes + pos, fit, wideOut + units); i < fit; ++i)
          wideOut[units + i] = bytes[pos + i];
      } else {
        for (uint32_t i = 0; i < fit; ++i) narrowOut[units + i] = bytes[pos + i] != 0 ? bytes[pos + i] : 0x95;
      }
      if (fit < run) overflow = true;
      if (map) {
        extras.AddSingleBytes(run);
        while (nextByteBlock <= CharPositionMap::kMaxBlocks && (nextByteBlock << shift) < pos + run) {
          map->unitAtByteBlock[nextByteBlock] = static_cast<uint16_t>(units + ((nextByteBlock << shift) - pos));
          map->correction[nextByteBlock] = 0;
          ++nextByteBlock;
        }
        while (nextCharBlock <= CharPositionMap::kMaxBlocks && (nextCharBlock << shift) < units + run) {
          map->byteAtCharBlock[nextCharBlock] = static_cast<uint16_t>(pos + ((nextCharBlock << shift) - units));
          ++nextCharBlock;
        }
      }
      units += run;
      pos += run;
      continue;
    }
    uint8_t lead = bytes[pos];
    uint32_t trail = utf8.Class(lead);
    uint32_t n = trail + 1;
    uint32_t cp;
    if (pos + n > len) {
      // A character cut by the end of the input: its bytes become one U+FFFD.
      n = len - pos;
      cp = kReplacementChar;
    } else {
      static const uint8_t kLeadMask[4] = {0xFF, 0x1F, 0x0F, 0x07};
      cp = lead & kLeadMask[trail];
      for (uint32_t i = 1; i < n; ++i) cp = (cp << 6) | (bytes[pos + i] & 0x3F);
    }

    WCHAR encoded[2];
    uint32_t k;
    if (wide) {
      k = EncodeUtf16Char(cp, encoded);
    } else {
      encoded[0] = static_cast<WCHAR>(CharToCp1252Approx(cp, 0x95));
      k = 1;
    }
    if (!overflow && (units + k) * unitBytes <= capacity) {
      for (uint32_t i = 0; i < k; ++i) {
        if (wide) {
          wideOut[units + i] = encoded[i];
        } else {
          narrowOut[units + i] = static_cast<uint8_t>(encoded[i]);
        }
      }
    } else {
      overflow = true;
    }

    if (map) {
      // Byte starts of the units: pos, and pos + 1 for a pair's second unit.
      if (k == 2) {
        extras.Add(0);
        extras.Add(n - 2);
      } else {
        extras.Add(n - 1);
      }
      while (nextByteBlock <= CharPositionMap::kMaxBlocks && (nextByteBlock << shift) < pos + n) {
        uint32_t start = nextByteBlock << shift;
        bool second = k == 2 && start > pos;
        uint32_t unitStart = second ? pos + 1 : pos;
        map->unitAtByteBlock[nextByteBlock] = static_cast<uint16_t>(second ? units + 1 : units);
        map->correction[nextByteBlock] = ClampCorrection(static_cast<int64_t>(start) - unitStart);
        ++nextByteBlock;
      }
      while (nextCharBlock <= CharPositionMap::kMaxBlocks && (nextCharBlock << shift) < units + k) {
        uint32_t unit = nextCharBlock << shift;
        map->byteAtCharBlock[nextCharBlock] = static_cast<uint16_t>(unit == units ? pos : pos + 1);
        ++nextCharBlock;
      }
    }
    units += k;
    pos += n;
  }

  if (map) {
    // Boundaries at or past the end of the text record the end.
    for (; nextByteBlock <= CharPositionMap::kMaxBlocks; ++nextByteBlock) {
      map->unitAtByteBlock[nextByteBlock] = static_cast<uint16_t>(units);
      map->correction[nextByteBlock] = 0;
    }
    for (; nextCharBlock <= CharPositionMap::kMaxBlocks; ++nextCharBlock)
      map->byteAtCharBlock[nextCharBlock] = static_cast<uint16_t>(len);
    map->byteAtCharBlock[0] = static_cast<uint16_t>(skipped);
    extras.Finish();
  }

  *outLen = units * unitBytes;
  return overflow ? kConvertFailed : kConvertOk;
}

void CharPositionMap::Translate(uint32_t value, uint32_t* result, bool toByteOffset, const CharPositionMap* map) {
  if (!map || map->shift > kMaxShift) {
    *result = value;
    return;
  }
  uint32_t shift = map->shift;
  uint32_t block = value >> shift;
  if (block > kMaxBlocks) {
    *result = value;  // outside what the map covers
    return;
  }
  uint32_t start = block << shift;
  if (toByteOffset) {
    uint32_t byte = map->byteAtCharBlock[block];
    for (uint32_t unit = start; unit < value; ++unit) byte += map->ExtraBytes(unit) + 1;
    *result = byte;
    return;
  }
  // The skipped leading bytes can exceed what a signed byte holds: blocks
  // that start inside them are corrected from the count itself.
  uint32_t skipped = map->byteAtCharBlock[0];
  int64_t correction = start < skipped ? static_cast<int64_t>(start) - skipped : map->correction[block];
  int64_t target = static_cast<int64_t>(value) + correction;
  if (target < 0) target = 0;
  uint32_t unit = map->unitAtByteBlock[block];
  int64_t running = start;
  while (running < target) {
    running += map->ExtraBytes(unit) + 1;
    ++unit;
  }
  *result = unit;
}
