// SharedWideString: the buffer record, construction, assignment, storage and
// copying out. Editing, search, numbers and URL text live in the
// shared_wide_string_*.cpp files beside this one.
#include "foundation/wide_string/shared_wide_string.h"

#include <cassert>
#include <cstring>
#include <utility>

#include "platform/memory/allocator.h"

namespace {

WCHAR* AllocUnits(uint32_t count) {
  return static_cast<WCHAR*>(DeviceAlloc(static_cast<size_t>(count) * sizeof(WCHAR)));
}

void CopyUnits(WCHAR* dst, const WCHAR* src, uint32_t count) {
  if (count != 0) std::memcpy(dst, src, static_cast<size_t>(count) * sizeof(WCHAR));
}

}  // namespace

// ---- SharedWideBuffer

SharedWideBuffer* SharedWideBuffer::CreateOwned(uint32_t capacity) {
  SharedWideBuffer* buffer = DeviceNew<SharedWideBuffer>();
  if (buffer == nullptr) return nullptr;
  buffer->data = AllocUnits(capacity);
  if (buffer->data == nullptr) {
    delete buffer;
    return nullptr;
  }
  buffer->refcount = 1;
  buffer->ownsData = 1;
  buffer->capacity = capacity;
  return buffer;
}

SharedWideBuffer* SharedWideBuffer::CreateAttached(const WCHAR* chars) {
  SharedWideBuffer* buffer = DeviceNew<SharedWideBuffer>();
  if (buffer == nullptr) return nullptr;
  buffer->refcount = 1;
  buffer->ownsData = 0;
  // Never written through: ownsData 0 keeps every writer away.
  buffer->data = const_cast<WCHAR*>(chars);
  buffer->capacity = 0;
  return buffer;
}

void SharedWideBuffer::Destroy(SharedWideBuffer* buffer) {
  if (buffer->ownsData) DeviceFree(buffer->data);
  delete buffer;
}

void ReleaseBuffer(SharedWideBuffer* buffer) {
  if (buffer == nullptr) return;
  assert(buffer->refcount > 0);
  if (--buffer->refcount == 0) SharedWideBuffer::Destroy(buffer);
}

