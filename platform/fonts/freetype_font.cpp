// The FreeType font engine (see freetype_font.h). Font files are read once
// into memory and shared by every face made from them; each font gets its
// own FT_Face so that faces can be used on different threads, while face
// creation and destruction go through the engine's lock as FreeType asks.
#include "platform/fonts/freetype_font.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/fonts/font_engine.h"

#if __has_include(<ft2build.h>)
#define TESSALYN_FREETYPE 1
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#endif

namespace fonts {

namespace {

constexpr const char* kFontFolder = "/usr/share/fonts/truetype/";
constexpr const char* kFiles[4][2] = {
    {"dejavu/DejaVuSans.ttf", "dejavu/DejaVuSans-Bold.ttf"},
    {"dejavu/DejaVuSerif.ttf", "dejavu/DejaVuSerif-Bold.ttf"},
    {"dejavu/DejaVuSansMono.ttf", "dejavu/DejaVuSansMono-Bold.ttf"},
    {"dejavu/DejaVuSans.ttf", "dejavu/DejaVuSans-Bold.ttf"},
};
constexpr const char* kFallbackFile = "wqy/wqy-microhei.ttc";

std::string PathOf(const char* file) { return std::string(kFontFolder) + file; }

}  // namespace

const char* FreeTypeFontFile(int family, bool bold) {
  if (family < 0 || family > 3) family = 0;
  static std::string paths[4][2];
  static std::once_flag once;
  std::call_once(once, [] {
    for (int f = 0; f < 4; ++f)
      for (int b = 0; b < 2; ++b) paths[f][b] = PathOf(kFiles[f][b]);
  });
  return paths[family][bold ? 1 : 0].c_str();
}

const char* FreeTypeFallbackFontFile() {
  static const std::string path = PathOf(kFallbackFile);
  return path.c_str();
}

#ifndef TESSALYN_FREETYPE

FontEngine* FreeTypeFontEngine() { return nullptr; }

bool FreeTypeFontsInstalled(std::string* missing) {
  if (missing) *missing = "FreeType (the program was built without it)";
  return false;
}

#else

namespace {

using FileBytes = std::shared_ptr<const std::vector<uint8_t>>;

bool IsBold(int32_t weight) { return weight >= 600; }

// 26.6 fixed point helpers.
int32_t RoundPixels(FT_Pos value) { return static_cast<int32_t>((value + 32) >> 6); }

class FreeTypeEngine;

class FreeTypeFace final : public FontFace {
 public:
  FreeTypeFace(FreeTypeEngine* engine, FT_Face face, FileBytes bytes, const FontRequest& request,
               bool boldFile);
  ~FreeTypeFace() override;

  const FontMetrics& Metrics() const override { return metrics_; }
  int32_t Advance(char32_t ch) override;
  bool Glyph(char32_t ch, GlyphImage* out) override;
  bool Smoothed() const override { return !mono_; }

 private:
  struct CachedGlyph {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> coverage;
  };

  void SetUpMetrics();
  // The face that draws ch and the glyph index in it.
  FT_Face FaceFor(char32_t ch, FT_UInt* index);
  // Loads ch's outline into its face's glyph slot, emboldened and sheared as
  // the request asks. Null when it cannot be loaded.
  FT_GlyphSlot LoadGlyph(char32_t ch, bool* synthetic);

  FreeTypeEngine* engine_;
  FT_Face main_;
  FT_Face fallback_ = nullptr;
  bool fallbackTried_ = false;
  FileBytes bytes_;
  FileBytes fallbackBytes_;
  FontRequest request_;
  bool boldFile_;
  bool mono_;
  FT_F26Dot6 em26_ = 12 * 64;
  FontMetrics metrics_;
  std::unordered_map<char32_t, int32_t> advances_;
  std::unordered_map<char32_t, CachedGlyph> glyphs_;
};

class FreeTypeEngine final : public FontEngine {
 public:
  FreeTypeEngine() {
    if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
  }

  std::unique_ptr<FontFace> OpenFace(const FontRequest& request) override {
    bool bold = IsBold(request.weight);
    FT_Face face = nullptr;
    FileBytes bytes;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      bytes = BytesOf(FreeTypeFontFile(static_cast<int>(request.family), bold));
      if (bytes && library_ != nullptr &&
          FT_New_Memory_Face(library_, bytes->data(), static_cast<FT_Long>(bytes->size()), 0, &face) != 0) {
        face = nullptr;
      }
    }
    if (face == nullptr) {
      WarnOnce();
      return BuiltinFontEngine().OpenFace(request);
    }
    return std::make_unique<FreeTypeFace>(this, face, std::move(bytes), request, bold);
  }

  const char* Name() const override { return "freetype"; }

  // Opens the CJK fallback face; null when it is not installed.
  FT_Face OpenFallback(FileBytes* bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    *bytes = BytesOf(FreeTypeFallbackFontFile());
    FT_Face face = nullptr;
    if (*bytes && library_ != nullptr &&
        FT_New_Memory_Face(library_, (*bytes)->data(), static_cast<FT_Long>((*bytes)->size()), 0, &face) != 0) {
      face = nullptr;
    }
    return face;
  }

