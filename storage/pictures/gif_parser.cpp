// The GIF parser: header and global colour table, then a walk over the
// blocks that keeps the transparent index of a graphic control extension,
// the data of a "QVRW" application extension and the first image (its
// local colour table, LZW minimum code size and first data sub-block).
// Later images are skipped: the decoder shows the first frame.
//
// Every block is checked against the end of the data before it is read;
// the first image is refused when its size is 0 or its LZW minimum code size
// lies outside 2..8 (a code size of 0 or of 12 and more would make codes
// wider than 12 bits or a clear code outside the code table).
#include <cstring>

#include "foundation/streams/byte_order.h"
#include "storage/pictures/image_decoder.h"

namespace {

constexpr uint32_t kHeaderBytes = 13;
constexpr uint32_t kDescriptorBytes = 10;
constexpr uint8_t kExtension = 0x21;
constexpr uint8_t kImageDescriptor = 0x2C;
constexpr uint8_t kTrailer = 0x3B;
constexpr uint8_t kGraphicControl = 0xF9;
constexpr uint8_t kApplication = 0xFF;

// Entries of a colour table whose packed byte has bit 7 set.
uint32_t TableEntries(uint8_t packed) { return 2u << (packed & 7); }

}  // namespace

bool ImageDecoder::SkipGifSubBlocks(uint64_t* pos) const {
  uint64_t at = *pos;
  for (;;) {
    if (at >= length_) return false;
    uint8_t size = data_[at];
    at += 1u + size;
    if (size == 0) break;
  }
  *pos = at;
  return true;
}

bool ImageDecoder::ParseGif(bool stopAtImage) {
  const uint8_t* d = data_;
  const uint32_t n = length_;
  if (n <= kHeaderBytes || std::memcmp(d, "GIF", 3) != 0) return false;

  const uint8_t* globalTable = nullptr;
  uint32_t globalCount = 0;
  uint64_t pos = kHeaderBytes;
  if (d[10] & 0x80) {
    globalCount = TableEntries(d[10]);
    if (pos + 3u * globalCount > n) return false;
    globalTable = d + pos;
    pos += 3u * globalCount;
  }

  while (pos < n) {
    uint8_t introducer = d[pos];
    if (introducer == kTrailer) break;
    uint64_t next = 0;
    if (introducer == kExtension) {
      if (pos + 2 >= n) return false;
      uint8_t label = d[pos + 1];
      if (!gifImageSeen_ && label == kGraphicControl) {
        if (pos + 7 > n) return false;
        transparentIndex_ = (d[pos + 3] & 1) ? d[pos + 6] : -1;
      } else if (!gifImageSeen_ && label == kApplication && pos + 8 <= n &&
                 std::memcmp(d + pos + 3, "QVRW", 4) == 0) {
        uint8_t dataLength = d[pos + 7];
        // The data and the byte after it must lie inside the file.
        if (pos + 8 + dataLength < n) {
          programData_ = d + pos + 8;
          programLength_ = dataLength;
          programFollowing_ = d[pos + 8 + dataLength];
        }
      }
      next = pos + 2;
    } else if (introducer == kImageDescriptor) {
      if (pos + kDescriptorBytes > n) return false;
      const uint8_t* desc = d + pos;
      uint8_t packed = desc[9];
      uint32_t localCount = (packed & 0x80) ? TableEntries(packed) : 0;
      uint64_t codeSizeAt = pos + kDescriptorBytes + 3u * localCount;
      if (codeSizeAt >= n) return false;  // the table and the code size byte
      if (!gifImageSeen_) {
        uint16_t w = LoadU16LE(desc + 5);
        uint16_t h = LoadU16LE(desc + 7);
        uint8_t codeSize = d[codeSizeAt];
        if (w == 0 || h == 0 || codeSize < 2 || codeSize > 8) return false;
        // The local table replaces the global one.
        palette_ = localCount != 0 ? desc + kDescriptorBytes : globalTable;
        paletteCount_ = localCount != 0 ? localCount : globalCount;
        kind_ = kImageKindGif;
        width_ = w;
        height_ = h;
        pixelCount_ = uint32_t{w} * h;
        interlaced_ = (packed & 0x40) != 0;
        sourceBits_ = 8;
        lzwMinCodeSize_ = codeSize;
        pixelData_ = d + codeSizeAt + 1;
        gifImageSeen_ = true;
        if (stopAtImage) return true;
      }
      next = codeSizeAt + 1;
    } else {
      next = pos + 2;
    }
    if (!SkipGifSubBlocks(&next)) return false;
    pos = next;
  }
  return gifImageSeen_;
}
