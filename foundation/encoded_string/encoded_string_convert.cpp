// EncodedString code-page conversion. Text moves between code pages through
// UTF-16: the source is brought to UTF-16 with its own code page, then
// converted to the target. On any failure the string keeps its text; buffers
// of a string flagged for wiping are zeroed before they are freed, the
// intermediate UTF-16 buffer included.
#include <cstring>

#include "foundation/code_pages/code_page.h"
#include "foundation/encoded_string/encoded_string.h"
#include "platform/memory/allocator.h"

namespace {

void FreeScratch(uint8_t* block, uint32_t size, bool wipe) {
  if (!block) return;
  if (wipe) {
    volatile uint8_t* p = block;
    for (uint32_t i = 0; i < size; ++i) p[i] = 0;
  }
  DeviceFree(block);
}

}  // namespace

bool EncodedString::ConvertTo(int32_t targetKind, int32_t targetCp) {
  if (targetKind == unitKind && targetCp == codePage) {
    SelectAll();
    return true;
  }
  if (targetKind == unitKind && (targetCp == -1 || codePage == -1)) {
    codePage = targetCp;
    SelectAll();
    return true;
  }
  if (length == 0) {
    unitKind = targetKind;
    codePage = targetCp;
    SelectAll();
    return true;
  }
  if (unitKind == kUnitNone || targetKind == kUnitNone) {
    status.SetError(kErrorConversion);
    return false;
  }
  const bool wipe = wipeOnFree != 0;

  // 1. The text as UTF-16.
  uint8_t* wide = nullptr;  // owned scratch buffer, null when the text is already UTF-16
  uint32_t wideCapacity = 0;
  const uint8_t* wideText = buffer;
  uint32_t wideLength = length;
  if (unitKind != kUnitUtf16) {
    int32_t sourceCp = codePage == -1 ? kCodePageDefault : codePage;
    uint64_t size = static_cast<uint64_t>(length) * 2;
    if (unitKind == kUnitMultibyte) {
      uint32_t asked = 0;
      MultiByteToWide(buffer, length, sourceCp, nullptr, &asked);
      if (asked > size) size = asked;
    }
    if (size + 2 > UINT32_MAX) {
      status.SetError(kErrorNoMemory);
      return false;
    }
    wideCapacity = static_cast<uint32_t>(size) + 2;
    wide = static_cast<uint8_t*>(DeviceAlloc(wideCapacity));
    if (!wide) {
      status.SetError(kErrorNoMemory);
      return false;
    }
    uint32_t produced = wideCapacity - 2;
    if (MultiByteToWide(buffer, length, sourceCp, reinterpret_cast<WCHAR*>(wide), &produced) != kConvertOk) {
      FreeScratch(wide, wideCapacity, wipe);
      status.SetError(kErrorNotWideConvertible);
      return false;
    }
    wideText = wide;
    wideLength = produced;
  }

  // 2. The target text.
  uint8_t* result = nullptr;
  uint32_t resultCapacity = 0;
  uint32_t resultLength = 0;
  if (targetKind == kUnitUtf16) {
    if (wide) {
      result = wide;
      resultCapacity = wideCapacity;
      wide = nullptr;
    } else {
      // UTF-16 relabelled as another UTF-16 page: the bytes stay.
      result = static_cast<uint8_t*>(DeviceAlloc(wideLength + 2));
      if (!result) {
        status.SetError(kErrorNoMemory);
        return false;
      }
      std::memcpy(result, wideText, wideLength);
      resultCapacity = wideLength + 2;
    }
    resultLength = wideLength;
  } else {
    uint64_t perUnit = targetKind == kUnitSingleByte ? 1 : 3;
    uint64_t size = (wideLength / 2) * perUnit + 2;
    if (size > UINT32_MAX) {
      FreeScratch(wide, wideCapacity, wipe);
      status.SetError(kErrorNoMemory);
      return false;
    }
    resultCapacity = static_cast<uint32_t>(size);
    result = static_cast<uint8_t*>(DeviceAlloc(resultCapacity));
    if (!result) {
      FreeScratch(wide, wideCapacity, wipe);
      status.SetError(kErrorNoMemory);
      return false;
    }
    uint32_t produced = resultCapacity - 2;
    bool replaced = false;
    int32_t page = targetCp == -1 ? kCodePageDefault : targetCp;
    if (WideToMultiByte(reinterpret_cast<const WCHAR*>(wideText), wideLength, page, result, &produced,
                        &replaced) != kConvertOk) {
      status.SetError(kErrorConversion);
    } else {
      resultLength = produced;
      if (replaced) status.SetCondition(kConditionReplaced);
    }
  }
  FreeScratch(wide, wideCapacity, wipe);

  // 3. Take the new text only when nothing failed (an earlier error included).
  if (!status.IsOk()) {
    FreeScratch(result, resultCapacity, wipe);
    return false;
  }
  result[resultLength] = 0;
  result[resultLength + 1] = 0;
  FreeBuffer();
  wipeOnFree = wipe ? 1 : 0;
  buffer = result;
  capacity = resultCapacity;
  length = resultLength;
  unitKind = targetKind;
  codePage = targetCp;
  cursor = -1;
  cursorWidth = 1;
  SelectAll();
  return true;
}

void EncodedString::MatchWidth(const EncodedString& other) {
  bool thisWide = unitKind == kUnitUtf16;
  bool otherWide = other.unitKind == kUnitUtf16;
  if (thisWide && !otherWide) {
    ConvertTo(kUnitSingleByte, kCodePageDefault);
  } else if (unitKind == kUnitSingleByte && otherWide) {
    // Read in the platform's default code page.
    codePage = kCodePageDefault;
    ConvertTo(kUnitUtf16, 65002);
  }
  unitKind = other.unitKind;
  codePage = other.codePage;
}

void EncodedString::SwapUtf16Bytes() {
  if (codePage != 65002 || !buffer) return;
  uint32_t end = selEnd < length ? selEnd : length;
  for (uint32_t i = selStart; i + 1 < end; i += 2) {
    uint8_t first = buffer[i];
    buffer[i] = buffer[i + 1];
    buffer[i + 1] = first;
  }
}
