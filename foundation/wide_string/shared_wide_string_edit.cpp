// SharedWideString editing: appending, inserting, erasing, replacing and
// removing characters, case folding and trimming. Each edit first makes the
// buffer the string's own (copy on write) and answers false, leaving the
// string as it was, when memory runs out.
#include <cassert>
#include <cstring>
#include <functional>

#include "foundation/characters/char_class.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "platform/memory/allocator.h"

namespace {

void MoveUnits(WCHAR* dst, const WCHAR* src, uint32_t count) {
  if (count != 0) std::memmove(dst, src, static_cast<size_t>(count) * sizeof(WCHAR));
}

// True when [chars, chars + n) overlaps the string's characters, which an
// edit may move or free.
bool Overlaps(const SharedWideString& s, const WCHAR* chars, uint32_t n) {
  const WCHAR* view = s.Chars();
  if (view == nullptr || chars == nullptr || n == 0) return false;
  std::less<const WCHAR*> before;
  return before(chars, view + s.length) && before(view, chars + n);
}

bool IsTrimmed(WCHAR c) { return c == 0x20 || c == 0x09 || c == 0x0D || c == 0x0A || c == 0xA0; }

}  // namespace

// ---- Appending

void SharedWideString::AppendCharsUnchecked(const WCHAR* chars, uint32_t n) {
  if (n == 0) return;
  assert(IsUniqueOwner() && buffer->capacity >= static_cast<uint64_t>(offset) + length + n);
  MoveUnits(buffer->data + offset + length, chars, n);
  length += n;
}

void SharedWideString::AppendUnchecked(const SharedWideString& other) {
  AppendCharsUnchecked(other.Chars(), other.length);
}

void SharedWideString::AppendRangeUnchecked(const SharedWideString& other, uint32_t index, uint32_t n) {
  assert(index <= other.length && n <= other.length - index);
  if (n != 0) AppendCharsUnchecked(other.Chars() + index, n);
}

void SharedWideString::AppendRepeatedUnchecked(WCHAR ch, uint32_t n) {
  if (n == 0) return;
  assert(IsUniqueOwner() && buffer->capacity >= static_cast<uint64_t>(offset) + length + n);
  WCHAR* out = buffer->data + offset + length;
  for (uint32_t i = 0; i < n; ++i) out[i] = ch;
  length += n;
}

bool SharedWideString::AppendChars(const WCHAR* chars, uint32_t n) {
  if (n == 0) return true;
  // Characters of this very string survive the reservation at the same index
  // of the view, though maybe not at the same address.
  bool own = Overlaps(*this, chars, n);
  uint32_t index = own ? static_cast<uint32_t>(chars - Chars()) : 0;
  if (!ReserveForAppend(n)) return false;
  AppendCharsUnchecked(own ? Chars() + index : chars, n);
  return true;
}

bool SharedWideString::Append(const SharedWideString& other) {
  return AppendRange(other, 0, other.length);
}

bool SharedWideString::AppendRange(const SharedWideString& other, uint32_t index, uint32_t n) {
  assert(index <= other.length && n <= other.length - index);
  if (n == 0) return true;
  // Reserving keeps other valid: when it is this string its view moves with
  // it, and a shared buffer stays alive through other's reference.
  if (!ReserveForAppend(n)) return false;
  AppendCharsUnchecked(other.Chars() + index, n);
  return true;
}

bool SharedWideString::AppendRepeated(WCHAR ch, uint32_t n) {
  if (n == 0) return true;
  if (!ReserveForAppend(n)) return false;
  AppendRepeatedUnchecked(ch, n);
  return true;
}

// ---- Inserting and erasing

