// Document::ConvertText: converts a block of text into the code page that a
// document hands out, inside the record buffer that will hold it. UTF-16
// sources are stored big-endian and come out in native order; UTF-8 sources
// may also fill a character-position map behind the text, placed by the
// carry state. In-place conversions that can grow go through a scratch
// block; only the bytes produced (and the map) are copied back, and only
// when they fit the buffer.
#include <cstring>

#include "foundation/code_pages/char_position_map.h"
#include "foundation/code_pages/code_page.h"
#include "foundation/streams/byte_order.h"
#include "platform/memory/allocator.h"
#include "storage/container/record_buffer.h"
#include "storage/documents/document.h"

namespace {

// Where the output goes and how much of it may be text.
struct Output {
  uint8_t* bytes = nullptr;
  uint32_t size = 0;      // bytes available at `bytes`
  uint32_t textRoom = 0;  // bytes the text may take (below the map, if any)
};

bool FitsWithin(uint64_t offset, uint64_t length, uint64_t size) { return offset + length <= size; }

// Runs the conversion into out; answers the bytes of text produced, or false.
bool Convert(const uint8_t* source, uint32_t count, int32_t sourceCp, int32_t targetCp, const Output& out,
             const CharMapCarry* carry, bool useCarry, uint32_t* produced) {
  uint32_t outLen = out.textRoom;
  if (targetCp == kCodePageUtf16 && sourceCp == kCodePageUtf16) {
    uint32_t bytes = count & ~1u;
    if (bytes > out.textRoom) return false;
    for (uint32_t i = 0; i < bytes; i += 2) {
      WCHAR unit = LoadU16BE(source + i);
      std::memcpy(out.bytes + i, &unit, 2);
    }
    *produced = bytes;
    return true;
  }
  if (sourceCp == kCodePageUtf8) {
    CharPositionMap* map = nullptr;
    if (useCarry) {
      uint32_t mapSize = CharPositionMapSize(count);
      if ((carry->mapOffset & 3) != 0 || !FitsWithin(carry->mapOffset, mapSize, out.size)) return false;
      std::memcpy(out.bytes + carry->mapOffset, carry, sizeof(CharMapCarry));
      map = reinterpret_cast<CharPositionMap*>(out.bytes + carry->mapOffset);
    }
    if (ConvertFromUtf8(source, count, targetCp, out.bytes, &outLen, map) != kConvertOk) return false;
    *produced = outLen;
    return true;
  }
  if (targetCp == kCodePageUtf16) {
    if (MultiByteToWide(source, count, sourceCp, reinterpret_cast<WCHAR*>(out.bytes), &outLen) != kConvertOk) {
      return false;
    }
    *produced = outLen;
    return true;
  }
  if (sourceCp == kCodePageUtf16) {
    // Stored high byte first, as for the UTF-16 target above: the units are
    // put in native order before they are converted.
    uint32_t bytes = count & ~1u;
    WCHAR* units = static_cast<WCHAR*>(DeviceAlloc(bytes ? bytes : 2));
    if (units == nullptr) return false;
    for (uint32_t i = 0; i < bytes; i += 2) units[i / 2] = LoadU16BE(source + i);
    bool ok = WideToMultiByte(units, bytes, targetCp, out.bytes, &outLen, nullptr) == kConvertOk;
    DeviceFree(units);
    if (!ok) return false;
    *produced = outLen;
    return true;
  }
  return false;  // two other code pages: no path
}

}  // namespace

uint32_t Document::ConvertText(RecordBuffer* buffer, const uint8_t* source, uint32_t count, int32_t sourceCp,
                               int32_t targetCp, const CharMapCarry* carry, bool carryEnabled) {
  if (buffer == nullptr) return 0;
  const uint32_t bufferSize = buffer->GetSize();
  const bool inPlace = source == nullptr;
  if (inPlace) {
    source = buffer->GetData();
    if (source == nullptr || count > bufferSize) return 0;
  }
  if (count == 0) return 0;

  // 1252 text asked for as 65020 is handed out as it is.
  if (sourceCp == kCodePage1252 && targetCp == kCodePageRefused) {
    if (!inPlace) {
      if (count > bufferSize || buffer->GetWritableData() == nullptr) return 0;
      buffer->Write(0, source, count);
    }
    return count;
  }

  const bool useCarry = sourceCp == kCodePageUtf8 && carryEnabled && carry != nullptr;
  const bool grows = !(sourceCp == kCodePageUtf8 && targetCp != kCodePageUtf16);
  const uint64_t textBytes = 2ull * count;

  uint8_t* scratch = nullptr;
  Output out;
  if (inPlace && grows) {
    uint64_t scratchSize = textBytes;
    if (useCarry) {
      uint64_t withMap = static_cast<uint64_t>(carry->mapOffset) + CharPositionMapSize(count);
      if (withMap > scratchSize) scratchSize = withMap;
    }
    if (scratchSize > 0xFFFFFFFFull) return 0;
    scratch = static_cast<uint8_t*>(DeviceAlloc(static_cast<size_t>(scratchSize)));
    if (scratch == nullptr) return 0;
    out.bytes = scratch;
    out.size = static_cast<uint32_t>(scratchSize);
  } else {
    out.bytes = buffer->GetWritableData();
    out.size = bufferSize;
    if (out.bytes == nullptr) return 0;
  }
  out.textRoom = out.size;
  if (useCarry && carry->mapOffset < out.textRoom) out.textRoom = carry->mapOffset;
  if (textBytes < out.textRoom && grows) out.textRoom = static_cast<uint32_t>(textBytes);

  uint32_t produced = 0;
  bool ok = Convert(source, count, sourceCp, targetCp, out, carry, useCarry, &produced);
  if (ok && scratch != nullptr) {
    // Copy back what was produced, never the whole scratch block.
    uint32_t mapSize = useCarry ? CharPositionMapSize(count) : 0;
    ok = produced <= bufferSize && (!useCarry || FitsWithin(carry->mapOffset, mapSize, bufferSize)) &&
         buffer->GetWritableData() != nullptr;
    if (ok) {
      buffer->Write(0, scratch, produced);
      if (useCarry) buffer->Write(carry->mapOffset, scratch + carry->mapOffset, mapSize);
    }
  }
  DeviceFree(scratch);
  if (!ok) return 0;
  return targetCp == kCodePageUtf16 ? produced / 2 : produced;
}
