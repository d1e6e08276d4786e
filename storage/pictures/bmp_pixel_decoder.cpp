// BMP pixel data. Uncompressed rows (1, 2, 4 or 8 bits, most significant
// bits first, each row padded to 4 bytes) are taken in picture order from
// the top, so output rows always go downwards. RLE8 and RLE4 runs are
// decoded into the row of indices at their columns and emitted in segments:
// pixels that the codes skip (deltas, ends of rows, transparent runs) leave
// the output as it was.
//
// The uncompressed array was checked against the data by the parser; the
// run-length reader checks every code, literal and delta against the end of
// the data and stops (kImageFailed, the rows so far kept) at the end of the
// data or when pixels would fall outside the picture's rows.
#include <cstdint>

#include "storage/pictures/image_decoder.h"

namespace {

// Pixels a run may pass the end of its row by before the data is corrupt.
constexpr uint32_t kRunSlack = 3;

}  // namespace

int ImageDecoder::DecodeBmpPixels() {
  const uint32_t width = width_;
  const uint32_t bits = sourceBits_;
  const uint64_t rowBytes = (uint64_t{width} * bits + 7) / 8;
  const uint64_t stride = (rowBytes + 3) & ~uint64_t{3};
  const uint32_t perByte = 8 / bits;
  const uint32_t mask = (1u << bits) - 1;
  for (uint32_t r = 0; r < height_; ++r) {
    rowIndex_ = static_cast<int32_t>(r);
    uint32_t sourceRow = topDown_ ? r : height_ - 1 - r;
    const uint8_t* src = pixelData_ + stride * sourceRow;
    if (bits == 8) {
      for (uint32_t i = 0; i < width; ++i) indexRow_[i] = src[i];
    } else {
      for (uint32_t i = 0; i < width; ++i) {
        uint32_t slot = i % perByte;
        indexRow_[i] = static_cast<uint8_t>((src[i / perByte] >> (8 - bits * (slot + 1))) & mask);
      }
    }
    EmitSegment(0, width);
    if (ShouldAbortAfterRow()) return kImageFailed;
  }
  return kImageOk;
}

int ImageDecoder::DecodeBmpRle() {
  const bool rle4 = compression_ == kBmpCompressionRle4;
  const uint8_t* p = pixelData_;
  const uint8_t* const end = data_ + length_;
  const int32_t width = width_;
  const int32_t height = height_;
  const int32_t step = topDown_ ? 1 : -1;
  const bool skipTransparent = transparencyInForce_ && transparentIndex_ <= 0xFF;
  const uint8_t transparent = static_cast<uint8_t>(transparentIndex_);
  rowIndex_ = topDown_ ? 0 : height - 1;
  int32_t x = 0;
  int32_t pending = 0;  // first column not yet emitted

  auto rowInside = [&] { return rowIndex_ >= 0 && rowIndex_ < height; };
  // Sends the pixels decoded since the last emission.
  auto flush = [&] {
    int32_t stop = x < width ? x : width;
    if (rowInside() && pending < stop)
      EmitSegment(static_cast<uint32_t>(pending), static_cast<uint32_t>(stop - pending));
    pending = x;
  };
  // Rows move by at most 255 a code; past the picture they stay just past.
  auto moveRows = [&](int32_t rows) {
    int64_t row = int64_t{rowIndex_} + int64_t{step} * rows;
    if (row < -1) row = -1;
    if (row > height) row = height;
    rowIndex_ = static_cast<int32_t>(row);
  };

  for (;;) {
    if (end - p < 2) {
      flush();
      return kImageFailed;  // the data ends before the end of the picture
    }
    uint8_t count = p[0];
    uint8_t value = p[1];
    p += 2;
    if (count != 0) {
      // An encoded run.
      if (!rowInside() || x + count > width + static_cast<int32_t>(kRunSlack)) {
        flush();
        return kImageFailed;
      }
      bool skip = skipTransparent && (rle4 ? ((value >> 4) == transparent && (value & 15) == transparent)
                                           : value == transparent);
      if (skip) {
        flush();
        x += count;
        pending = x;
        continue;
      }
      for (uint32_t k = 0; k < count; ++k)
        indexRow_[x + k] = rle4 ? static_cast<uint8_t>((k & 1) ? (value & 15) : (value >> 4)) : value;
      x += count;
      continue;
    }
    switch (value) {
      case 0:  // end of the row
        flush();
        moveRows(1);
        x = 0;
        pending = 0;
        if (ShouldAbortAfterRow()) return kImageFailed;
        break;
      case 1:  // end of the picture
        flush();
        return kImageOk;
      case 2: {  // delta: right dx pixels, dy rows onwards
        if (end - p < 2) {
          flush();
          return kImageFailed;
        }
        uint8_t dx = p[0];
        uint8_t dy = p[1];
        p += 2;
        flush();
        x += dx;
        if (x > width + static_cast<int32_t>(kRunSlack) + 1) x = width + kRunSlack + 1;
        pending = x;
        moveRows(dy);
        break;
      }
      default: {  // a literal run of `value` pixels, padded to 2 bytes
        uint32_t n = value;
        uint32_t bytes = rle4 ? (n + 1) / 2 : n;
        uint32_t padded = (bytes + 1) & ~1u;
        if (!rowInside() || x + static_cast<int32_t>(n) > width + static_cast<int32_t>(kRunSlack) ||
            static_cast<uint64_t>(end - p) < bytes) {
          flush();
          return kImageFailed;
        }
        for (uint32_t k = 0; k < n; ++k)
          indexRow_[x + k] = rle4 ? static_cast<uint8_t>((k & 1) ? (p[k / 2] & 15) : (p[k / 2] >> 4)) : p[k];
        x += static_cast<int32_t>(n);
        p += static_cast<uint64_t>(end - p) < padded ? static_cast<uint64_t>(end - p) : padded;
        break;
      }
    }
  }
}
