#include "layout/fonts/bitmap_font_renderer.h"

#include <cstring>

#include "foundation/files/file_mode.h"
#include "storage/container/palm_database.h"
#include "storage/container/record_buffer.h"
#include "storage/container/stream_factory.h"

namespace {

constexpr uint32_t kFaceCountOffset = 328;
constexpr uint32_t kLastPaletteIndexOffset = 333;
constexpr uint32_t kPaletteOffset = 336;

// Face entry fields.
constexpr uint32_t kFaceLineHeight = 64;
constexpr uint32_t kFaceAscent = 65;
constexpr uint32_t kFaceSlant = 66;
constexpr uint32_t kFaceDepth = 67;
constexpr uint32_t kFaceGlyphRecord = 68;
constexpr uint32_t kFaceItalic = 69;
constexpr uint32_t kFaceBold = 70;
constexpr uint32_t kFaceSize = 174;

// Rows are copied in chunks of at most this many pixels.
constexpr int32_t kCopyChunk = 20;

uint16_t ReadU16BE(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }
uint32_t ReadU32BE(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

}  // namespace

int BitmapFontRenderer::Open(const WCHAR* path) {
  Close(false);
  if (path == nullptr) return 1;
  database_ = OpenRecordDatabase(path, kFileModeReadShared, 0, 0, nullptr);
  if (database_ == nullptr) return 1;
  headerRecord_ = database_->LockRecordDefault(0);
  if (headerRecord_ != nullptr) {
    header_ = headerRecord_->GetData();
    headerSize_ = headerRecord_->GetSize();
  }
  if (header_ == nullptr || headerSize_ < kHeaderSize || std::memcmp(header_, "CLFO", 4) != 0) {
    Close(false);
    return 1;
  }
  faceCount_ = ReadU16BE(header_ + kFaceCountOffset);
  if (faceCount_ == 0 || headerSize_ - kHeaderSize < kFaceEntrySize * faceCount_) {
    Close(false);
    return 1;
  }
  lastPaletteIndex_ = header_[kLastPaletteIndexOffset];
  return 0;
}

void BitmapFontRenderer::ReleaseGlyphRecord() {
  if (glyphRecord_ != nullptr) {
    glyphRecord_->EndAccess();
    database_->ReleaseRecord(glyphRecord_, false);
  }
  glyphRecord_ = nullptr;
  glyphData_ = nullptr;
  glyphSize_ = 0;
  face_ = nullptr;
  firstCode_ = 0;
  glyphCount_ = 0;
}

void BitmapFontRenderer::Close(bool keep) {
  if (database_ != nullptr) {
    ReleaseGlyphRecord();
    if (headerRecord_ != nullptr) {
      headerRecord_->EndAccess();
      database_->ReleaseRecord(headerRecord_, false);
    }
    if (!keep) database_->Discard();
    delete database_;
  }
  database_ = nullptr;
  headerRecord_ = nullptr;
  header_ = nullptr;
  headerSize_ = 0;
  faceCount_ = 0;
  lastPaletteIndex_ = 0;
  clipRight_ = 0x7FFF;
  clipBottom_ = 0x7FFF;
}

int BitmapFontRenderer::ChooseFace(uint8_t size, uint8_t italic, uint8_t bold, uint8_t depth) {
  if (header_ == nullptr) return 1;
  int32_t candidate = -1;
  uint32_t bestSize = 0;
  uint32_t bestScore = 0;
  for (uint16_t i = 0; i < faceCount_; ++i) {
    const uint8_t* face = header_ + kHeaderSize + kFaceEntrySize * i;
    uint8_t faceSize = face[kFaceSize];
    if (face[kFaceDepth] != depth || faceSize > size) continue;
    uint32_t score = (face[kFaceItalic] == italic ? 8u : 0u) + (face[kFaceBold] == bold ? 1u : 0u);
    if (faceSize == size && score == 9) {
      candidate = i;
      bestSize = faceSize;
      break;
    }
    // A larger face sets the size and score to beat; a smaller one can
    // still win on slant and weight, the largest size seen staying.
    if (faceSize > bestSize) {
      candidate = i;
      bestSize = faceSize;
      bestScore = score;
    } else if (score > bestScore) {
      candidate = i;
      bestScore = score;
    }
  }
  if (candidate < 0 || bestSize == 0) {
    ReleaseGlyphRecord();
    return 1;
  }
  return SelectFace(static_cast<uint16_t>(candidate));
}

int BitmapFontRenderer::SelectFace(uint16_t index) {
  if (database_ == nullptr) return 1;
  ReleaseGlyphRecord();
  if (index >= faceCount_) return 1;
  const uint8_t* face = header_ + kHeaderSize + kFaceEntrySize * index;
  RecordBuffer* record = database_->LockRecordDefault(face[kFaceGlyphRecord]);
  if (record == nullptr) return 1;
  const uint8_t* data = record->GetData();
  uint32_t size = record->GetSize();
  if (data == nullptr || size < kGlyphTableStart || std::memcmp(data, "GLYT", 4) != 0) {
    database_->ReleaseRecord(record, false);
    return 1;
  }
  // The glyph count is the file's one little-endian number.
  uint16_t count = static_cast<uint16_t>(data[6] | (data[7] << 8));
  if ((size - kGlyphTableStart) / kGlyphEntrySize < count) {
    database_->ReleaseRecord(record, false);
    return 1;
  }
  glyphRecord_ = record;
  glyphData_ = data;
  glyphSize_ = size;
  face_ = face;
  firstCode_ = ReadU16BE(data + 4);
  glyphCount_ = count;
  return 0;
}

void BitmapFontRenderer::GetMetrics(int32_t* lineHeight, int32_t* ascent) const {
  *lineHeight = face_ != nullptr ? face_[kFaceLineHeight] : 0;
  *ascent = face_ != nullptr ? face_[kFaceAscent] : 0;
}

bool BitmapFontRenderer::GlyphFor(WCHAR character, Glyph* out) const {
  if (face_ == nullptr) return false;
  // Codes below the first wrap to large numbers and so have no glyph.
  uint16_t index = static_cast<uint16_t>((character & 0xFF) - firstCode_);
  if (index >= glyphCount_) return false;
  const uint8_t* entry = glyphData_ + kGlyphTableStart + kGlyphEntrySize * index;
  out->offset = ReadU32BE(entry);
  out->width = entry[4];
  out->rows = entry[5];
  out->xOffset = static_cast<int8_t>(entry[6]);
  out->yOffset = static_cast<int8_t>(entry[7]);
  out->leftBearing = static_cast<int8_t>(entry[8]);
  out->advance = entry[9];
  out->rightBearing = static_cast<int8_t>(entry[10]);
  return RecordRangeFits(out->offset, static_cast<uint32_t>(out->width) * out->rows, glyphSize_);
}

void BitmapFontRenderer::MeasureRun(const WCHAR* text, int32_t count, int32_t* leading, int32_t* inner,
                                    int32_t* trailing) const {
  int32_t total = 0;
  int32_t first = 0;
  int32_t last = 0;
  bool seen = false;
  for (int32_t i = 0; i < count; ++i) {
    Glyph g;
    if (!GlyphFor(text[i], &g)) continue;
    total += g.leftBearing + g.advance + g.rightBearing;
    if (!seen) first = g.leftBearing;
    seen = true;
    last = g.rightBearing;
  }
  *leading = first;
  *trailing = last;
  *inner = total - first - last;
}

int32_t BitmapFontRenderer::RunWidth(const WCHAR* text, int32_t count) const {
  int32_t leading = 0, inner = 0, trailing = 0;
  MeasureRun(text, count, &leading, &inner, &trailing);
  return leading + inner + trailing;
}

void BitmapFontRenderer::SetTarget(uint8_t* buffer, int32_t stride, int32_t width, int32_t height, uint8_t depth) {
  target_ = buffer;
  stride_ = stride;
  width_ = width;
  height_ = height;
  depth_ = depth;
  clipLeft_ = 0;
  clipRight_ = buffer != nullptr ? width : 0;
  clipTop_ = 0;
  clipBottom_ = buffer != nullptr ? height : 0;
}

void BitmapFontRenderer::DrawGlyph(const Glyph& g, int32_t left, int32_t top) {
  const uint8_t* pixels = glyphData_ + g.offset;
  int32_t lineHeight = face_[kFaceLineHeight];
  int32_t slant = face_[kFaceSlant];
  bool slanted = slant > 0 && lineHeight > 0;
  int32_t counter = lineHeight / 2;
  int32_t shift = 0;
  auto step = [&]() {
    if (!slanted) return;
    counter += slant;
    while (counter >= lineHeight) {
      counter -= lineHeight;
      ++shift;
    }
  };
  for (int32_t r = 0; r < g.yOffset; ++r) step();
  for (int32_t r = 0; r < g.rows; ++r, step()) {
    int32_t row = top + r;
    if (row < clipTop_ || row >= clipBottom_) continue;
    int32_t rowLeft = left - shift;
    int32_t from = rowLeft < clipLeft_ ? clipLeft_ - rowLeft : 0;
    int32_t to = rowLeft + g.width > clipRight_ ? clipRight_ - rowLeft : g.width;
    if (from >= to) continue;
    const uint8_t* source = pixels + static_cast<size_t>(r) * g.width;
    uint8_t* dest = target_ + static_cast<size_t>(row) * stride_ + rowLeft;
    for (int32_t c = from; c < to; c += kCopyChunk) {
      int32_t end = c + kCopyChunk < to ? c + kCopyChunk : to;
      for (int32_t k = c; k < end; ++k) dest[k] |= source[k];
    }
  }
}

void BitmapFontRenderer::DrawRun(int32_t x, int32_t y, const WCHAR* text, int32_t count, bool underline) {
  if (face_ == nullptr || target_ == nullptr || depth_ != 8 || face_[kFaceDepth] != 8) return;
  int32_t pen = 0;
  for (int32_t i = 0; i < count; ++i) {
    Glyph g;
    if (!GlyphFor(text[i], &g)) continue;
    int32_t left = x + pen + g.xOffset + g.leftBearing;
    if (left + g.width > clipLeft_ && left < clipRight_) DrawGlyph(g, left, y + g.yOffset);
    pen += g.leftBearing + g.advance + g.rightBearing;
  }
  if (underline) DrawUnderline(x, x + pen, y);
}

void BitmapFontRenderer::DrawUnderline(int32_t x0, int32_t x1, int32_t y) {
  if (face_ == nullptr || target_ == nullptr || depth_ != 8) return;
  int32_t row = y + face_[kFaceAscent] + 2;
  if (row < clipTop_ || row >= clipBottom_) return;
  if (x0 < clipLeft_) x0 = clipLeft_;
  if (x1 > clipRight_) x1 = clipRight_;
  if (x0 >= x1) return;
  std::memset(target_ + static_cast<size_t>(row) * stride_ + x0, kUnderlineIndex, static_cast<size_t>(x1 - x0));
}

const uint8_t* BitmapFontRenderer::GetPalette() const {
  return header_ != nullptr ? header_ + kPaletteOffset : nullptr;
}
