// EncodedString storage: construction, assignment, buffer growth, appending
// raw bytes, characters and other strings. Every growth allocates exactly the
// requested size plus 22 bytes (no doubling) and replaced buffers go through
// FreeBuffer, so a string flagged for wiping never leaves its text behind in
// freed memory.
#include "foundation/encoded_string/encoded_string.h"

#include <cstring>

#include "foundation/code_pages/code_page.h"
#include "platform/memory/allocator.h"

namespace {

constexpr uint32_t kGrowthSlack = 22;

bool IsWideLabel(int32_t kind, int32_t cp) {
  return kind == EncodedString::kUnitUtf16 && (cp == -1 || cp == kCodePageUtf16);
}

}  // namespace

int32_t EncodedString::UnitKindForCodePage(int32_t cp) {
  switch (cp) {
    case 932:
    case 936:
    case 949:
    case 950:
    case 50220:
    case 51932:
    case 52936:
    case 65000:
    case 65001:
      return kUnitMultibyte;
    case 65002:
      return kUnitUtf16;
    case -1:
      return kUnitNone;
    default:
      return kUnitSingleByte;
  }
}

EncodedString::EncodedString(const EncodedString& other) { CopyFrom(other); }

void EncodedString::CopyFrom(const EncodedString& source) {
  if (&source == this) return;
  uint32_t end = source.selEnd < source.length ? source.selEnd : source.length;
  uint32_t n = (source.buffer && source.selStart < end) ? end - source.selStart : 0;
  uint8_t* copy = nullptr;
  if (n > 0) {
    copy = static_cast<uint8_t*>(DeviceAlloc(n + 2));
    if (!copy) {
      status.SetError(kErrorNoMemory);
      return;
    }
    std::memcpy(copy, source.buffer + source.selStart, n);
    copy[n] = 0;
    copy[n + 1] = 0;
  }
  FreeBuffer();
  status.Clear();
  unitKind = source.unitKind;
  codePage = source.codePage;
  wipeOnFree = source.wipeOnFree;
  buffer = copy;
  capacity = copy ? n + 2 : 0;
  length = n;
  selStart = 0;
  selEnd = n;
  cursor = -1;
  cursorWidth = 1;
}

bool EncodedString::FromWide(const WCHAR* text, int32_t units) {
  uint32_t count = 0;
  if (text) {
    if (units < 0) {
      while (text[count]) ++count;
    } else {
      count = static_cast<uint32_t>(units);
    }
  }
  return AssignRaw(text, count * 2, kUnitUtf16, kCodePageUtf16);
}

bool EncodedString::AssignRaw(const void* bytes, uint32_t n, int32_t kind, int32_t cp) {
  status.Clear();
  if (!bytes && n > 0) {
    status.SetError(kErrorBadSource);
    return false;
  }
  uint8_t* copy = nullptr;
  if (n > 0) {
    if (n > UINT32_MAX - 2) {
      status.SetError(kErrorNoMemory);
      return false;
    }
    copy = static_cast<uint8_t*>(DeviceAlloc(n + 2));
    if (!copy) {
      status.SetError(kErrorNoMemory);
      return false;
    }
    // The source may lie inside our own buffer: copy before freeing.
    std::memcpy(copy, bytes, n);
    copy[n] = 0;
    copy[n + 1] = 0;
  }
  bool wipe = wipeOnFree;
  FreeBuffer();
  wipeOnFree = wipe;
  buffer = copy;
  capacity = copy ? n + 2 : 0;
  length = n;
  unitKind = kind;
  codePage = cp;
  selStart = 0;
  selEnd = n;
  cursor = -1;
  cursorWidth = 0;
  return true;
}

bool EncodedString::AssignBytes(const void* bytes, uint32_t n, int32_t cp) {
  if (!AssignRaw(bytes, n, kUnitNone, -1)) return false;
  SetCodePage(cp);
  return true;
}

bool EncodedString::AssignNarrow(const char* text, int32_t cp) {
  return AssignBytes(text, text ? static_cast<uint32_t>(std::strlen(text)) : 0, cp);
}

void EncodedString::SetCodePage(int32_t cp) {
  codePage = cp;
  unitKind = UnitKindForCodePage(cp);
}

void EncodedString::MoveFrom(EncodedString& other) {
  if (&other == this) return;
  FreeBuffer();
  ShallowCopy(other);
  other.buffer = nullptr;
  other.capacity = 0;
  other.length = 0;
  other.selStart = 0;
  other.selEnd = 0;
  other.cursor = -1;
  other.cursorWidth = 1;
  other.wipeOnFree = 0;
}

void EncodedString::ShallowCopy(const EncodedString& other) {
  if (&other == this) return;
  status = other.status;
  unitKind = other.unitKind;
  codePage = other.codePage;
  selStart = other.selStart;
  selEnd = other.selEnd;
  cursor = other.cursor;
  cursorWidth = other.cursorWidth;
  wipeOnFree = other.wipeOnFree;
  capacity = other.capacity;
  length = other.length;
  buffer = other.buffer;
}