bool SharedWideString::InsertChars(const WCHAR* chars, uint32_t n, uint32_t at) {
  assert(at <= length);
  if (at > length) at = length;
  if (n == 0) return true;
  // Characters taken from this string itself would move under the copy.
  WCHAR* temporary = nullptr;
  if (Overlaps(*this, chars, n)) {
    temporary = static_cast<WCHAR*>(DeviceAlloc(static_cast<size_t>(n) * sizeof(WCHAR)));
    if (temporary == nullptr) return false;
    MoveUnits(temporary, chars, n);
    chars = temporary;
  }
  bool ok = ReserveForAppend(n);
  if (ok) {
    WCHAR* base = buffer->data + offset;
    MoveUnits(base + at + n, base + at, length - at);
    MoveUnits(base + at, chars, n);
    length += n;
  }
  DeviceFree(temporary);
  return ok;
}

bool SharedWideString::Erase(uint32_t index, uint32_t n) {
  if (index >= length || n == 0) return true;
  if (n > length - index) n = length - index;
  if (index + n == length) {
    length -= n;
    return true;
  }
  if (index == 0) {
    offset += n;
    length -= n;
    return true;
  }
  uint32_t tail = length - index - n;
  if (IsUniqueOwner()) {
    WCHAR* base = buffer->data + offset;
    MoveUnits(base + index, base + index + n, tail);
    length -= n;
    return true;
  }
  SharedWideBuffer* fresh = SharedWideBuffer::CreateOwned(length - n);
  if (fresh == nullptr) return false;
  MoveUnits(fresh->data, Chars(), index);
  MoveUnits(fresh->data + index, Chars() + index + n, tail);
  TakeBuffer(fresh, 0, length - n);
  return true;
}

// ---- Replacing and removing characters

bool SharedWideString::ReplaceChar(WCHAR from, WCHAR to, int32_t maxCount) {
  if (from == to || maxCount == 0) return true;
  const WCHAR* chars = Chars();
  uint32_t first = 0;
  while (first < length && chars[first] != from) ++first;
  if (first == length) return true;  // nothing to replace, nothing to copy
  if (!Reserve(0)) return false;
  WCHAR* out = buffer->data + offset;
  int32_t done = 0;
  for (uint32_t i = first; i < length && (maxCount < 0 || done < maxCount); ++i) {
    if (out[i] == from) {
      out[i] = to;
      ++done;
    }
  }
  return true;
}

bool SharedWideString::RemoveChar(WCHAR ch) {
  const WCHAR* chars = Chars();
  uint32_t count = 0;
  for (uint32_t i = 0; i < length; ++i) count += chars[i] == ch ? 1 : 0;
  if (count == 0) return true;
  uint32_t kept = length - count;
  if (IsUniqueOwner()) {
    WCHAR* base = buffer->data + offset;
    uint32_t j = 0;
    for (uint32_t i = 0; i < length; ++i)
      if (base[i] != ch) base[j++] = base[i];
    length = kept;
    return true;
  }
  if (kept == 0) {
    Clear();
    return true;
  }
  SharedWideBuffer* fresh = SharedWideBuffer::CreateOwned(kept);
  if (fresh == nullptr) return false;
  uint32_t j = 0;
  for (uint32_t i = 0; i < length; ++i)
    if (chars[i] != ch) fresh->data[j++] = chars[i];
  TakeBuffer(fresh, 0, kept);
  return true;
}

bool SharedWideString::FoldCase() {
  const WCHAR* chars = Chars();
  uint32_t first = 0;
  while (first < length && CharToLower(chars[first]) == chars[first]) ++first;
  if (first == length) return true;
  if (!Reserve(0)) return false;
  WCHAR* out = buffer->data + offset;
  for (uint32_t i = first; i < length; ++i) out[i] = CharToLower(out[i]);
  return true;
}

void SharedWideString::Trim(bool front, bool back) {
  const WCHAR* chars = Chars();
  uint32_t start = 0;
  uint32_t end = length;
  if (front)
    while (start < end && IsTrimmed(chars[start])) ++start;
  if (back)
    while (end > start && IsTrimmed(chars[end - 1])) --end;
  offset += start;
  length = end - start;
}
