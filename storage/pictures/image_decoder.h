// ImageDecoder: GIF (87a/89a) and Windows BMP pictures held whole in memory,
// parsed from a byte block and decoded row by row into an output of 1, 2, 4,
// 8 or 16 bits per pixel: into a caller's pixel buffer (with clipping,
// downscaling, transparency and the progressive fill of interlaced GIFs)
// and/or to a row callback that receives the palette indices.
//
// Pictures come from books and files, so every field is untrusted: the
// parsers check each length, offset and count against the data before the
// picture is accepted, and the pixel decoders stop at the end of the data,
// at the last row of the picture and at the edges of the output; nothing is
// ever written outside the output rectangle given to SetOutput.
//
// Results of SetScale, SetOutput and Decode: kImageOk (0) or kImageFailed (1).
// Decoding memory (one row of indices, one packed row, the downscaling maps,
// the palette table and the LZW code table) lives only during Decode.
//
// Pieces: image_decoder.cpp (set-up, palette), gif_parser.cpp,
// bmp_parser.cpp, image_decoder_decode.cpp (Decode's preparation),
// image_decoder_emit.cpp (rows to the output), gif_lzw_decoder.cpp,
// bmp_pixel_decoder.cpp.
#pragma once

#include <cstdint>

#include "foundation/geometry/rect.h"

class ImageDecoderSink;

constexpr int kImageOk = 0;
constexpr int kImageFailed = 1;

// Picture kinds.
constexpr uint8_t kImageKindNone = 0;
constexpr uint8_t kImageKindGif = 1;
constexpr uint8_t kImageKindBmp = 2;

// BMP compressions.
constexpr uint8_t kBmpCompressionNone = 0;
constexpr uint8_t kBmpCompressionRle8 = 1;
constexpr uint8_t kBmpCompressionRle4 = 2;

// Receives each decoded row (or, for run-length BMPs, each segment of a row)
// as palette indices: `count` indices of image columns firstColumn.. of the
// image row `row` (counted from the first output row), with the palette
// translation table of the output depth (null when there is none).
using ImageRowCallback = void (*)(void* context, const uint8_t* indices, uint32_t count,
                                  uint32_t firstColumn, int32_t row, const uint8_t* table);

class ImageDecoder {
 public:
  // Only resets: no picture.
  ImageDecoder();
  // Loads the picture (see Load); IsDecodable tells whether that worked.
  ImageDecoder(const uint8_t* data, uint32_t length);
  virtual ~ImageDecoder();
  ImageDecoder(const ImageDecoder&) = delete;
  ImageDecoder& operator=(const ImageDecoder&) = delete;

  // Back to the defaults: no picture, options all on, scale 1/1, clip
  // (0, 0, 0x7FFF, 0x7FFF), no output, no sink.
  void Reset();
  // Resets, keeps the bytes (not copied: they must outlive the decoder) and
  // tries the GIF parser, then the BMP parser. True when one accepted the
  // whole data. A GIF whose first image was read before a later part of the
  // file proved broken answers false but stays decodable (IsDecodable), so a
  // truncated GIF still shows what it holds. stopAtImage ends the GIF walk
  // at the first image.
  bool Load(const uint8_t* data, uint32_t length, bool stopAtImage = false);
  // Loaded (or a GIF image seen), with pixel data and 1 to 256 palette
  // entries.
  bool IsDecodable() const;

  // Reduction ratios; refused (kImageFailed) for a zero denominator, a
  // denominator below its numerator (pictures are never enlarged) or a
  // negative numerator.
  int SetScale(int32_t xNumerator, int32_t xDenominator, int32_t yNumerator, int32_t yDenominator);
  // Output coordinates; right and bottom exclusive.
  void SetClip(int32_t left, int32_t top, int32_t right, int32_t bottom);
  // The fifth flag is kept but not consulted by the decoding.
  void SetOptions(bool interlaceFill, bool bitAlignment, bool transparency, bool paletteTranslation,
                  bool fifth);
  // The output: width x height pixels of `depth` bits (1, 2, 4, 8, 16) at
  // `pixels` with `stride` bytes per row (0: computed from the width without
  // rounding), and/or the row callback. `direct` writes the indices without
  // palette translation. kImageFailed (and no valid output) for another
  // depth or when there is neither a buffer, nor a callback, nor `direct`.
  int SetOutput(uint16_t width, uint16_t height, uint8_t depth, uint8_t* pixels, int32_t stride,
                ImageRowCallback callback, void* context, bool direct);
  // Decodes the picture with its top-left corner at the given output
  // position. kImageFailed when nothing is configured, memory is short, or
  // the pixel data is corrupt or ends early; the rows written so far stay.
  int Decode(int32_t firstColumn, int32_t firstRow);

  // Writes PaletteCount() entries of 4 bytes (blue, green, red, 0) and
  // answers their number; nothing when the palette is not usable (0 or more
  // than 256 entries).
  uint32_t GetPalette32(uint8_t* out) const;
  // For a GIF, scale = target size over picture size (refused when it would
  // enlarge); then clip = the clip rectangle.
  void SetScaleAndClip(const Rect& target, const Rect& clip);
  // Where bands of written rows are reported (null: nowhere). Load and
  // Reset clear it, so it is set after loading.
  void SetDisplaySink(ImageDecoderSink* sink) { sink_ = sink; }

