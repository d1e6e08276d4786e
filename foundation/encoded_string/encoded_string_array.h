// EncodedStringArray: a growable list of EncodedString values (the result of
// SplitEncodedString and other list builders). Element 0 of the block is a
// sentinel handed out when growth fails, so a caller can always write to what
// At() returns and test the array's status afterwards; the caller's element i
// lives in slot i + 1.
#pragma once

#include <cstdint>

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/encoded_string/error_status.h"

class EncodedStringArray {
 public:
  EncodedStringArray() = default;
  ~EncodedStringArray();
  EncodedStringArray(const EncodedStringArray&) = delete;
  EncodedStringArray& operator=(const EncodedStringArray&) = delete;

  // Destroys the elements and allocates room for n strings plus the sentinel;
  // error 14 when that fails.
  bool Reset(uint32_t n);
  // The caller's element i, growing the array when needed; the sentinel (and
  // error 14) when growth fails.
  EncodedString& At(uint32_t i);
  // Elements in use (the sentinel not counted).
  uint32_t Count() const { return count == 0 ? 0 : count - 1; }
  int32_t GetError() const { return status.GetError(); }
  bool IsOk() const { return status.IsOk(); }

  ErrorStatus status;
  uint32_t capacity = 0;  // elements allocated, the sentinel included
  uint32_t count = 0;     // elements in use plus one
  EncodedString* elements = nullptr;

 private:
  void Destroy();
};
