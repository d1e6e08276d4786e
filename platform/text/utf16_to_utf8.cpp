// UTF-16 to UTF-8 from the caller's buffer into the caller's buffer: runs
// of ASCII a run at a time, every other character one at a time; see the
// header for what unpaired surrogates become.
#include "platform/text/utf16_to_utf8.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace devtext {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

char32_t Combine(char16_t high, char16_t low) {
  return 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) + (low - 0xDC00);
}

// Copies the run of ASCII units at the start of units[0, length) into out
// (at most `room` of them; none is written with a null out); returns how
// many. Four units are tested at a time.
size_t CopyAsciiRun(const char16_t* units, size_t length, uint8_t* out, size_t room) {
  const size_t limit = out != nullptr && room < length ? room : length;
  size_t i = 0;
#if defined(__SSE2__)
  // Sixteen units at a time: tested together and narrowed with one pack.
  const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
  while (limit - i >= 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i + 8));
    const __m128i any = _mm_and_si128(_mm_or_si128(a, b), high);
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(any, _mm_setzero_si128())) != 0xFFFF) break;
    if (out != nullptr) _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(a, b));
    i += 16;
  }
#endif
  while (limit - i >= 4) {
    uint64_t four;
    std::memcpy(&four, units + i, 8);
    if ((four & 0xFF80FF80FF80FF80ull) != 0) break;
    if (out != nullptr) {
      out[i] = static_cast<uint8_t>(units[i]);
      out[i + 1] = static_cast<uint8_t>(units[i + 1]);
      out[i + 2] = static_cast<uint8_t>(units[i + 2]);
      out[i + 3] = static_cast<uint8_t>(units[i + 3]);
    }
    i += 4;
  }
  while (i < limit && units[i] < 0x80) {
    if (out != nullptr) out[i] = static_cast<uint8_t>(units[i]);
    ++i;
  }
  return i;
}

}  // namespace

size_t EncodeUtf8CodePoint(char32_t cp, uint8_t* out) {
  if (cp < 0x80) {
    out[0] = static_cast<uint8_t>(cp);
    return 1;
  }
  if (cp < 0x800) {
    out[0] = static_cast<uint8_t>(0xC0 | (cp >> 6));
    out[1] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
    return 2;
  }
  if (cp < 0x10000) {
    out[0] = static_cast<uint8_t>(0xE0 | (cp >> 12));
    out[1] = static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F));
    out[2] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
    return 3;
  }
  out[0] = static_cast<uint8_t>(0xF0 | (cp >> 18));
  out[1] = static_cast<uint8_t>(0x80 | ((cp >> 12) & 0x3F));
  out[2] = static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F));
  out[3] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
  return 4;
}

Utf8Progress Utf16ToUtf8Stream::Write(const char16_t* units, size_t length, uint8_t* out, size_t capacity) {
  size_t read = 0;
  size_t written = 0;
  while (read < length) {
    const char16_t unit = units[read];
    if (unit < 0x80 && heldHigh_ == 0) {
      const size_t run = CopyAsciiRun(units + read, length - read, out != nullptr ? out + written : nullptr,
                                      capacity - written);
      if (run == 0) break;  // the output is full
      read += run;
      written += run;
      continue;
    }
    char32_t cp;
    size_t taken;  // units of this buffer the character uses
    if (heldHigh_ != 0) {
      // The held half pairs with a low one here, or stands alone; in that
      // case this unit is looked at again on the next turn.
      cp = IsLow(unit) ? Combine(heldHigh_, unit) : kReplacement;
      taken = IsLow(unit) ? 1 : 0;
    } else if (IsHigh(unit)) {
      if (read + 1 == length) {
        heldHigh_ = unit;
        ++read;
        break;
      }
      const bool paired = IsLow(units[read + 1]);
      cp = paired ? Combine(unit, units[read + 1]) : kReplacement;
      taken = paired ? 2 : 1;
    } else {
      cp = IsLow(unit) ? kReplacement : unit;
      taken = 1;
    }
    uint8_t encoded[kMaxUtf8CharBytes];
    const size_t size = EncodeUtf8CodePoint(cp, encoded);
    if (out != nullptr) {
      if (capacity - written < size) break;
      std::memcpy(out + written, encoded, size);
    }
    written += size;
    read += taken;
    heldHigh_ = 0;
  }
  return {read, written};
}

size_t Utf16ToUtf8Stream::Finish(uint8_t* out, size_t capacity) {
  if (heldHigh_ == 0) return 0;
  if (out != nullptr && capacity >= kUtf8ReplacementBytes) {
    EncodeUtf8CodePoint(kReplacement, out);
    heldHigh_ = 0;
  }
  return kUtf8ReplacementBytes;
}

size_t Utf16ToUtf8(const char16_t* units, size_t length, uint8_t* out, size_t capacity) {
  Utf16ToUtf8Stream stream;
  const Utf8Progress done = stream.Write(units, length, out, capacity);
  size_t needed = done.bytesWritten;
  const bool allFit = done.unitsRead == length;
  if (!allFit) {
    // Out of room: count what is left without writing it.
    needed += stream.Write(units + done.unitsRead, length - done.unitsRead, nullptr, 0).bytesWritten;
  }
  uint8_t* tail = allFit && out != nullptr ? out + needed : nullptr;
  return needed + stream.Finish(tail, allFit ? capacity - needed : 0);
}

std::string Utf16ToUtf8String(const char16_t* units, size_t length) {
  std::string text(Utf16ToUtf8(units, length, nullptr, 0), '\0');
  Utf16ToUtf8(units, length, reinterpret_cast<uint8_t*>(text.data()), text.size());
  return text;
}

}  // namespace devtext
