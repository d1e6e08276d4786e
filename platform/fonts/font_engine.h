// The one interface behind which the device's fonts are made: a font engine
// turns a font request (what a LOGFONTW asks for) into a face that answers
// metrics, advances and glyph coverage images. The GDI's text calls
// (platform/text_drawing/) measure and draw through it and never know which
// engine answers.
//
// Two engines exist:
//   builtin   a deterministic font drawn from a small design grid; the same
//             metrics on every machine, so layout and pixel tests can state
//             exact results (builtin_font.h writes its metric model down);
//   freetype  FreeType over the DejaVu fonts with a CJK fallback, for the
//             real screen (freetype_font.h).
// TESSALYN_FONTS=builtin|freetype chooses, or a program with
// SelectFontEngine; the program defaults to freetype, the device reset of
// the tests to builtin.
//
// Faces are used on the UI thread of the process; an engine may be asked for
// faces from any thread (its own state is guarded).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace fonts {

// The families a device face name maps to. Every name the device knows maps
// to one of them; an unknown name maps to the default (Sans).
enum class FontFamily : uint8_t { Sans, Serif, Mono, Symbol };

// What a LOGFONTW asks for, as the engines use it.
struct FontRequest {
  // LOGFONTW's lfHeight: negative = character height (em) in pixels, positive
  // = cell height (ascent + descent), 0 = the engine's default size.
  int32_t height = 0;
  // 0 = the default weight (400); 700 is bold. 600 and heavier is drawn bold.
  int32_t weight = 0;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  // LOGFONTW's lfQuality: 3 (NONANTIALIASED_QUALITY) asks for solid glyphs;
  // everything else may be smoothed.
  uint8_t quality = 0;
  FontFamily family = FontFamily::Sans;
};

// A face's metrics, in pixels, as GetTextMetricsW reports them, with the
// placement of underline and strike-out lines (rows from the cell's top).
struct FontMetrics {
  int32_t height = 0;           // ascent + descent
  int32_t ascent = 0;           // cell top to baseline
  int32_t descent = 0;          // baseline to cell bottom
  int32_t internalLeading = 0;  // height - character height
  int32_t externalLeading = 0;
  int32_t aveCharWidth = 0;
  int32_t maxCharWidth = 0;
  int32_t weight = 400;
  int32_t overhang = 0;
  int32_t underlineTop = 0;
  int32_t underlineThickness = 1;
  int32_t strikeOutTop = 0;
  int32_t strikeOutThickness = 1;
  bool fixedPitch = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  bool trueType = false;  // an outline font (reported in tmPitchAndFamily)
  FontFamily family = FontFamily::Sans;
};

// The coverage of one glyph: width x height bytes, row after row, 0 = empty,
// 255 = full. The image's top-left lies at (pen x + left, cell top + top).
struct GlyphImage {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  const uint8_t* coverage = nullptr;
};

class FontFace {
 public:
  virtual ~FontFace() = default;
  virtual const FontMetrics& Metrics() const = 0;
  // The pen advance of one character in whole pixels (no kerning: the width
  // of a text is the sum of its characters' advances).
  virtual int32_t Advance(char32_t ch) = 0;
  // The coverage image of one character; valid until the next call on this
  // face. False when the engine cannot draw it (the text is then measured but
  // that character is left blank).
  virtual bool Glyph(char32_t ch, GlyphImage* out) = 0;
  // True when coverage holds values between 0 and 255 (anti-aliased).
  virtual bool Smoothed() const = 0;
};

class FontEngine {
 public:
  virtual ~FontEngine() = default;
  // A new face, or null when it cannot be made (no memory, no font file).
  virtual std::unique_ptr<FontFace> OpenFace(const FontRequest& request) = 0;
  virtual const char* Name() const = 0;
};

enum class EngineKind : uint8_t { Builtin, FreeType };

// The engine that new fonts are made with. The choice is the one selected
// last (by a program or a test) or, without one, TESSALYN_FONTS's; freetype
// when FreeType is built in, else builtin.
FontEngine& CurrentFontEngine();
EngineKind CurrentEngineKind();
void SelectFontEngine(EngineKind kind);
EngineKind EngineKindFromEnvironment();

FontEngine& BuiltinFontEngine();
// Null when the program was built without FreeType.
FontEngine* FreeTypeFontEngine();

// Decodes one character of UTF-16 text at text[*i] (a surrogate pair makes
// one character; a lone surrogate stands for itself) and moves *i past it.
char32_t NextCharacter(const char16_t* text, int32_t count, int32_t* i);

}  // namespace fonts