void EncodedString::DetachBuffer() {
  buffer = nullptr;
  capacity = 0;
  length = 0;
  selStart = 0;
  selEnd = 0;
  wipeOnFree = 0;
}

void EncodedString::FreeBuffer() {
  if (buffer) {
    if (wipeOnFree) {
      volatile uint8_t* p = buffer;
      for (uint32_t i = 0; i < capacity; ++i) p[i] = 0;
    }
    DeviceFree(buffer);
  }
  buffer = nullptr;
  capacity = 0;
  length = 0;
  selStart = 0;
  selEnd = 0;
  wipeOnFree = 0;
}

void EncodedString::Clear() {
  ResetScan();
  length = 0;
}

void EncodedString::Release() {
  bool wipe = wipeOnFree;
  FreeBuffer();
  wipeOnFree = wipe;
  cursor = -1;
  cursorWidth = 1;
}

WCHAR* EncodedString::CStr() {
  if (!buffer) return nullptr;
  buffer[length] = 0;
  buffer[length + 1] = 0;
  return reinterpret_cast<WCHAR*>(buffer);
}

char* EncodedString::NarrowCStr() {
  if (!buffer) return nullptr;
  buffer[length] = 0;
  return reinterpret_cast<char*>(buffer);
}

const WCHAR* EncodedString::CStrOrEmpty() {
  static const WCHAR kEmpty[1] = {0};
  WCHAR* text = CStr();
  return text ? text : kEmpty;
}

const char* EncodedString::NarrowCStrOrEmpty() {
  char* text = NarrowCStr();
  return text ? text : "";
}

bool EncodedString::Grow(uint32_t n) {
  if (n > UINT32_MAX - kGrowthSlack) {
    status.SetError(kErrorNoMemory);
    return false;
  }
  uint32_t newCapacity = n + kGrowthSlack;
  uint8_t* grown = static_cast<uint8_t*>(DeviceAlloc(newCapacity));
  if (!grown) {
    status.SetError(kErrorNoMemory);
    return false;
  }
  uint32_t keep = length < newCapacity - 2 ? length : newCapacity - 2;
  if (buffer && keep) std::memcpy(grown, buffer, keep);
  AdoptBuffer(grown, newCapacity, keep);
  return true;
}

void EncodedString::AdoptBuffer(uint8_t* newBuffer, uint32_t newCapacity, uint32_t newLength) {
  uint32_t oldSelStart = selStart, oldSelEnd = selEnd;
  bool wipe = wipeOnFree;
  FreeBuffer();
  wipeOnFree = wipe;
  buffer = newBuffer;
  capacity = newCapacity;
  length = newLength;
  selStart = oldSelStart;
  selEnd = oldSelEnd;
}

bool EncodedString::ReserveBytes(uint32_t n) {
  if (n > UINT32_MAX - 2) {
    status.SetError(kErrorNoMemory);
    return false;
  }
  if (capacity >= n + 2) return true;
  return Grow(n);
}

bool EncodedString::ReserveChars(uint32_t n) {
  if (unitKind == kUnitUtf16) {
    if (n > UINT32_MAX / 2) {
      status.SetError(kErrorNoMemory);
      return false;
    }
    return ReserveBytes(n * 2);
  }
  return ReserveBytes(n);
}

bool EncodedString::EnsureRoomFor(uint32_t extra) {
  if (extra > UINT32_MAX - 2 - length) {
    status.SetError(kErrorNoMemory);
    return false;
  }
  uint32_t needed = length + extra;
  if (buffer && capacity >= needed + 2) return true;
  return Grow(needed);
}

uint8_t* EncodedString::LockRegion(uint32_t offset, uint32_t n) {
  if (offset > UINT32_MAX - 2 || n > UINT32_MAX - 2 - offset) {
    status.SetError(kErrorNoMemory);
    return nullptr;
  }
  uint32_t end = offset + n;
  if (!buffer || capacity < end + 2) Grow(end);
  if (!status.IsOk() || !buffer) return nullptr;
  if (end > length) std::memset(buffer + length, 0, end - length);
  length = end;
  selStart = offset;
  selEnd = end;
  return buffer + offset;
}

void EncodedString::TruncateAtSelectionEnd() {
  if (selEnd < length) length = selEnd;
  if (selStart > length) selStart = length;
  if (cursor != -1 && static_cast<uint32_t>(cursor) > length) {
    cursor = static_cast<int32_t>(length);
    cursorWidth = 0;
  }
}

void EncodedString::Crop() {
  uint32_t end = selEnd < length ? selEnd : length;
  if (!buffer || selStart >= end) {
    Clear();
    return;
  }
  uint32_t n = end - selStart;
  if (selStart > 0) std::memmove(buffer, buffer + selStart, n);
  if (cursor != -1) {
    uint32_t c = static_cast<uint32_t>(cursor);
    if (c < selStart) {
      cursor = -1;
    } else if (c >= end) {
      cursor = static_cast<int32_t>(n);
    } else {
      cursor = static_cast<int32_t>(c - selStart);
    }
    cursorWidth = 0;
  }
  length = n;
  selStart = 0;
  selEnd = n;
}