  uint8_t Kind() const { return kind_; }
  bool IsLoaded() const { return loaded_; }
  uint16_t Width() const { return width_; }
  uint16_t Height() const { return height_; }
  uint32_t PixelCount() const { return pixelCount_; }
  int32_t TransparentIndex() const { return transparentIndex_; }
  uint32_t PaletteCount() const { return paletteCount_; }
  bool IsInterlaced() const { return interlaced_; }
  bool IsTopDown() const { return topDown_; }
  uint8_t Compression() const { return compression_; }
  uint8_t SourceBitsPerPixel() const { return sourceBits_; }
  uint8_t LzwMinimumCodeSize() const { return lzwMinCodeSize_; }
  bool IsOutputValid() const { return outputValid_; }
  uint32_t OutputStride() const { return outStride_; }
  // The data of a GIF's "QVRW" application extension (null when absent),
  // its length byte and the byte that follows the data. Kept for callers;
  // the decoding does not use it.
  const uint8_t* ProgramData() const { return programData_; }
  uint8_t ProgramLength() const { return programLength_; }
  uint8_t ProgramFollowingByte() const { return programFollowing_; }

 protected:
  // Asked after every row; true ends the decoding (kImageFailed).
  virtual bool ShouldAbortAfterRow() { return false; }
  // Called once before the pixels are decoded.
  virtual void BeforeDecode() {}

 private:
  // Parsers (gif_parser.cpp, bmp_parser.cpp).
  bool ParseGif(bool stopAtImage);
  bool ParseBmp();
  bool SkipGifSubBlocks(uint64_t* pos) const;

  // Palette colour i as red, green, blue.
  void PaletteColour(uint32_t i, uint8_t* red, uint8_t* green, uint8_t* blue) const;

  // Decode's preparation and clean-up (image_decoder_decode.cpp).
  bool ClampClip();
  bool BuildScaleMaps();
  bool BuildPaletteMap();
  void FreeWorkingMemory();

  // Pixel decoders; answer kImageOk or kImageFailed.
  int DecodeGifPixels();
  int DecodeBmpPixels();
  int DecodeBmpRle();

  // Output (image_decoder_emit.cpp). The current row's indices are in
  // indexRow_ at their image columns; EmitSegment sends columns
  // [start, start + count) of the image row rowIndex_.
  void EmitSegment(uint32_t start, uint32_t count);
  bool RowIsWritten(int32_t imageRow) const;
  bool AnyRowWritten() const;
  void WriteRun(uint8_t* indices, uint32_t count, int64_t x, uint8_t* scratch);
  void WriteBytes(const uint8_t* bytes, uint32_t byteCount, int64_t byteOffset, uint8_t firstMask,
                  uint8_t lastMask, int32_t x, int32_t pixelCount);
  void ReportBand();
  // Interlaced GIF row order; false when every row has been produced.
  bool AdvanceGifRow();

  // Picture.
  uint8_t kind_ = kImageKindNone;
  const uint8_t* data_ = nullptr;
  uint32_t length_ = 0;
  int32_t transparentIndex_ = -1;
  uint32_t paletteCount_ = 0;
  const uint8_t* palette_ = nullptr;
  const uint8_t* pixelData_ = nullptr;
  const uint8_t* programData_ = nullptr;
  uint8_t programLength_ = 0;
  uint8_t programFollowing_ = 0;
  bool loaded_ = false;
  bool gifImageSeen_ = false;
  bool interlaced_ = false;
  bool topDown_ = false;
  uint8_t lzwMinCodeSize_ = 0;
  uint16_t width_ = 0;
  uint16_t height_ = 0;
  uint32_t pixelCount_ = 0;
  uint8_t compression_ = kBmpCompressionNone;
  uint8_t sourceBits_ = 0;

  // Output.
  uint16_t outWidth_ = 0;
  uint16_t outHeight_ = 0;
  uint8_t outDepth_ = 0;
  uint32_t outStride_ = 0;
  uint8_t* outPixels_ = nullptr;
  ImageRowCallback callback_ = nullptr;
  void* callbackContext_ = nullptr;
  bool direct_ = false;
  bool outputValid_ = false;

  // Options.
  bool optInterlaceFill_ = true;
  bool optBitAlignment_ = true;
  bool optTransparency_ = true;
  bool optPaletteTranslation_ = true;
  bool optFifth_ = true;

  // Scale and clip.
  int32_t xNumerator_ = 1;
  int32_t xDenominator_ = 1;
  int32_t yNumerator_ = 1;
  int32_t yDenominator_ = 1;
  int32_t clipLeft_ = 0;
  int32_t clipTop_ = 0;
  int32_t clipRight_ = 0x7FFF;
  int32_t clipBottom_ = 0x7FFF;

  // Decoding state (valid during Decode only).
  int32_t firstColumn_ = 0;
  int32_t firstRow_ = 0;
  int32_t rowIndex_ = 0;  // image row being produced, top = 0
  int pass_ = 0;          // interlace pass 0-3
  int32_t drawLeft_ = 0, drawTop_ = 0, drawRight_ = 0, drawBottom_ = 0;  // clamped clip
  uint8_t* paletteMap_ = nullptr;  // 256 bytes, or 512 (two bytes each) at depth 16
  int32_t* rowMap_ = nullptr;
  int32_t* columnMap_ = nullptr;
  uint8_t* indexRow_ = nullptr;   // width + 13 indices
  uint8_t* packedRow_ = nullptr;  // packed output pixels, when needed
  bool fillInForce_ = false;
  bool transparencyInForce_ = false;
  Rect band_;
  ImageDecoderSink* sink_ = nullptr;
};