  void Close(FT_Face face) {
    if (face == nullptr) return;
    std::lock_guard<std::mutex> lock(mutex_);
    FT_Done_Face(face);
  }

  bool CanRead(const char* path) {
    std::lock_guard<std::mutex> lock(mutex_);
    return library_ != nullptr && BytesOf(path) != nullptr;
  }

 private:
  // The bytes of a font file, read once; null when it cannot be read.
  // Called with the lock held.
  FileBytes BytesOf(const char* path) {
    auto found = files_.find(path);
    if (found != files_.end()) return found->second;
    FileBytes bytes;
    std::ifstream in(path, std::ios::binary);
    if (in) {
      auto data = std::make_shared<std::vector<uint8_t>>(std::istreambuf_iterator<char>(in),
                                                         std::istreambuf_iterator<char>());
      if (!data->empty()) bytes = std::move(data);
    }
    files_[path] = bytes;
    return bytes;
  }

  void WarnOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
      std::fprintf(stderr, "tessalyn: DejaVu fonts not found under %s; using the built-in font\n", kFontFolder);
    });
  }

  FT_Library library_ = nullptr;
  std::mutex mutex_;
  std::map<std::string, FileBytes> files_;
};

FreeTypeFace::FreeTypeFace(FreeTypeEngine* engine, FT_Face face, FileBytes bytes, const FontRequest& request,
                           bool boldFile)
    : engine_(engine),
      main_(face),
      bytes_(std::move(bytes)),
      request_(request),
      boldFile_(boldFile),
      mono_(request.quality == 3) {
  SetUpMetrics();
}

FreeTypeFace::~FreeTypeFace() {
  engine_->Close(fallback_);
  engine_->Close(main_);
}

void FreeTypeFace::SetUpMetrics() {
  const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(main_, FT_SFNT_OS2));
  const TT_HoriHeader* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(main_, FT_SFNT_HHEA));
  int64_t winAscent = main_->ascender;
  int64_t winDescent = -main_->descender;
  if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    winAscent = os2->usWinAscent;
    winDescent = os2->usWinDescent;
  }
  int64_t upem = std::max<int64_t>(main_->units_per_EM, 1);
  int64_t total = std::max<int64_t>(winAscent + winDescent, 1);

  int64_t h = request_.height == 0 ? -12 : request_.height;
  int64_t em26;
  if (h < 0) {
    em26 = std::min<int64_t>(-h, 1000) * 64;
  } else {
    em26 = std::min<int64_t>(h, 1200) * 64 * upem / total;
  }
  em26_ = static_cast<FT_F26Dot6>(std::max<int64_t>(em26, 64));
  FT_Set_Char_Size(main_, 0, em26_, 72, 72);

  double scale = static_cast<double>(em26_) / 64.0 / static_cast<double>(upem);
  FontMetrics& m = metrics_;
  m.ascent = static_cast<int32_t>(std::ceil(winAscent * scale - 0.01));
  m.descent = static_cast<int32_t>(std::ceil(winDescent * scale - 0.01));
  if (h > 0) m.descent = std::max<int32_t>(0, static_cast<int32_t>(h) - m.ascent);
  m.height = m.ascent + m.descent;
  m.internalLeading = std::max<int32_t>(0, m.height - RoundPixels(em26_));
  m.externalLeading = 0;
  if (hhea != nullptr) {
    int64_t gap = hhea->Line_Gap - ((winAscent + winDescent) - (hhea->Ascender - hhea->Descender));
    if (gap > 0) m.externalLeading = static_cast<int32_t>(std::lround(gap * scale));
  }
  m.weight = request_.weight == 0 ? 400 : std::clamp(request_.weight, 1, 1000);
  m.overhang = 0;
  m.fixedPitch = FT_IS_FIXED_WIDTH(main_) != 0;
  m.italic = request_.italic;
  m.underline = request_.underline;
  m.strikeOut = request_.strikeOut;
  m.trueType = true;
  m.family = request_.family;
  m.maxCharWidth = static_cast<int32_t>(std::ceil(main_->max_advance_width * scale));

  int32_t thickness = std::max<int32_t>(1, static_cast<int32_t>(std::lround(main_->underline_thickness * scale)));
  int32_t position = static_cast<int32_t>(std::lround(main_->underline_position * scale));
  m.underlineThickness = thickness;
  m.underlineTop = std::clamp(m.ascent - position - thickness / 2, 0, std::max(0, m.height - thickness));
  int32_t strikeThickness = thickness;
  int32_t strikePosition = static_cast<int32_t>(std::lround(em26_ / 64.0 * 0.3));
  if (os2 != nullptr && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
    strikeThickness = std::max<int32_t>(1, static_cast<int32_t>(std::lround(os2->yStrikeoutSize * scale)));
    strikePosition = static_cast<int32_t>(std::lround(os2->yStrikeoutPosition * scale));
  }
  m.strikeOutThickness = strikeThickness;
  m.strikeOutTop = std::clamp(m.ascent - strikePosition, 0, std::max(0, m.height - strikeThickness));
  m.aveCharWidth = Advance(U'x');
}

