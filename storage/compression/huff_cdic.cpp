// The HUFF/CDIC decoder: table validation at load and the decoding loop. The
// nesting of compressed phrases is kept in an explicit stack of frames
// (input, length, bit position), so no call recursion is needed, and a work
// budget bounds a dictionary whose phrases expand to nothing but each other.
#include "storage/compression/huff_cdic.h"

#include <bit>
#include <cstring>

#include "foundation/streams/byte_order.h"
#include "platform/memory/allocator.h"
#include "storage/container/record_buffer.h"

namespace {

// True when [offset, offset + length) lies inside size bytes.
bool Inside(uint64_t offset, uint64_t length, uint64_t size) { return offset <= size && length <= size - offset; }

struct Frame {
  const uint8_t* data;
  uint32_t length;
  uint64_t bitPos;
};

// The 32 bits at bitPos, zeros past the end.
inline uint32_t PeekWindow(const Frame& f) {
  const uint64_t byte = f.bitPos >> 3;
  const uint32_t shift = static_cast<uint32_t>(f.bitPos & 7);
  uint64_t v = 0;
  if (byte + 8 <= f.length) {
    std::memcpy(&v, f.data + byte, 8);
    if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
  } else {
    for (uint64_t i = 0; i < 8; ++i) v = (v << 8) | (byte + i < f.length ? f.data[byte + i] : 0);
  }
  return static_cast<uint32_t>((v << shift) >> 32);
}

}  // namespace

bool HuffCdicDecoder::Init(const uint8_t* huff, uint32_t huffSize, const uint8_t* const* cdic,
                           const uint32_t* cdicSizes, uint32_t count) {
  Reset();
  if (huff == nullptr || huffSize < 24 || std::memcmp(huff, "HUFF", 4) != 0 || count == 0) return false;
  const uint32_t cacheOffset = LoadU32BE(huff + 16);
  const uint32_t limitOffset = LoadU32BE(huff + 20);
  if (!Inside(cacheOffset, 256 * 4, huffSize) || !Inside(limitOffset, 32 * 8, huffSize)) return false;
  for (uint32_t i = 0; i < count; ++i) {
    if (cdic[i] == nullptr || cdicSizes[i] < 16 || std::memcmp(cdic[i], "CDIC", 4) != 0) return false;
    if (LoadU32BE(cdic[i] + 4) > cdicSizes[i]) return false;
  }
  const uint32_t k = LoadU32BE(cdic[0] + 12);
  if (k > kMaxCodeBits) return false;
  PhraseArea* areas = static_cast<PhraseArea*>(DeviceAlloc(sizeof(PhraseArea) * count));
  if (areas == nullptr) return false;
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t header = LoadU32BE(cdic[i] + 4);
    areas[i].bytes = cdic[i] + header;
    areas[i].size = cdicSizes[i] - header;
  }
  for (uint32_t i = 0; i < 256; ++i) cache_[i] = LoadU32LE(huff + cacheOffset + 4 * i);
  lowest_[0] = highest_[0] = 0;
  for (uint32_t n = 1; n <= 32; ++n) {
    lowest_[n] = LoadU32LE(huff + limitOffset + 8 * (n - 1));
    highest_[n] = LoadU32LE(huff + limitOffset + 8 * (n - 1) + 4);
  }
  areas_ = areas;
  areaCount_ = count;
  codeBits_ = k;
  return true;
}

void HuffCdicDecoder::Reset() {
  DeviceFree(areas_);
  areas_ = nullptr;
  areaCount_ = 0;
  codeBits_ = 0;
}

HuffCdicResult HuffCdicDecoder::Decode(const uint8_t* input, uint32_t length, uint8_t* out, uint32_t capacity,
                                       uint32_t* produced) const {
  *produced = 0;
  if (!IsLoaded()) return HuffCdicResult::kCorrupt;
  Frame stack[kMaxNesting + 1];
  int depth = 0;
  stack[0] = {input, length, 0};
  uint32_t o = 0;
  // Every code produces bytes or opens a phrase that does; a sound record
  // needs far fewer steps than this.
  const uint64_t budget = 32ull * capacity + 4096 + 8ull * length;
  uint64_t steps = 0;
  const uint32_t slotMask = (1u << codeBits_) - 1;
  HuffCdicResult result = HuffCdicResult::kOk;

  while (depth >= 0) {
    Frame& f = stack[depth];
    const uint64_t bitsLeft = static_cast<uint64_t>(f.length) * 8 - f.bitPos;
    if (bitsLeft == 0) {
      --depth;
      continue;
    }
    const uint32_t window = PeekWindow(f);
    const uint32_t entry = cache_[window >> 24];
    uint32_t n = entry & 0x1F;
    if (n == 0) {
      result = HuffCdicResult::kCorrupt;
      break;
    }
    uint32_t code = window >> (32 - n);
    uint32_t highest;
    if (entry & 0x80) {
      highest = entry >> 8;
    } else {
      while (code < lowest_[n]) {
        if (++n > 32) break;
        code = window >> (32 - n);
      }
      if (n > 32) {
        result = HuffCdicResult::kCorrupt;
        break;
      }
      highest = highest_[n];
    }
    if (n > bitsLeft) {  // a partial code at the end of this stream
      --depth;
      continue;
    }
    f.bitPos += n;
    if (++steps > budget) {
      result = HuffCdicResult::kCorrupt;
      break;
    }

    const uint32_t index = highest - code;
    const uint32_t record = codeBits_ >= 32 ? 0 : index >> codeBits_;
    if (record >= areaCount_) {
      result = HuffCdicResult::kCorrupt;
      break;
    }
    const PhraseArea& area = areas_[record];
    const uint32_t slot = index & slotMask;
    if (!Inside(2ull * slot, 2, area.size)) {
      result = HuffCdicResult::kCorrupt;
      break;
    }
    const uint32_t offset = LoadU16BE(area.bytes + 2 * slot);
    if (!Inside(offset, 2, area.size)) {
      result = HuffCdicResult::kCorrupt;
      break;
    }
    const uint32_t word = LoadU16BE(area.bytes + offset);
    const uint32_t phraseLength = word & 0x7FFF;
    if (!Inside(offset + 2ull, phraseLength, area.size)) {
      result = HuffCdicResult::kCorrupt;
      break;
    }
    const uint8_t* phrase = area.bytes + offset + 2;
    if (word & 0x8000) {
      if (phraseLength > capacity - o) {
        result = HuffCdicResult::kOutputFull;
        break;
      }
      std::memcpy(out + o, phrase, phraseLength);
      o += phraseLength;
    } else {
      if (depth + 1 > static_cast<int>(kMaxNesting)) {
        result = HuffCdicResult::kCorrupt;
        break;
      }
      stack[++depth] = {phrase, phraseLength, 0};
    }
  }
  *produced = o;
  return result;
}

bool DecompressHuffCdic(const uint8_t* input, uint32_t length, const HuffCdicDecoder& decoder,
                        RecordBuffer* output, uint32_t limit, uint32_t* outLength) {
  *outLength = 0;
  if (output == nullptr) return false;
  uint8_t* out = output->GetWritableData();
  if (out == nullptr) return false;
  uint32_t capacity = output->GetSize();
  if (limit < capacity) capacity = limit;
  return decoder.Decode(input, length, out, capacity, outLength) == HuffCdicResult::kOk;
}
