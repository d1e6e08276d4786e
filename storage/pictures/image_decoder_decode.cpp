// Decode: what is in force for this decoding (interlace fill, transparency,
// the clamped clip), the downscaling maps, the palette translation table and
// the working rows; then the pixel decoder of the picture's kind, the last
// band reported, and the working memory freed.
#include <cstring>

#include "platform/memory/allocator.h"
#include "storage/pictures/image_decoder.h"

namespace {

// Bytes of the packed output row for an output width: room for the pixels
// of the widest run plus the bits a first pixel may be shifted by.
uint32_t PackedRowBytes(uint8_t depth, uint32_t width) {
  switch (depth) {
    case 1: return width / 8 + 6;
    case 2: return width / 4 + 7;
    case 4: return width / 2 + 9;
    case 8: return width + 13;
    default: return 2 * width + 25;
  }
}

// Maps `count` source positions to output positions for the ratio
// numerator / denominator (< 1): the accumulator starts at half the
// denominator and gains the numerator per source position; a position whose
// sum stays below the denominator is dropped (-1).
int32_t* BuildMap(uint32_t count, int32_t numerator, int32_t denominator) {
  auto* map = static_cast<int32_t*>(DeviceAlloc(sizeof(int32_t) * (count ? count : 1)));
  if (map == nullptr) return nullptr;
  int64_t sum = denominator / 2;
  int32_t next = 0;
  for (uint32_t i = 0; i < count; ++i) {
    sum += numerator;
    if (sum < denominator) {
      map[i] = -1;
    } else {
      map[i] = next++;
      sum -= denominator;
    }
  }
  return map;
}

}  // namespace

void ImageDecoder::FreeWorkingMemory() {
  DeviceFree(paletteMap_);
  DeviceFree(rowMap_);
  DeviceFree(columnMap_);
  DeviceFree(indexRow_);
  DeviceFree(packedRow_);
  paletteMap_ = nullptr;
  rowMap_ = nullptr;
  columnMap_ = nullptr;
  indexRow_ = nullptr;
  packedRow_ = nullptr;
}

bool ImageDecoder::ClampClip() {
  drawLeft_ = clipLeft_ < 0 ? 0 : clipLeft_;
  drawTop_ = clipTop_ < 0 ? 0 : clipTop_;
  drawRight_ = clipRight_ > outWidth_ ? outWidth_ : clipRight_;
  drawBottom_ = clipBottom_ > outHeight_ ? outHeight_ : clipBottom_;
  if (drawRight_ < 0 || drawBottom_ < 0) return false;
  if (drawLeft_ >= drawRight_ || drawLeft_ >= outWidth_) return false;
  if (drawTop_ >= drawBottom_ || drawTop_ >= outHeight_) return false;
  return true;
}

bool ImageDecoder::BuildScaleMaps() {
  if (yNumerator_ < yDenominator_) {
    rowMap_ = BuildMap(height_, yNumerator_, yDenominator_);
    if (rowMap_ == nullptr) return false;
  }
  if (xNumerator_ < xDenominator_) {
    columnMap_ = BuildMap(width_, xNumerator_, xDenominator_);
    if (columnMap_ == nullptr) return false;
  }
  return true;
}

bool ImageDecoder::BuildPaletteMap() {
  if (outDepth_ == 8) return true;
  uint32_t bytes = outDepth_ == 16 ? 512 : 256;
  paletteMap_ = static_cast<uint8_t*>(DeviceAllocZeroed(bytes));
  if (paletteMap_ == nullptr) return false;
  uint32_t count = paletteCount_ < 256 ? paletteCount_ : 256;
  for (uint32_t i = 0; i < count; ++i) {
    uint8_t r, g, b;
    PaletteColour(i, &r, &g, &b);
    if (outDepth_ == 16) {
      // RGB 5-6-5 with its high byte first, as the 16-bit bitmaps expect.
      uint16_t rgb = static_cast<uint16_t>(((r >> 3) << 11) | ((g & 0xFC) << 3) | (b >> 3));
      paletteMap_[2 * i] = static_cast<uint8_t>(rgb >> 8);
      paletteMap_[2 * i + 1] = static_cast<uint8_t>(rgb);
    } else {
      // Grey level in `depth` bits: (r + 2g + b) spans 10 bits.
      paletteMap_[i] = static_cast<uint8_t>((r + 2 * g + b) >> (10 - outDepth_));
    }
  }
  return true;
}

int ImageDecoder::Decode(int32_t firstColumn, int32_t firstRow) {
  if (!IsDecodable() || !outputValid_) return kImageFailed;
  FreeWorkingMemory();
  firstColumn_ = firstColumn;
  firstRow_ = firstRow;
  rowIndex_ = 0;
  pass_ = 0;
  band_ = Rect{};
  // The fill copies a row of an early pass into the rows of later passes
  // below it; it means something only for an interlaced GIF (a picture whose
  // rows come in order, or bottom-up, would have its own rows overwritten).
  fillInForce_ = optInterlaceFill_ && kind_ == kImageKindGif && interlaced_;
  transparencyInForce_ = transparentIndex_ >= 0 && optTransparency_;
  if (transparencyInForce_) fillInForce_ = false;

  if (!ClampClip()) return kImageOk;  // nothing of the output is visible
  BeforeDecode();

  int result = kImageFailed;
  bool prepared = BuildScaleMaps() && (!optPaletteTranslation_ || BuildPaletteMap());
  if (prepared) {
    indexRow_ = static_cast<uint8_t*>(DeviceAllocZeroed(uint32_t{width_} + 13));
    prepared = indexRow_ != nullptr;
  }
  if (prepared && (transparencyInForce_ || outDepth_ == 16)) {
    packedRow_ = static_cast<uint8_t*>(DeviceAlloc(PackedRowBytes(outDepth_, outWidth_)));
    if (packedRow_ == nullptr) {
      if (outDepth_ == 16) prepared = false;
      transparencyInForce_ = false;
    }
  }
  if (prepared) {
    if (kind_ == kImageKindGif) {
      result = DecodeGifPixels();
    } else if (compression_ == kBmpCompressionNone) {
      result = DecodeBmpPixels();
    } else {
      result = DecodeBmpRle();
    }
    ReportBand();
  }
  FreeWorkingMemory();
  return result;
}
