// Builders of GIF and BMP pictures for the decoder's tests and fuzz seeds:
// every header field, colour table, extension and code under the test's
// control, so the forms that no converter writes (RLE4, deltas, transparent
// runs, odd LZW streams, broken headers) can be made byte for byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace picture {

using Bytes = std::vector<uint8_t>;

// ---- GIF ----

// Writes LZW codes of chosen widths, least significant bit first.
class LzwCodeWriter {
 public:
  void Put(uint32_t code, uint32_t bits);
  // The bytes so far, the last one padded with zero bits.
  Bytes Finish() const;

 private:
  Bytes bytes_;
  uint32_t acc_ = 0;
  uint32_t accBits_ = 0;
};

// GIF LZW of the indices with a clear code first and an end code last; the
// table is cleared when it reaches 4096 entries (clearAt lowers that point).
Bytes LzwEncode(const Bytes& indices, uint8_t minCodeSize, uint32_t clearAt = 4096);
// Chops data into sub-blocks of at most blockSize bytes plus the
// zero-length terminator.
Bytes SubBlocks(const Bytes& data, size_t blockSize = 255);
// The rows of a w x h picture in interlaced storage order.
Bytes InterlaceRows(const Bytes& indices, uint16_t width, uint16_t height);

// Header (signature, logical screen, global colour table of RGB triples
// whose count is a power of two from 2 to 256; empty: none).
Bytes GifHeader(uint16_t width, uint16_t height, const Bytes& globalTable, bool gif89 = true);
// Graphic control extension; transparentIndex -1 for none.
void AppendGraphicControl(Bytes& out, int transparentIndex);
// Application extension: an identifier block (the 11 given bytes) and the
// data in sub-blocks.
void AppendApplication(Bytes& out, const std::string& identifier, const Bytes& data);
// Comment extension.
void AppendComment(Bytes& out, const std::string& text);

struct GifImage {
  uint16_t width = 0;
  uint16_t height = 0;
  Bytes indices;            // top row first, row by row
  uint8_t minCodeSize = 8;
  bool interlaced = false;  // the rows are stored in interlace order
  Bytes localTable;         // RGB triples, power-of-two count; empty: none
  Bytes codeStream;         // when not empty: these LZW bytes instead of encoding the indices
  size_t blockSize = 255;
  uint16_t left = 0;
  uint16_t top = 0;
};
void AppendImage(Bytes& out, const GifImage& image);
void AppendTrailer(Bytes& out);

// A whole single-image GIF.
Bytes SimpleGif(const GifImage& image, const Bytes& globalTable, int transparentIndex = -1);

// ---- BMP ----

struct BmpFileFields {
  int32_t width = 0;
  int32_t height = 0;  // negative: rows stored top-down
  uint16_t bits = 8;
  uint32_t compression = 0;  // 0 none, 1 RLE8, 2 RLE4
  uint16_t planes = 1;       // the decoder reads n >= 2 as transparent index n - 2
  uint32_t coloursUsed = 0;
  uint32_t headerSize = 40;
  Bytes palette;   // blue, green, red, reserved quads
  Bytes pixels;    // the pixel array as stored
};
Bytes BuildBmp(const BmpFileFields& spec);
// The uncompressed pixel array of the indices (top row first) in the
// stored order, each row padded to 4 bytes.
Bytes BmpPixelArray(const Bytes& indices, int32_t width, int32_t height, uint16_t bits, bool topDown);

// Run-length codes of RLE8 and RLE4, written one by one.
class RleWriter {
 public:
  explicit RleWriter(bool rle4) : rle4_(rle4) {}
  // An encoded run: count pixels of value (RLE4: nibbles alternate).
  RleWriter& Run(uint8_t count, uint8_t value);
  // A literal run of pixels (at least 3), padded to 2 bytes.
  RleWriter& Literal(const Bytes& pixels);
  RleWriter& EndOfRow();
  RleWriter& EndOfPicture();
  RleWriter& Delta(uint8_t dx, uint8_t dy);
  RleWriter& Raw(const Bytes& bytes);
  const Bytes& bytes() const { return bytes_; }

 private:
  bool rle4_;
  Bytes bytes_;
};

// Encodes the indices (top row first) as RLE8 or RLE4 rows stored
// bottom-up (top-down when topDown), with runs, literals and an end code.
Bytes RleEncode(const Bytes& indices, int32_t width, int32_t height, bool rle4, bool topDown = false);

// Indices of a width x height picture: a pattern of diagonal bands over
// `colours` values, varied by `seed`.
Bytes PatternIndices(uint32_t width, uint32_t height, uint32_t colours, uint32_t seed = 0);

// A palette of `count` distinct colours (as BMP quads or GIF triples).
Bytes TestPaletteQuads(uint32_t count);
Bytes TestPaletteTriples(uint32_t count);

// Indices of a width x height picture of noise in `colours` colours (at
// most 256): the top byte of a linear congruential generator (1664525,
// 1013904223) started at `seed`, modulo colours. Nearly every few pixels
// make a new LZW code, so such a picture fills a code table early.
Bytes RandomIndices(uint32_t width, uint32_t height, uint32_t colours, uint32_t seed);

}  // namespace picture
