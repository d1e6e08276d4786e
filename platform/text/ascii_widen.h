// ASCII bytes widened to UTF-16 units in blocks: sixteen at a time with
// SSE2, eight at a time otherwise. Every decoder whose ASCII bytes are their
// own units (code page 1252, UTF-8) runs its ASCII text through here and
// goes on byte by byte only where a byte from 0x80 up lies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace devtext {

// Widens the whole blocks of ASCII bytes at the start of bytes[0, length)
// into out and answers how many bytes that was: it stops before the first
// block that holds a byte from 0x80 up, or where less than a block is left.
inline size_t WidenAsciiBlocks(const uint8_t* bytes, size_t length, char16_t* out) {
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; length - i >= 16; i += 16) {
    const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
    if (_mm_movemask_epi8(sixteen) != 0) break;
    // Interleaving with zeros makes the units.
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(sixteen, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(sixteen, zero));
  }
#endif
  for (; length - i >= 8; i += 8) {
    uint64_t eight;
    std::memcpy(&eight, bytes + i, 8);
    if ((eight & 0x8080808080808080ull) != 0) break;
    for (size_t k = 0; k < 8; ++k) out[i + k] = bytes[i + k];
  }
  return i;
}

// The same blocks' length without widening them.
inline size_t AsciiBlocksLength(const uint8_t* bytes, size_t length) {
  size_t i = 0;
#if defined(__SSE2__)
  for (; length - i >= 16; i += 16)
    if (_mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i))) != 0) break;
#endif
  for (; length - i >= 8; i += 8) {
    uint64_t eight;
    std::memcpy(&eight, bytes + i, 8);
    if ((eight & 0x8080808080808080ull) != 0) break;
  }
  return i;
}

}  // namespace devtext