void EncodedString::AppendTyped(const void* bytes, uint32_t n, int32_t kind, int32_t cp) {
  if (n == 0) return;
  if (!bytes) {
    status.SetError(kErrorBadSource);
    return;
  }
  if (length == 0) {
    unitKind = kind;
    codePage = cp;
  }
  bool agree = kind == unitKind && cp == codePage;
  bool wideIntoWide = IsWideLabel(unitKind, codePage) && IsWideLabel(kind, cp);
  if (!agree && !wideIntoWide) {
    status.SetError(kErrorCodePageMismatch);
    return;
  }
  // The bytes may be our own text: remember where they lie before growing.
  const uint8_t* source = static_cast<const uint8_t*>(bytes);
  bool own = buffer && source >= buffer && source < buffer + capacity;
  uint32_t ownOffset = own ? static_cast<uint32_t>(source - buffer) : 0;
  if (!EnsureRoomFor(n)) return;
  if (own) source = buffer + ownOffset;
  std::memmove(buffer + length, source, n);
  length += n;
}

void EncodedString::AppendBytes(const void* bytes, uint32_t n, int32_t cp) {
  AppendTyped(bytes, n, UnitKindForCodePage(cp), cp);
}

void EncodedString::Append(const EncodedString& other) {
  uint32_t end = other.selEnd < other.length ? other.selEnd : other.length;
  if (other.buffer && other.selStart < end) {
    AppendTyped(other.buffer + other.selStart, end - other.selStart, other.unitKind, other.codePage);
  }
  if (other.wipeOnFree) wipeOnFree = 1;
}

void EncodedString::AppendRange(const EncodedString& other, uint32_t from, uint32_t to) {
  if (to > other.length) to = other.length;
  if (other.buffer && from < to) AppendTyped(other.buffer + from, to - from, other.unitKind, other.codePage);
  if (other.wipeOnFree) wipeOnFree = 1;
}

void EncodedString::AppendAndSelectAll(const EncodedString& other) {
  Append(other);
  SelectAll();
}

void EncodedString::AppendConverted(const EncodedString& other) {
  if (other.codePage == codePage && other.unitKind == unitKind) {
    Append(other);
    return;
  }
  EncodedString copy(other);
  if (!copy.IsOk()) {
    status.SetError(copy.GetError());
    return;
  }
  if (length == 0 && unitKind == kUnitNone && codePage == -1) {
    // Nothing to match yet: the text keeps its own code page.
    Append(copy);
    return;
  }
  if (!copy.ConvertTo(unitKind, codePage)) {
    status.SetError(copy.GetError() ? copy.GetError() : kErrorConversion);
    return;
  }
  if (copy.GetCondition() == kConditionReplaced) status.SetCondition(kConditionReplaced);
  Append(copy);
}

void EncodedString::AppendChar(uint32_t ch) {
  uint8_t encoded[8];
  uint32_t n = 0;
  switch (unitKind) {
    case kUnitNone:
      status.SetError(kErrorNoUnitKind);
      encoded[n++] = static_cast<uint8_t>(ch);
      break;
    case kUnitSingleByte:
      encoded[n++] = static_cast<uint8_t>(ch);
      break;
    case kUnitUtf16: {
      WCHAR units[2];
      uint32_t count = 1;
      if (codePage == kCodePageUtf16) {
        count = EncodeUtf16Char(ch, units);
      } else {
        units[0] = static_cast<WCHAR>(ch & 0xFFFF);
      }
      std::memcpy(encoded, units, count * 2);
      n = count * 2;
      break;
    }
    default:
      if (codePage == kCodePageUtf8) {
        n = EncodeUtf8Char(ch, encoded);
      } else if (ch < 256) {
        encoded[n++] = static_cast<uint8_t>(ch);
      } else {
        encoded[n++] = static_cast<uint8_t>(ch >> 8);
        encoded[n++] = static_cast<uint8_t>(ch);
      }
      break;
  }
  if (!EnsureRoomFor(n)) return;
  std::memcpy(buffer + length, encoded, n);
  length += n;
}

void EncodedString::AppendRepeated(uint32_t ch, uint32_t n) {
  if (n > 5) {
    uint32_t per = unitKind == kUnitUtf16 ? 4 : (unitKind == kUnitMultibyte ? 6 : 1);
    if (n > (UINT32_MAX - 2 - length) / per) {
      status.SetError(kErrorNoMemory);
      return;
    }
    if (!ReserveBytes(length + n * per)) return;
  }
  for (uint32_t i = 0; i < n; ++i) AppendChar(ch);
}

void EncodedString::AppendAscii(const char* text) {
  if (!text) return;
  for (; *text; ++text) AppendChar(static_cast<uint8_t>(*text));
}
