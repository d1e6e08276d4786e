// The BMP parser: a Windows bitmap file with an information header of 40
// bytes or more, 1, 2, 4 or 8 bits per pixel, uncompressed, RLE8 or RLE4.
// The planes field carries the transparent index (n >= 2: index n - 2).
//
// Refused: another signature, a header too short to hold the fields read
// here, a width or height that is 0 or does not fit in 16 bits (height
// INT_MIN included, whose absolute value does not exist), another depth or
// compression, a run-length compression that does not match the depth, a
// colour table or an uncompressed pixel array (rows x 4-byte-aligned
// stride) that passes the end of the data.
#include <cstdint>

#include "foundation/streams/byte_order.h"
#include "storage/pictures/image_decoder.h"

namespace {

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;

}  // namespace

bool ImageDecoder::ParseBmp() {
  const uint8_t* d = data_;
  const uint64_t n = length_;
  if (n < kFileHeaderBytes + kInfoHeaderBytes || d[0] != 'B' || d[1] != 'M') return false;

  uint32_t pixelOffset = LoadU32LE(d + 10);
  uint32_t headerSize = LoadU32LE(d + 14);
  int32_t width = static_cast<int32_t>(LoadU32LE(d + 18));
  int32_t height = static_cast<int32_t>(LoadU32LE(d + 22));
  uint16_t planes = LoadU16LE(d + 26);
  uint16_t bits = LoadU16LE(d + 28);
  uint32_t compression = LoadU32LE(d + 30);
  uint32_t coloursUsed = LoadU32LE(d + 46);

  if (headerSize < kInfoHeaderBytes) return false;
  if (compression > kBmpCompressionRle4) return false;
  if (bits != 1 && bits != 2 && bits != 4 && bits != 8) return false;
  if (compression == kBmpCompressionRle8 && bits != 8) return false;
  if (compression == kBmpCompressionRle4 && bits != 4) return false;
  if (width <= 0 || width > 0xFFFF) return false;
  if (height == 0 || height < -0xFFFF || height > 0xFFFF) return false;
  bool topDown = height < 0;
  uint32_t rows = static_cast<uint32_t>(topDown ? -height : height);

  uint64_t paletteCount = coloursUsed != 0 ? coloursUsed : (1u << bits);
  uint64_t tableAt = uint64_t{kFileHeaderBytes} + headerSize;
  if (tableAt + 4 * paletteCount > n) return false;
  if (pixelOffset >= n) return false;
  if (compression == kBmpCompressionNone) {
    uint64_t rowBytes = (uint64_t(width) * bits + 7) / 8;
    uint64_t stride = (rowBytes + 3) & ~uint64_t{3};
    if (pixelOffset + stride * rows > n) return false;
  }

  kind_ = kImageKindBmp;
  width_ = static_cast<uint16_t>(width);
  height_ = static_cast<uint16_t>(rows);
  pixelCount_ = uint32_t{width_} * height_;
  topDown_ = topDown;
  sourceBits_ = static_cast<uint8_t>(bits);
  compression_ = static_cast<uint8_t>(compression);
  transparentIndex_ = planes >= 2 ? planes - 2 : -1;
  palette_ = d + tableAt;
  paletteCount_ = static_cast<uint32_t>(paletteCount);
  pixelData_ = d + pixelOffset;
  return true;
}
