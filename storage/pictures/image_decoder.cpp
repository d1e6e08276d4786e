// ImageDecoder set-up: reset, loading through the two parsers, the output,
// scale, clip and option settings, and the palette as callers see it.
#include "storage/pictures/image_decoder.h"

#include <cstdint>

namespace {

int32_t ClampToInt32(int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

}  // namespace

ImageDecoder::ImageDecoder() { Reset(); }

ImageDecoder::ImageDecoder(const uint8_t* data, uint32_t length) { Load(data, length, false); }

ImageDecoder::~ImageDecoder() { FreeWorkingMemory(); }

void ImageDecoder::Reset() {
  FreeWorkingMemory();
  kind_ = kImageKindNone;
  data_ = nullptr;
  length_ = 0;
  transparentIndex_ = -1;
  paletteCount_ = 0;
  palette_ = nullptr;
  pixelData_ = nullptr;
  programData_ = nullptr;
  programLength_ = 0;
  programFollowing_ = 0;
  loaded_ = false;
  gifImageSeen_ = false;
  interlaced_ = false;
  topDown_ = false;
  lzwMinCodeSize_ = 0;
  width_ = 0;
  height_ = 0;
  pixelCount_ = 0;
  compression_ = kBmpCompressionNone;
  sourceBits_ = 0;

  outWidth_ = 0;
  outHeight_ = 0;
  outDepth_ = 0;
  outStride_ = 0;
  outPixels_ = nullptr;
  callback_ = nullptr;
  callbackContext_ = nullptr;
  direct_ = false;
  outputValid_ = false;

  optInterlaceFill_ = true;
  optBitAlignment_ = true;
  optTransparency_ = true;
  optPaletteTranslation_ = true;
  optFifth_ = true;

  xNumerator_ = xDenominator_ = yNumerator_ = yDenominator_ = 1;
  clipLeft_ = 0;
  clipTop_ = 0;
  clipRight_ = 0x7FFF;
  clipBottom_ = 0x7FFF;

  firstColumn_ = firstRow_ = rowIndex_ = 0;
  pass_ = 0;
  fillInForce_ = false;
  transparencyInForce_ = false;
  band_ = Rect{};
  sink_ = nullptr;
}

bool ImageDecoder::Load(const uint8_t* data, uint32_t length, bool stopAtImage) {
  Reset();
  if (data == nullptr) length = 0;
  data_ = data;
  length_ = length;
  loaded_ = ParseGif(stopAtImage) || ParseBmp();
  if (!loaded_ && !gifImageSeen_) {
    // Nothing usable: forget what a parser noted before it refused.
    Reset();
    data_ = data;
    length_ = length;
  }
  return loaded_;
}

bool ImageDecoder::IsDecodable() const {
  return (loaded_ || gifImageSeen_) && pixelData_ != nullptr && palette_ != nullptr &&
         paletteCount_ >= 1 && paletteCount_ <= 256;
}

int ImageDecoder::SetScale(int32_t xNumerator, int32_t xDenominator, int32_t yNumerator,
                           int32_t yDenominator) {
  if (xDenominator == 0 || yDenominator == 0) return kImageFailed;
  if (xDenominator < xNumerator || yDenominator < yNumerator) return kImageFailed;
  // Negative ratios would run the downscaling accumulators away.
  if (xNumerator < 0 || yNumerator < 0) return kImageFailed;
  xNumerator_ = xNumerator;
  xDenominator_ = xDenominator;
  yNumerator_ = yNumerator;
  yDenominator_ = yDenominator;
  return kImageOk;
}

void ImageDecoder::SetClip(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  clipLeft_ = left;
  clipTop_ = top;
  clipRight_ = right;
  clipBottom_ = bottom;
}

void ImageDecoder::SetOptions(bool interlaceFill, bool bitAlignment, bool transparency,
                              bool paletteTranslation, bool fifth) {
  optInterlaceFill_ = interlaceFill;
  optBitAlignment_ = bitAlignment;
  optTransparency_ = transparency;
  optPaletteTranslation_ = paletteTranslation;
  optFifth_ = fifth;
}

int ImageDecoder::SetOutput(uint16_t width, uint16_t height, uint8_t depth, uint8_t* pixels,
                            int32_t stride, ImageRowCallback callback, void* context, bool direct) {
  outWidth_ = width;
  outHeight_ = height;
  outDepth_ = depth;
  outPixels_ = pixels;
  callback_ = callback;
  callbackContext_ = context;
  direct_ = direct;
  uint32_t computed = 0;
  switch (depth) {
    case 1: computed = (width + 7u) / 8u; break;
    case 2: computed = (width + 3u) / 4u; break;
    case 4: computed = (width + 1u) / 2u; break;
    case 8: computed = width; break;
    case 16: computed = 2u * width; break;
    default: break;
  }
  outStride_ = stride > 0 ? static_cast<uint32_t>(stride) : computed;
  bool packed = depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
  outputValid_ = packed && (pixels != nullptr || callback != nullptr || direct);
  return outputValid_ ? kImageOk : kImageFailed;
}

void ImageDecoder::PaletteColour(uint32_t i, uint8_t* red, uint8_t* green, uint8_t* blue) const {
  if (kind_ == kImageKindGif) {
    const uint8_t* e = palette_ + 3 * i;
    *red = e[0];
    *green = e[1];
    *blue = e[2];
  } else {
    const uint8_t* e = palette_ + 4 * i;
    *blue = e[0];
    *green = e[1];
    *red = e[2];
  }
}

uint32_t ImageDecoder::GetPalette32(uint8_t* out) const {
  if (kind_ == kImageKindNone || palette_ == nullptr || paletteCount_ == 0 || paletteCount_ > 256 ||
      out == nullptr)
    return 0;
  for (uint32_t i = 0; i < paletteCount_; ++i) {
    uint8_t r, g, b;
    PaletteColour(i, &r, &g, &b);
    out[4 * i] = b;
    out[4 * i + 1] = g;
    out[4 * i + 2] = r;
    out[4 * i + 3] = 0;
  }
  return paletteCount_;
}

void ImageDecoder::SetScaleAndClip(const Rect& target, const Rect& clip) {
  if (kind_ == kImageKindGif) SetScale(target.width, width_, target.height, height_);
  SetClip(clip.x, clip.y, ClampToInt32(clip.Right()), ClampToInt32(clip.Bottom()));
}
