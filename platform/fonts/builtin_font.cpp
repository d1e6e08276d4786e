// The built-in font engine: scales the glyph design grid to the requested
// size with the metric model written down in builtin_font.h.
#include "platform/fonts/builtin_font.h"

#include <algorithm>
#include <vector>

#include "platform/fonts/builtin_glyph_design.h"

namespace fonts {

namespace {

constexpr int32_t kMaxCharacterHeight = 1000;
constexpr int32_t kDefaultCharacterHeight = 12;
constexpr int32_t kFixedPitchUnits = 6;
constexpr int32_t kWideUnits = 9;

bool IsBold(int32_t weight) { return weight >= 600; }

// The accent dots in the columns of a five-column letter: rows 0 and 1
// (above a small letter) or 7 and 8 (the cedilla).
struct AccentDots {
  uint8_t firstRow;
  uint8_t rows[2];
};

AccentDots DotsOf(DesignAccent accent) {
  switch (accent) {
    case DesignAccent::Grave: return {0, {0b01000, 0b00100}};
    case DesignAccent::Acute: return {0, {0b00010, 0b00100}};
    case DesignAccent::Circumflex: return {0, {0b00100, 0b01010}};
    case DesignAccent::Tilde: return {0, {0b01101, 0b10010}};
    case DesignAccent::Diaeresis: return {0, {0b01010, 0b00000}};
    case DesignAccent::Ring: return {0, {0b01110, 0b01010}};
    case DesignAccent::Cedilla: return {7, {0b00100, 0b01000}};
    case DesignAccent::None: break;
  }
  return {0, {0, 0}};
}

// Adds an accent to a design. Marks above go only over letters whose two top
// rows are free (the small letters); the five-column mark is centred on the
// glyph's own width.
GlyphDesign WithAccent(const GlyphDesign& base, DesignAccent accent) {
  GlyphDesign design = base;
  if (accent == DesignAccent::None) return design;
  AccentDots dots = DotsOf(accent);
  if (dots.firstRow == 0 && (base.rows[0] | base.rows[1]) != 0) return design;
  // Column c of the five-column mark lands in glyph column c - 2 + w / 2.
  int shift = 2 - base.columns / 2;  // right shift in bit terms for narrow glyphs
  int w = base.columns;
  for (int i = 0; i < 2; ++i) {
    uint8_t out = 0;
    for (int c = 0; c < 5; ++c) {
      if (!(dots.rows[i] & (1 << (4 - c)))) continue;
      int column = c - shift;
      if (column < 0 || column >= w) continue;
      out = static_cast<uint8_t>(out | (1 << (w - 1 - column)));
    }
    design.rows[dots.firstRow + i] = static_cast<uint8_t>(design.rows[dots.firstRow + i] | out);
  }
  return design;
}

class BuiltinFace final : public FontFace {
 public:
  explicit BuiltinFace(const FontRequest& request) : request_(request) {
    BuiltinSize size = BuiltinSizeFor(request.height);
    c_ = size.characterHeight;
    bold_ = IsBold(request.weight);
    fixedPitch_ = request.family == FontFamily::Mono;
    FontMetrics& m = metrics_;
    m.height = size.cellHeight;
    m.internalLeading = size.cellHeight - c_;
    m.externalLeading = 0;
    m.descent = 2 * c_ / 9;  // the rows left below design row 7
    m.ascent = m.height - m.descent;
    m.weight = request.weight == 0 ? 400 : std::clamp(request.weight, 1, 1000);
    m.overhang = 0;
    m.fixedPitch = fixedPitch_;
    m.italic = request.italic;
    m.underline = request.underline;
    m.strikeOut = request.strikeOut;
    m.trueType = false;
    m.family = request.family;
    m.aveCharWidth = Advance(U'x');
    m.maxCharWidth = AdvanceForUnits(kWideUnits);
    int32_t t = std::max(1, c_ / 12);
    m.underlineThickness = t;
    m.underlineTop = std::min(m.ascent + m.descent / 3, m.height - t);
    m.strikeOutThickness = t;
    m.strikeOutTop = std::max(0, m.ascent - 5 * c_ / 18 - t / 2);
  }

