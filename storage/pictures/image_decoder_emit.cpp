// Output of decoded rows: the row callback, the column map, the split into
// runs around transparent pixels, the horizontal clip, the packing of the
// indices into pixels of the output depth (through the palette translation
// table), and the writing into the output rows through the row map, the
// vertical clip and the progressive fill of interlaced GIFs. Written rows
// are gathered into a band that is reported to the display sink every 16
// rows, at every interlace pass and at the end.
//
// Every pixel written has passed the clamped clip, which lies inside the
// output rectangle given to SetOutput.
#include "storage/pictures/image_decoder.h"
#include "storage/pictures/image_decoder_sink.h"

namespace {

// Rows below a row of interlace pass 0, 1, 2, 3 that the fill also writes.
constexpr int32_t kFillRows[4] = {7, 3, 1, 0};
constexpr int32_t kPassStart[4] = {0, 4, 2, 1};
constexpr int32_t kPassStep[4] = {8, 8, 4, 2};
constexpr int32_t kBandRows = 16;

}  // namespace

bool ImageDecoder::RowIsWritten(int32_t imageRow) const {
  if (imageRow < 0 || imageRow >= height_) return false;
  int32_t mapped = rowMap_ != nullptr ? rowMap_[imageRow] : imageRow;
  if (mapped < 0) return false;
  int64_t outRow = int64_t{firstRow_} + mapped;
  return outRow >= drawTop_ && outRow < drawBottom_;
}

bool ImageDecoder::AnyRowWritten() const {
  int32_t last = rowIndex_ + (fillInForce_ ? kFillRows[pass_] : 0);
  for (int32_t r = rowIndex_; r <= last; ++r)
    if (RowIsWritten(r)) return true;
  return false;
}

void ImageDecoder::EmitSegment(uint32_t start, uint32_t count) {
  if (count == 0) return;
  uint8_t* segment = indexRow_ + start;
  if (callback_ != nullptr) callback_(callbackContext_, segment, count, start, rowIndex_, paletteMap_);
  if (outPixels_ == nullptr || !AnyRowWritten()) return;

  // Drop the columns that downscaling leaves out; the kept ones have
  // consecutive output columns from the first one's.
  uint32_t kept = count;
  int64_t outStart = start;
  if (columnMap_ != nullptr) {
    kept = 0;
    for (uint32_t i = 0; i < count; ++i) {
      int32_t mapped = columnMap_[start + i];
      if (mapped < 0) continue;
      if (kept == 0) outStart = mapped;
      segment[kept++] = segment[i];
    }
    if (kept == 0) return;
  }
  int64_t x = int64_t{firstColumn_} + outStart;
  if (!transparencyInForce_) {
    WriteRun(segment, kept, x, packedRow_);
    return;
  }
  // Transparent pixels leave the output as it was: write the runs between.
  const uint8_t transparent = static_cast<uint8_t>(transparentIndex_);
  const bool anyTransparent = transparentIndex_ <= 0xFF;
  uint32_t i = 0;
  while (i < kept) {
    while (anyTransparent && i < kept && segment[i] == transparent) ++i;
    uint32_t j = i;
    while (j < kept && !(anyTransparent && segment[j] == transparent)) ++j;
    if (j > i) WriteRun(segment + i, j - i, x + i, packedRow_);
    i = j;
  }
}

