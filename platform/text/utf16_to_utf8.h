// The one UTF-16 to UTF-8 encoder: every part of the program that writes
// UTF-8 from wide text goes through here, so that they all agree on what an
// unpaired surrogate becomes: U+FFFD (EF BF BD), never an ill-formed
// three-byte form. A high surrogate followed by a low one is one character
// above U+FFFF (four bytes).
//
// It is a plain loop over a caller's buffer. The streaming form holds a high
// surrogate that ends one buffer until the next shows whether its low half
// follows, so text may be cut anywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace devtext {

// The longest UTF-8 form of one character, and of one unpaired surrogate.
constexpr size_t kMaxUtf8CharBytes = 4;
constexpr size_t kUtf8ReplacementBytes = 3;

// One code point (at most U+10FFFF) as UTF-8 into `out`, which has room for
// kMaxUtf8CharBytes; returns the byte count, 1 to 4. The caller decides what
// a surrogate code point becomes before it gets here.
size_t EncodeUtf8CodePoint(char32_t cp, uint8_t* out);

// What one call of Utf16ToUtf8Stream::Write did.
struct Utf8Progress {
  size_t unitsRead;     // of the units given, including a held high surrogate
  size_t bytesWritten;  // or counted, with no output buffer
};

class Utf16ToUtf8Stream {
 public:
  // Encodes `units` into out[0, capacity) and stops before a character that
  // does not fit whole: the caller empties its buffer and passes the rest
  // again. With a null `out` nothing is written and every byte is counted.
  // A high surrogate that ends `units` is read and held.
  Utf8Progress Write(const char16_t* units, size_t length, uint8_t* out, size_t capacity);

  // Ends the text: a held high surrogate becomes U+FFFD. Returns the bytes
  // this needs (0 or 3) and writes them when `out` has room for them.
  size_t Finish(uint8_t* out, size_t capacity);

  bool holding() const { return heldHigh_ != 0; }

 private:
  char16_t heldHigh_ = 0;
};

// A whole text at once. Returns the bytes the whole text needs; `out` gets
// the whole characters that fit in `capacity` (nothing when it is null), so
// the result is complete only when the return is at most `capacity`.
size_t Utf16ToUtf8(const char16_t* units, size_t length, uint8_t* out, size_t capacity);

// The same into a string, for tools and tests.
std::string Utf16ToUtf8String(const char16_t* units, size_t length);
inline std::string Utf16ToUtf8String(const std::u16string& text) {
  return Utf16ToUtf8String(text.data(), text.size());
}

}  // namespace devtext