  const FontMetrics& Metrics() const override { return metrics_; }

  int32_t Advance(char32_t ch) override {
    DesignAccent accent = DesignAccent::None;
    const GlyphDesign& design = DesignFor(ch, &accent);
    return AdvanceForUnits(UnitsOf(ch, design));
  }

  bool Glyph(char32_t ch, GlyphImage* out) override {
    DesignAccent accent = DesignAccent::None;
    const GlyphDesign& base = DesignFor(ch, &accent);
    GlyphDesign design = WithAccent(base, accent);
    const FontMetrics& m = metrics_;
    int32_t offset = 0;  // in design columns
    if (fixedPitch_ && !IsWideCharacter(ch) && design.columns < 5) offset = (5 - design.columns) / 2;
    int32_t left = Scale(offset);
    int32_t inkWidth = Scale(offset + design.columns) - left;
    int32_t slant = request_.italic ? std::max(0, m.ascent - 1) / 4 : 0;
    int32_t width = inkWidth + (bold_ ? 1 : 0) + slant;
    int32_t height = m.height;
    pixels_.assign(static_cast<size_t>(std::max(width, 0)) * static_cast<size_t>(height), 0);
    for (int r = 0; r < kDesignRows; ++r) {
      int32_t y0 = m.internalLeading + Scale(r);
      int32_t y1 = m.internalLeading + Scale(r + 1);
      for (int c = 0; c < design.columns; ++c) {
        if (!(design.rows[r] & (1 << (design.columns - 1 - c)))) continue;
        int32_t x0 = Scale(offset + c) - left;
        int32_t x1 = Scale(offset + c + 1) - left + (bold_ ? 1 : 0);
        for (int32_t y = y0; y < y1 && y < height; ++y) {
          int32_t shift = request_.italic ? std::max(0, m.ascent - 1 - y) / 4 : 0;
          for (int32_t x = x0; x < x1; ++x) pixels_[static_cast<size_t>(y * width + x + shift)] = 255;
        }
      }
    }
    out->left = left;
    out->top = 0;
    out->width = width;
    out->height = height;
    out->coverage = pixels_.data();
    return true;
  }

  bool Smoothed() const override { return false; }

 private:
  // Design units to pixels, rounded up: at sizes below nine pixels the
  // rows and columns that vanish are the last ones (the lowest descender
  // row), not the first.
  int32_t Scale(int32_t units) const { return (units * c_ + 8) / 9; }

  int32_t UnitsOf(char32_t ch, const GlyphDesign& design) const {
    if (IsWideCharacter(ch)) return kWideUnits;
    if (fixedPitch_) return kFixedPitchUnits;
    return design.columns + 1;
  }

  int32_t AdvanceForUnits(int32_t units) const {
    return std::max(1, (units * c_ + 4) / 9) + (bold_ ? 1 : 0);
  }

  FontRequest request_;
  FontMetrics metrics_;
  int32_t c_ = kDefaultCharacterHeight;
  bool bold_ = false;
  bool fixedPitch_ = false;
  std::vector<uint8_t> pixels_;
};

class BuiltinEngine final : public FontEngine {
 public:
  std::unique_ptr<FontFace> OpenFace(const FontRequest& request) override {
    return std::make_unique<BuiltinFace>(request);
  }
  const char* Name() const override { return "builtin"; }
};

}  // namespace

BuiltinSize BuiltinSizeFor(int32_t requestedHeight) {
  int64_t h = requestedHeight;
  if (h == 0) h = -kDefaultCharacterHeight;
  int32_t c;
  int32_t cell;
  if (h < 0) {
    c = static_cast<int32_t>(std::min<int64_t>(-h, kMaxCharacterHeight));
    cell = c + c / 8;
  } else {
    cell = static_cast<int32_t>(std::min<int64_t>(h, kMaxCharacterHeight + kMaxCharacterHeight / 8));
    c = cell - cell / 9;
  }
  return {c, cell};
}

FontEngine& BuiltinFontEngine() {
  static BuiltinEngine engine;
  return engine;
}

}  // namespace fonts
