// DrawingSurface: text in bitmap fonts. The renderer draws palette indexes
// into an 8-bit strip whose colour table is the font file's palette; the
// strip is then copied to the surface. The strip is made 8 pixels wider
// than asked and text lands 4 pixels right of the strip's position, so
// glyphs that overhang their advance on either side are kept; the copy
// starts at the strip's column 4.
#include <cstring>

#include "layout/drawing/drawing_surface.h"
#include "platform/gdi/gdi.h"

namespace {

constexpr int32_t kStripMargin = 4;
constexpr uint32_t kMaxPathUnits = 260;

}  // namespace

bool DrawingSurface::SelectBitmapFont(const FontTableEntry& entry) {
  if (bitmapFontId_ != fontSpec_.id) {
    bitmapFontId_ = fontSpec_.id;
    WCHAR path[kMaxPathUnits];
    uint32_t n = entry.nameLength < kMaxPathUnits - 1 ? entry.nameLength : 0;
    if (entry.name == nullptr || n == 0) {
      bitmapFont_.Close(false);
      return false;
    }
    std::memcpy(path, entry.name, n * sizeof(WCHAR));
    path[n] = 0;
    if (bitmapFont_.Open(path) != 0) return false;
  }
  if (!bitmapFont_.IsOpen()) return false;
  uint8_t italic = (fontSpec_.style & FontSpec::kItalic) != 0 ? 1 : 0;
  uint8_t bold = (fontSpec_.style & FontSpec::kBold) != 0 ? 1 : 0;
  return bitmapFont_.ChooseFace(static_cast<uint8_t>(fontSpec_.size), italic, bold, 8) == 0;
}

void DrawingSurface::ReleaseBitmapStrip() {
  if (strip_ != nullptr) DeleteObject(strip_);
  strip_ = nullptr;
  stripBits_ = nullptr;
  stripWidth_ = 0;
  stripHeight_ = 0;
  stripFontId_ = -1;
  stripDirty_ = 0;
  bitmapFont_.SetTarget(nullptr, 0, 0, 0, 8);
}

int DrawingSurface::BeginBitmapText(Point position, Size size, uint32_t word) {
  SelectFont();
  if (!bitmapActive_) return 1;
  if (size.width < 0 || size.height <= 0 || size.width > 0x7FFF - 8 || size.height > 0x7FFF) return 0;
  if (strip_ == nullptr || stripWidth_ < size.width + 2 * kStripMargin || stripHeight_ < size.height ||
      stripFontId_ != bitmapFontId_) {
    ReleaseBitmapStrip();
    const uint8_t* palette = bitmapFont_.GetPalette();
    if (palette == nullptr) return 0;
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD colours[256];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = size.width + 2 * kStripMargin;
    info.header.biHeight = -size.height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    for (int i = 0; i < 256; ++i) {
      info.colours[i].rgbRed = palette[4 * i];
      info.colours[i].rgbGreen = palette[4 * i + 1];
      info.colours[i].rgbBlue = palette[4 * i + 2];
    }
    void* bits = nullptr;
    HBITMAP strip =
        CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (strip == nullptr || bits == nullptr) {
      if (strip != nullptr) DeleteObject(strip);
      return 0;
    }
    strip_ = strip;
    stripBits_ = static_cast<uint8_t*>(bits);
    stripWidth_ = size.width + 2 * kStripMargin;
    stripHeight_ = size.height;
    stripFontId_ = bitmapFontId_;
  }
  // 8-bit rows of a DIB section are padded to four bytes.
  int32_t stride = (stripWidth_ + 3) & ~3;
  std::memset(stripBits_, 0, static_cast<size_t>(stride) * static_cast<size_t>(stripHeight_));
  bitmapFont_.SetTarget(stripBits_, stride, stripWidth_, stripHeight_, 8);
  stripPosition_ = position;
  stripSize_ = size;
  stripWord_ = word;
  stripDirty_ = 1;
  return 1;
}

void DrawingSurface::FlushBitmapText() {
  if (!stripDirty_ || strip_ == nullptr) return;
  stripDirty_ = 0;
  if (currentDc_ == nullptr) return;
  HDC dc = CreateCompatibleDC(currentDc_);
  if (dc == nullptr) return;
  HGDIOBJ previous = SelectObject(dc, strip_);
  BlitFromDC(dc, Point{kStripMargin, 0}, Rect{stripPosition_.x, stripPosition_.y, stripSize_.width, stripSize_.height});
  SelectObject(dc, previous);
  DeleteDC(dc);
}

void DrawingSurface::DrawBitmapText(const WCHAR* text, int32_t count, Point point) {
  if (count <= 0) return;
  bool own = !stripDirty_;
  if (own) {
    Size size{bitmapFont_.RunWidth(text, count), metrics_.tmHeight};
    if (BeginBitmapText(point, size, 0) != 1) return;
  }
  bitmapFont_.DrawRun(point.x - stripPosition_.x + kStripMargin, point.y - stripPosition_.y, text, count,
                      (fontSpec_.style & FontSpec::kUnderline) != 0);
  if (own) FlushBitmapText();
}

void DrawingSurface::DrawBitmapDecorationGap(Point point, int32_t width) {
  // Only into a strip a caller opened: the gap joins the underlines of the
  // runs on either side, one pixel to the left so that no seam shows.
  if (!stripDirty_ || width <= 0 || (fontSpec_.style & FontSpec::kUnderline) == 0) return;
  int32_t x = point.x - stripPosition_.x;
  int32_t from = x > 0 ? x - 1 : x;
  bitmapFont_.DrawUnderline(from + kStripMargin, x + width + kStripMargin, point.y - stripPosition_.y);
}
