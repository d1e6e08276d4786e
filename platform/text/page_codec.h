// Conversion between the bytes of one code page and UTF-16, whatever does
// the work underneath (the 1252 table, the UTF-8 codec or iconv). The device
// calls (code_page_conversion.cpp) and the emulated Mlang module both sit on
// these two functions; they check arguments and report errors their own way.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/text/code_page_table.h"

namespace devtext {

enum class ConvStatus {
  Ok,
  BufferTooSmall,  // the output filled up; what it holds is not a result
  InvalidInput,    // only when invalid input was asked to fail
  Unavailable,     // iconv cannot convert this page on this system
  NoMemory,
};

// Where converted units go: the caller's buffer, or nowhere while only the
// size is asked for (null buffer).
template <typename Unit>
class UnitWriter {
 public:
  UnitWriter(Unit* out, size_t capacity) : out_(out), capacity_(out ? capacity : 0) {}

  bool Put(Unit unit) {
    if (out_) {
      if (count_ == capacity_) return false;
      out_[count_] = unit;
    }
    ++count_;
    return true;
  }
  bool counting() const { return out_ == nullptr; }
  Unit* cursor() const { return out_ + count_; }
  size_t room() const { return capacity_ - count_; }
  void Advance(size_t units) { count_ += units; }
  size_t count() const { return count_; }

 private:
  Unit* out_;
  size_t capacity_;
  size_t count_ = 0;
};

// What a character without an equivalent becomes: one byte, or two for a
// double-byte page's character.
struct DefaultChar {
  uint8_t bytes[2] = {'?', 0};
  size_t length = 1;
};

constexpr char16_t kReplacementChar = 0xFFFD;

// Bytes of `page` to UTF-16 (native order, surrogate pairs above U+FFFF).
// Invalid sequences fail when `strict`, else each becomes U+FFFD. `units` is
// the count written, or needed when `out` is null.
ConvStatus DecodeToUtf16(const CodePageInfo& page, const uint8_t* bytes, size_t length, bool strict,
                         char16_t* out, size_t capacity, size_t* units);

// UTF-16 to bytes of `page`. A character the page lacks, and a lone
// surrogate, becomes `fallback` and sets *usedDefault (UTF-8 writes U+FFFD
// for a lone surrogate instead). `bytes` is the count written or needed.
ConvStatus EncodeFromUtf16(const CodePageInfo& page, const char16_t* units, size_t length,
                           const DefaultChar& fallback, bool* usedDefault, uint8_t* out, size_t capacity,
                           size_t* bytes);

}  // namespace devtext