FT_Face FreeTypeFace::FaceFor(char32_t ch, FT_UInt* index) {
  *index = FT_Get_Char_Index(main_, ch);
  if (*index != 0) return main_;
  if (!fallbackTried_) {
    fallbackTried_ = true;
    fallback_ = engine_->OpenFallback(&fallbackBytes_);
    if (fallback_ != nullptr) FT_Set_Char_Size(fallback_, 0, em26_, 72, 72);
  }
  if (fallback_ != nullptr) {
    FT_UInt other = FT_Get_Char_Index(fallback_, ch);
    if (other != 0) {
      *index = other;
      return fallback_;
    }
  }
  return main_;  // index 0: the face's missing-glyph box
}

FT_GlyphSlot FreeTypeFace::LoadGlyph(char32_t ch, bool* synthetic) {
  FT_UInt index;
  FT_Face face = FaceFor(ch, &index);
  FT_Int32 flags = mono_ ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_LIGHT;
  if (FT_Load_Glyph(face, index, flags | FT_LOAD_NO_BITMAP) != 0) return nullptr;
  FT_GlyphSlot slot = face->glyph;
  *synthetic = IsBold(request_.weight) && (face != main_ || !boldFile_);
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (*synthetic) FT_Outline_EmboldenXY(&slot->outline, em26_ / 20, 0);
    if (request_.italic) {
      FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};
      FT_Outline_Transform(&slot->outline, &shear);
    }
  }
  return slot;
}

int32_t FreeTypeFace::Advance(char32_t ch) {
  auto found = advances_.find(ch);
  if (found != advances_.end()) return found->second;
  bool synthetic = false;
  FT_GlyphSlot slot = LoadGlyph(ch, &synthetic);
  int32_t advance = 0;
  if (slot != nullptr) {
    advance = RoundPixels(slot->advance.x);
    if (synthetic) advance += std::max(1, RoundPixels(em26_ / 20));
  }
  if (advances_.size() > 4096) advances_.clear();
  advances_.emplace(ch, advance);
  return advance;
}

bool FreeTypeFace::Glyph(char32_t ch, GlyphImage* out) {
  auto found = glyphs_.find(ch);
  if (found == glyphs_.end()) {
    bool synthetic = false;
    FT_GlyphSlot slot = LoadGlyph(ch, &synthetic);
    if (slot == nullptr) return false;
    if (FT_Render_Glyph(slot, mono_ ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return false;
    const FT_Bitmap& bitmap = slot->bitmap;
    CachedGlyph glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = metrics_.ascent - slot->bitmap_top;
    glyph.width = static_cast<int32_t>(bitmap.width);
    glyph.height = static_cast<int32_t>(bitmap.rows);
    glyph.coverage.resize(static_cast<size_t>(glyph.width) * static_cast<size_t>(glyph.height));
    for (int32_t y = 0; y < glyph.height; ++y) {
      const uint8_t* row = bitmap.pitch >= 0 ? bitmap.buffer + y * bitmap.pitch
                                             : bitmap.buffer + (glyph.height - 1 - y) * -bitmap.pitch;
      uint8_t* target = glyph.coverage.data() + static_cast<size_t>(y) * static_cast<size_t>(glyph.width);
      for (int32_t x = 0; x < glyph.width; ++x) {
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
          target[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
        } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
          unsigned levels = bitmap.num_grays > 1 ? bitmap.num_grays - 1 : 255;
          target[x] = static_cast<uint8_t>(row[x] * 255u / levels);
        } else {
          target[x] = 0;
        }
      }
    }
    if (glyphs_.size() > 1024) glyphs_.clear();
    found = glyphs_.emplace(ch, std::move(glyph)).first;
  }
  const CachedGlyph& glyph = found->second;
  out->left = glyph.left;
  out->top = glyph.top;
  out->width = glyph.width;
  out->height = glyph.height;
  out->coverage = glyph.coverage.data();
  return true;
}

FreeTypeEngine& TheEngine() {
  // Never destroyed: fonts that outlive static destruction still need it.
  static FreeTypeEngine* engine = new FreeTypeEngine;
  return *engine;
}

}  // namespace

FontEngine* FreeTypeFontEngine() { return &TheEngine(); }

bool FreeTypeFontsInstalled(std::string* missing) {
  std::string absent;
  for (int f = 0; f < 3; ++f) {
    for (int b = 0; b < 2; ++b) {
      if (!TheEngine().CanRead(FreeTypeFontFile(f, b == 1))) absent += std::string(" ") + FreeTypeFontFile(f, b == 1);
    }
  }
  if (!TheEngine().CanRead(FreeTypeFallbackFontFile())) absent += std::string(" ") + FreeTypeFallbackFontFile();
  if (missing) *missing = absent;
  return absent.empty();
}

#endif  // TESSALYN_FREETYPE

}  // namespace fonts
