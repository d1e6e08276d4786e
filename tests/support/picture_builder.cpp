// Builders of GIF and BMP pictures (see picture_builder.h).
#include "tests/support/picture_builder.h"

#include <map>
#include <utility>

#include "foundation/streams/byte_order.h"

namespace picture {

namespace {

// Little-endian words appended to the picture.
void Put16(Bytes& out, uint32_t v) {
  out.resize(out.size() + 2);
  StoreU16LE(out.data() + out.size() - 2, v);
}

void Put32(Bytes& out, uint32_t v) {
  out.resize(out.size() + 4);
  StoreU32LE(out.data() + out.size() - 4, v);
}

// The packed-byte size field of a colour table of `count` entries.
uint8_t TableSizeField(size_t count) {
  uint8_t field = 0;
  while ((2u << field) < count && field < 7) ++field;
  return field;
}

}  // namespace

void LzwCodeWriter::Put(uint32_t code, uint32_t bits) {
  acc_ |= code << accBits_;
  accBits_ += bits;
  while (accBits_ >= 8) {
    bytes_.push_back(static_cast<uint8_t>(acc_));
    acc_ >>= 8;
    accBits_ -= 8;
  }
}

Bytes LzwCodeWriter::Finish() const {
  Bytes out = bytes_;
  if (accBits_ > 0) out.push_back(static_cast<uint8_t>(acc_));
  return out;
}

Bytes LzwEncode(const Bytes& indices, uint8_t minCodeSize, uint32_t clearAt) {
  const uint32_t clear = 1u << minCodeSize;
  const uint32_t end = clear + 1;
  const uint32_t limit = clearAt < 4096 ? clearAt : 4096;
  const bool clearWhenFull = clearAt <= 4096;
  LzwCodeWriter w;
  std::map<std::pair<uint32_t, uint8_t>, uint32_t> dict;
  uint32_t codeSize = minCodeSize + 1u;
  uint32_t nextFree = clear + 2;
  w.Put(clear, codeSize);
  if (indices.empty()) {
    w.Put(end, codeSize);
    return w.Finish();
  }
  uint32_t current = indices[0];
  for (size_t i = 1; i < indices.size(); ++i) {
    uint8_t k = indices[i];
    auto found = dict.find({current, k});
    if (found != dict.end()) {
      current = found->second;
      continue;
    }
    w.Put(current, codeSize);
    if (nextFree < limit) {
      dict[{current, k}] = nextFree++;
      if (nextFree == (1u << codeSize) + 1 && codeSize < 12) ++codeSize;
    } else if (clearWhenFull) {
      w.Put(clear, codeSize);
      dict.clear();
      codeSize = minCodeSize + 1u;
      nextFree = clear + 2;
    }
    current = k;
  }
  w.Put(current, codeSize);
  if (nextFree == (1u << codeSize) && codeSize < 12) ++codeSize;
  w.Put(end, codeSize);
  return w.Finish();
}

Bytes SubBlocks(const Bytes& data, size_t blockSize) {
  Bytes out;
  for (size_t at = 0; at < data.size(); at += blockSize) {
    size_t n = data.size() - at < blockSize ? data.size() - at : blockSize;
    out.push_back(static_cast<uint8_t>(n));
    out.insert(out.end(), data.begin() + static_cast<long>(at), data.begin() + static_cast<long>(at + n));
  }
  out.push_back(0);
  return out;
}

Bytes InterlaceRows(const Bytes& indices, uint16_t width, uint16_t height) {
  Bytes out;
  const int start[4] = {0, 4, 2, 1};
  const int step[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int r = start[pass]; r < height; r += step[pass])
      out.insert(out.end(), indices.begin() + static_cast<long>(r) * width,
                 indices.begin() + static_cast<long>(r + 1) * width);
  return out;
}

Bytes GifHeader(uint16_t width, uint16_t height, const Bytes& globalTable, bool gif89) {
  Bytes out = {'G', 'I', 'F', '8', static_cast<uint8_t>(gif89 ? '9' : '7'), 'a'};
  Put16(out, width);
  Put16(out, height);
  size_t count = globalTable.size() / 3;
  out.push_back(count ? static_cast<uint8_t>(0x80 | 0x70 | TableSizeField(count)) : 0);
  out.push_back(0);  // background
  out.push_back(0);  // aspect
  out.insert(out.end(), globalTable.begin(), globalTable.end());
  return out;
}

void AppendGraphicControl(Bytes& out, int transparentIndex) {
  Bytes block = {0x21, 0xF9, 4, static_cast<uint8_t>(transparentIndex >= 0 ? 1 : 0), 0, 0,
                 static_cast<uint8_t>(transparentIndex >= 0 ? transparentIndex : 0), 0};
  out.insert(out.end(), block.begin(), block.end());
}

void AppendApplication(Bytes& out, const std::string& identifier, const Bytes& data) {
  out.push_back(0x21);
  out.push_back(0xFF);
  out.push_back(static_cast<uint8_t>(identifier.size()));
  out.insert(out.end(), identifier.begin(), identifier.end());
  Bytes blocks = SubBlocks(data);
  out.insert(out.end(), blocks.begin(), blocks.end());
}

void AppendComment(Bytes& out, const std::string& text) {
  out.push_back(0x21);
  out.push_back(0xFE);
  Bytes blocks = SubBlocks(Bytes(text.begin(), text.end()));
  out.insert(out.end(), blocks.begin(), blocks.end());
}

void AppendImage(Bytes& out, const GifImage& image) {
  out.push_back(0x2C);
  Put16(out, image.left);
  Put16(out, image.top);
  Put16(out, image.width);
  Put16(out, image.height);
  size_t count = image.localTable.size() / 3;
  uint8_t packed = image.interlaced ? 0x40 : 0;
  if (count) packed |= static_cast<uint8_t>(0x80 | TableSizeField(count));
  out.push_back(packed);
  out.insert(out.end(), image.localTable.begin(), image.localTable.end());
  out.push_back(image.minCodeSize);
  Bytes codes = image.codeStream;
  if (codes.empty()) {
    Bytes stored = image.interlaced ? InterlaceRows(image.indices, image.width, image.height) : image.indices;
    codes = LzwEncode(stored, image.minCodeSize);
  }
  Bytes blocks = SubBlocks(codes, image.blockSize);
  out.insert(out.end(), blocks.begin(), blocks.end());
}

void AppendTrailer(Bytes& out) { out.push_back(0x3B); }

Bytes SimpleGif(const GifImage& image, const Bytes& globalTable, int transparentIndex) {
  Bytes out = GifHeader(image.width, image.height, globalTable);
  if (transparentIndex >= 0) AppendGraphicControl(out, transparentIndex);
  AppendImage(out, image);
  AppendTrailer(out);
  return out;
}

Bytes BuildBmp(const BmpFileFields& spec) {
  Bytes header;
  // The header's bytes: its size field, unless that is below 40 or absurd.
  uint32_t infoBytes = spec.headerSize < 40 || spec.headerSize > 1024 ? 40 : spec.headerSize;
  uint32_t pixelOffset = 14 + infoBytes + static_cast<uint32_t>(spec.palette.size());
  uint32_t fileSize = pixelOffset + static_cast<uint32_t>(spec.pixels.size());
  header = {'B', 'M'};
  Put32(header, fileSize);
  Put32(header, 0);
  Put32(header, pixelOffset);
  Put32(header, spec.headerSize);
  Put32(header, static_cast<uint32_t>(spec.width));
  Put32(header, static_cast<uint32_t>(spec.height));
  Put16(header, spec.planes);
  Put16(header, spec.bits);
  Put32(header, spec.compression);
  Put32(header, static_cast<uint32_t>(spec.pixels.size()));
  Put32(header, 2835);
  Put32(header, 2835);
  Put32(header, spec.coloursUsed);
  Put32(header, 0);
  header.resize(14 + infoBytes, 0);
  header.insert(header.end(), spec.palette.begin(), spec.palette.end());
  header.insert(header.end(), spec.pixels.begin(), spec.pixels.end());
  return header;
}

Bytes BmpPixelArray(const Bytes& indices, int32_t width, int32_t height, uint16_t bits, bool topDown) {
  size_t rowBytes = (static_cast<size_t>(width) * bits + 7) / 8;
  size_t stride = (rowBytes + 3) & ~size_t{3};
  Bytes out(stride * static_cast<size_t>(height), 0);
  for (int32_t r = 0; r < height; ++r) {
    int32_t stored = topDown ? r : height - 1 - r;
    uint8_t* row = out.data() + stride * static_cast<size_t>(stored);
    for (int32_t x = 0; x < width; ++x) {
      uint32_t v = indices[static_cast<size_t>(r) * width + x] & ((1u << bits) - 1);
      size_t bit = static_cast<size_t>(x) * bits;
      row[bit / 8] |= static_cast<uint8_t>(v << (8 - bits - bit % 8));
    }
  }
  return out;
}

RleWriter& RleWriter::Run(uint8_t count, uint8_t value) {
  bytes_.push_back(count);
  bytes_.push_back(value);
  return *this;
}

RleWriter& RleWriter::Literal(const Bytes& pixels) {
  bytes_.push_back(0);
  bytes_.push_back(static_cast<uint8_t>(pixels.size()));
  size_t start = bytes_.size();
  if (rle4_) {
    for (size_t i = 0; i < pixels.size(); i += 2) {
      uint8_t hi = pixels[i] & 15;
      uint8_t lo = i + 1 < pixels.size() ? pixels[i + 1] & 15 : 0;
      bytes_.push_back(static_cast<uint8_t>(hi << 4 | lo));
    }
  } else {
    bytes_.insert(bytes_.end(), pixels.begin(), pixels.end());
  }
  if ((bytes_.size() - start) & 1) bytes_.push_back(0);
  return *this;
}

RleWriter& RleWriter::EndOfRow() { return Run(0, 0); }
RleWriter& RleWriter::EndOfPicture() { return Run(0, 1); }

RleWriter& RleWriter::Delta(uint8_t dx, uint8_t dy) {
  Run(0, 2);
  bytes_.push_back(dx);
  bytes_.push_back(dy);
  return *this;
}

RleWriter& RleWriter::Raw(const Bytes& bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

Bytes RleEncode(const Bytes& indices, int32_t width, int32_t height, bool rle4, bool topDown) {
  RleWriter w(rle4);
  for (int32_t i = 0; i < height; ++i) {
    int32_t r = topDown ? i : height - 1 - i;
    const uint8_t* row = indices.data() + static_cast<size_t>(r) * width;
    int32_t x = 0;
    while (x < width) {
      // A run: RLE8 repeats one value, RLE4 repeats a pair of nibbles.
      int32_t run = 1;
      while (x + run < width && run < 255) {
        uint8_t expect = rle4 ? row[x + (run & 1)] : row[x];
        if (row[x + run] != expect) break;
        ++run;
      }
      if (run >= 3 || width - x < 3) {
        uint8_t value = rle4 ? static_cast<uint8_t>((row[x] & 15) << 4 | (run > 1 ? row[x + 1] & 15 : 0))
                             : row[x];
        w.Run(static_cast<uint8_t>(run), value);
        x += run;
        continue;
      }
      // A literal up to the next three equal pixels (at least 3 pixels).
      int32_t n = 3;
      while (x + n < width && n < 255) {
        if (x + n + 2 < width && row[x + n] == row[x + n + 1] && row[x + n] == row[x + n + 2]) break;
        ++n;
      }
      // RLE4 literals are kept to even lengths: some readers mishandle the
      // padding of odd ones (the decoder's own tests cover those).
      if (rle4 && (n & 1)) {
        if (n > 3) {
          --n;
        } else if (x + 4 <= width) {
          n = 4;
        } else {
          w.Run(2, static_cast<uint8_t>((row[x] & 15) << 4 | (row[x + 1] & 15)));
          x += 2;
          continue;
        }
      }
      w.Literal(Bytes(row + x, row + x + n));
      x += n;
    }
    if (i + 1 < height) w.EndOfRow();
  }
  w.EndOfPicture();
  return w.bytes();
}

Bytes PatternIndices(uint32_t width, uint32_t height, uint32_t colours, uint32_t seed) {
  Bytes out;
  out.reserve(size_t{width} * height);
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x)
      out.push_back(static_cast<uint8_t>(((x + 2 * y) / 3 + seed * (x ^ y)) % colours));
  return out;
}

Bytes TestPaletteQuads(uint32_t count) {
  Bytes out;
  for (uint32_t i = 0; i < count; ++i) {
    out.push_back(static_cast<uint8_t>(i * 53 + 7));   // blue
    out.push_back(static_cast<uint8_t>(i * 91 + 3));   // green
    out.push_back(static_cast<uint8_t>(i * 37 + 11));  // red
    out.push_back(0);
  }
  return out;
}

Bytes TestPaletteTriples(uint32_t count) {
  Bytes out;
  for (uint32_t i = 0; i < count; ++i) {
    out.push_back(static_cast<uint8_t>(i * 37 + 11));  // red
    out.push_back(static_cast<uint8_t>(i * 91 + 3));   // green
    out.push_back(static_cast<uint8_t>(i * 53 + 7));   // blue
  }
  return out;
}

Bytes RandomIndices(uint32_t width, uint32_t height, uint32_t colours, uint32_t seed) {
  Bytes out;
  out.reserve(size_t{width} * height);
  for (size_t i = 0; i < size_t{width} * height; ++i) {
    seed = seed * 1664525u + 1013904223u;
    out.push_back(static_cast<uint8_t>((seed >> 24) % colours));
  }
  return out;
}

}  // namespace picture