void ImageDecoder::WriteRun(uint8_t* indices, uint32_t count, int64_t x, uint8_t* scratch) {
  int64_t left = x > drawLeft_ ? x : drawLeft_;
  int64_t right = x + count < drawRight_ ? x + count : drawRight_;
  if (left >= right) return;
  indices += left - x;
  const uint32_t n = static_cast<uint32_t>(right - left);
  const int32_t first = static_cast<int32_t>(left);
  const uint8_t* table = direct_ ? nullptr : paletteMap_;

  if (outDepth_ == 8) {
    WriteBytes(indices, n, first, 0xFF, 0xFF, first, static_cast<int32_t>(n));
    return;
  }
  if (outDepth_ == 16) {
    for (uint32_t k = 0; k < n; ++k) {
      uint8_t v = indices[k];
      scratch[2 * k] = table != nullptr ? table[2 * v] : 0;
      scratch[2 * k + 1] = table != nullptr ? table[2 * v + 1] : v;
    }
    WriteBytes(scratch, 2 * n, int64_t{2} * first, 0xFF, 0xFF, first, static_cast<int32_t>(n));
    return;
  }

  // Depths 1, 2 and 4: most significant bits first. The packing may run in
  // place (scratch == indices): byte o is stored only after every pixel at
  // or before position o has been read.
  const uint32_t depth = outDepth_;
  const uint32_t valueMask = (1u << depth) - 1;
  const int64_t bitPos = int64_t{first} * depth;
  const uint32_t shift = optBitAlignment_ ? static_cast<uint32_t>(bitPos & 7) : 0;
  uint8_t* out = scratch != nullptr ? scratch : indices;
  uint32_t acc = 0;
  uint32_t bits = shift;
  uint32_t bytes = 0;
  for (uint32_t k = 0; k < n; ++k) {
    uint8_t v = indices[k];
    acc = (acc << depth) | ((table != nullptr ? table[v] : v) & valueMask);
    bits += depth;
    if (bits == 8) {
      out[bytes++] = static_cast<uint8_t>(acc);
      acc = 0;
      bits = 0;
    }
  }
  uint32_t endBits = 8;
  if (bits != 0) {
    out[bytes++] = static_cast<uint8_t>(acc << (8 - bits));
    endBits = bits;
  }
  uint8_t firstMask = static_cast<uint8_t>(0xFF >> shift);
  uint8_t lastMask = static_cast<uint8_t>(0xFF << (8 - endBits));
  WriteBytes(out, bytes, bitPos >> 3, firstMask, lastMask, first, static_cast<int32_t>(n));
}

void ImageDecoder::WriteBytes(const uint8_t* bytes, uint32_t byteCount, int64_t byteOffset,
                              uint8_t firstMask, uint8_t lastMask, int32_t x, int32_t pixelCount) {
  int32_t last = rowIndex_ + (fillInForce_ ? kFillRows[pass_] : 0);
  for (int32_t r = rowIndex_; r <= last; ++r) {
    if (!RowIsWritten(r)) continue;
    int32_t outRow = firstRow_ + (rowMap_ != nullptr ? rowMap_[r] : r);
    uint8_t* dst = outPixels_ + int64_t{outRow} * outStride_ + byteOffset;
    if (byteCount == 1) {
      uint8_t mask = firstMask & lastMask;
      dst[0] = static_cast<uint8_t>((dst[0] & ~mask) | (bytes[0] & mask));
    } else {
      dst[0] = static_cast<uint8_t>((dst[0] & ~firstMask) | (bytes[0] & firstMask));
      for (uint32_t i = 1; i + 1 < byteCount; ++i) dst[i] = bytes[i];
      uint32_t e = byteCount - 1;
      dst[e] = static_cast<uint8_t>((dst[e] & ~lastMask) | (bytes[e] & lastMask));
    }
    band_.Union(Rect{x, outRow, pixelCount, 1});
    if (band_.height >= kBandRows) ReportBand();
  }
}

void ImageDecoder::ReportBand() {
  if (band_.IsEmpty()) return;
  if (sink_ != nullptr) {
    Rect band = band_;
    sink_->InvalidateScreen(&band, true);
    if (!sink_->IsAutoscrolling()) sink_->Redraw();
  }
  band_ = Rect{};
}

bool ImageDecoder::AdvanceGifRow() {
  if (!interlaced_) return ++rowIndex_ < height_;
  rowIndex_ += kPassStep[pass_];
  while (rowIndex_ >= height_) {
    if (pass_ == 3) return false;
    ++pass_;
    rowIndex_ = kPassStart[pass_];
    ReportBand();
  }
  return true;
}
