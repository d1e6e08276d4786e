// SharedWideStringPool packs many short strings into shared chunks, so that a
// table of names costs one allocation per chunk instead of one per string.
// A packed string is an ordinary view of the chunk; it copies itself out on
// its first write like any shared string. SharedWideStringHolder is a string
// with a 32-bit value beside it.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

class SharedWideStringPool {
 public:
  explicit SharedWideStringPool(uint32_t chunkSize) : chunkSize(chunkSize) {}

  // Moves the string's characters into the current chunk and makes the string
  // a view of them. Left as they are: without force, a string that is its
  // buffer's only user and longer than 3 characters; any string already in
  // the current chunk. A string of chunk size or more (or any string when a
  // new chunk cannot be had) is only made writable on its own, and is cleared
  // when that fails and force is set. An empty string loses its storage.
  SharedWideString& Pack(SharedWideString& string, bool force);

  SharedWideString pool;   // its buffer is the current chunk
  uint32_t used = 0;       // characters of the chunk handed out
  WCHAR* write = nullptr;  // the chunk's characters
  uint32_t chunkSize;      // characters per chunk
};

struct SharedWideStringHolder {
  SharedWideString string;
  uint32_t value = 0;

  // Clears the string and stores the value.
  void Reset(uint32_t newValue) {
    string.Clear();
    value = newValue;
  }
};