uint32_t WideStrLen(const WCHAR* text) {
  if (text == nullptr) return 0;
  uint32_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

// ---- Construction and assignment

SharedWideString::SharedWideString(const WCHAR* text) { FromChars(text, WideStrLen(text)); }

SharedWideString::SharedWideString(const SharedWideString& other)
    : offset(other.offset), length(other.length), buffer(other.buffer) {
  if (buffer != nullptr) ++buffer->refcount;
}

SharedWideString::SharedWideString(SharedWideString&& other) noexcept
    : offset(other.offset), length(other.length), buffer(other.buffer) {
  other.offset = 0;
  other.length = 0;
  other.buffer = nullptr;
}

SharedWideString& SharedWideString::operator=(const SharedWideString& other) {
  Assign(other);
  return *this;
}

SharedWideString& SharedWideString::operator=(SharedWideString&& other) noexcept {
  if (this != &other) {
    ReleaseBuffer(buffer);
    offset = std::exchange(other.offset, 0);
    length = std::exchange(other.length, 0);
    buffer = std::exchange(other.buffer, nullptr);
  }
  return *this;
}

SharedWideString::~SharedWideString() { Clear(); }

void SharedWideString::TakeBuffer(SharedWideBuffer* fresh, uint32_t newOffset, uint32_t newLength) {
  ReleaseBuffer(buffer);
  buffer = fresh;
  offset = newOffset;
  length = newLength;
}

bool SharedWideString::FromChars(const WCHAR* units, uint32_t n) {
  if (n == 0) {
    Clear();
    return true;
  }
  SharedWideBuffer* fresh = SharedWideBuffer::CreateOwned(n);
  if (fresh == nullptr) return false;
  CopyUnits(fresh->data, units, n);
  TakeBuffer(fresh, 0, n);
  return true;
}

bool SharedWideString::FromBytes(const uint8_t* bytes, uint32_t n) {
  if (n == 0) {
    Clear();
    return true;
  }
  SharedWideBuffer* fresh = SharedWideBuffer::CreateOwned(n);
  if (fresh == nullptr) return false;
  for (uint32_t i = 0; i < n; ++i) fresh->data[i] = bytes[i];
  TakeBuffer(fresh, 0, n);
  return true;
}

bool SharedWideString::FromLatin1(const uint8_t* bytes, uint32_t n) { return FromBytes(bytes, n); }

void SharedWideString::Assign(const SharedWideString& other) {
  if (this == &other) return;
  if (other.buffer != nullptr) ++other.buffer->refcount;
  ReleaseBuffer(buffer);
  buffer = other.buffer;
  offset = other.offset;
  length = other.length;
}

void SharedWideString::AssignSubstring(const SharedWideString& other, uint32_t start, uint32_t count) {
  if (count == 0) {
    Clear();
    return;
  }
  assert(other.buffer != nullptr && start <= other.length && count <= other.length - start);
  SharedWideBuffer* shared = other.buffer;
  uint32_t newOffset = other.offset + start;
  ++shared->refcount;  // before the release: other may be this string
  TakeBuffer(shared, newOffset, count);
}

void SharedWideString::AssignFrom(const SharedWideString& other, uint32_t start) {
  assert(start <= other.length);
  AssignSubstring(other, start, other.length - start);
}

void SharedWideString::AssignRight(const SharedWideString& other, uint32_t n) {
  assert(n <= other.length);
  AssignSubstring(other, other.length - n, n);
}

void SharedWideString::AssignBetween(const SharedWideString& other, uint32_t a, uint32_t b) {
  if (a > b) std::swap(a, b);
  AssignSubstring(other, a, b - a);
}

bool SharedWideString::AttachExternal(const WCHAR* chars, uint32_t n) {
  if (n == 0) {
    Clear();
    return true;
  }
  SharedWideBuffer* fresh = SharedWideBuffer::CreateAttached(chars);
  if (fresh == nullptr) return false;
  TakeBuffer(fresh, 0, n);
  return true;
}

void SharedWideString::Clear() {
  ReleaseBuffer(buffer);
  buffer = nullptr;
  offset = 0;
  length = 0;
}

// ---- Storage

bool SharedWideString::Reserve(uint32_t n) {
  uint32_t size = n > length ? n : length;
  if (IsUniqueOwner()) {
    if (buffer->capacity >= static_cast<uint64_t>(offset) + size) return true;
    WCHAR* data = AllocUnits(size);
    if (data == nullptr) return false;
    CopyUnits(data, buffer->data + offset, length);
    DeviceFree(buffer->data);
    buffer->data = data;
    buffer->capacity = size;
    offset = 0;
    return true;
  }
  if (size == 0 && buffer == nullptr) return true;
  SharedWideBuffer* fresh = SharedWideBuffer::CreateOwned(size);
  if (fresh == nullptr) return false;
  CopyUnits(fresh->data, Chars(), length);
  TakeBuffer(fresh, 0, length);
  return true;
}

bool SharedWideString::ReserveForAppend(uint32_t extra) {
  uint64_t needed = static_cast<uint64_t>(length) + extra;
  if (needed > UINT32_MAX) return false;
  if (IsUniqueOwner() && buffer->capacity < offset + needed) {
    // Grow by a quarter beyond the need so that appending piece by piece
    // does not copy the text again for every piece.
    uint64_t roomy = needed + needed / 4 + 8;
    if (roomy <= UINT32_MAX) return Reserve(static_cast<uint32_t>(roomy));
  }
  return Reserve(static_cast<uint32_t>(needed));
}

bool SharedWideString::MakeWritable() {
  if (Reserve(0)) return true;
  Clear();
  return false;
}

WCHAR* SharedWideString::WritePointer(uint32_t start, uint32_t n) {
  if (n == 0) return nullptr;
  assert(IsUniqueOwner() && buffer->capacity >= static_cast<uint64_t>(offset) + start + n);
  if (length < start + n) length = start + n;
  return buffer->data + offset + start;
}

bool SharedWideString::GetWriteBuffer(WCHAR** out, uint32_t start, uint32_t n) {
  uint64_t end = static_cast<uint64_t>(start) + n;
  if (end > UINT32_MAX || !Reserve(static_cast<uint32_t>(end))) return false;
  *out = WritePointer(start, n);
  return true;
}

WCHAR* SharedWideString::Duplicate(bool terminate) const {
  WCHAR* copy = AllocUnits(length + (terminate ? 1 : 0));
  if (copy == nullptr) return nullptr;
  CopyUnits(copy, Chars(), length);
  if (terminate) copy[length] = 0;
  return copy;
}

namespace {

// How many characters CopyTo... writes into a buffer of the given capacity,
// and whether the zero follows: everything when it fits; otherwise nothing
// for capacity 0, and capacity - 2 characters (none for capacity 1) and the
// zero for the rest.
struct CopyPlan {
  uint32_t chars;
  bool zero;
  bool complete;
};

CopyPlan PlanCopy(uint32_t length, uint32_t capacity, bool terminate) {
  if (static_cast<uint64_t>(length) + (terminate ? 1 : 0) <= capacity) return {length, terminate, true};
  if (capacity == 0) return {0, false, false};
  return {capacity >= 2 ? capacity - 2 : 0, true, false};
}

}  // namespace

bool SharedWideString::CopyToBuffer(WCHAR* dst, uint32_t capacity, bool terminate) const {
  CopyPlan plan = PlanCopy(length, capacity, terminate);
  CopyUnits(dst, Chars(), plan.chars);
  if (plan.zero) dst[plan.chars] = 0;
  return plan.complete;
}

bool SharedWideString::CopyToNarrow(char* dst, uint32_t capacity, bool terminate) const {
  CopyPlan plan = PlanCopy(length, capacity, terminate);
  const WCHAR* chars = Chars();
  for (uint32_t i = 0; i < plan.chars; ++i) dst[i] = static_cast<char>(chars[i] & 0xFF);
  if (plan.zero) dst[plan.chars] = 0;
  return plan.complete;
}
