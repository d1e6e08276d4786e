// The FreeType font engine: the device's families drawn with the DejaVu
// fonts (Debian fonts-dejavu-core: Sans, Serif and Sans Mono, each regular
// and bold), characters those lack taken from WenQuanYi Micro Hei (Debian
// fonts-wqy-microhei), italics made by shearing the outline. Glyphs are
// anti-aliased unless the request asks for NONANTIALIASED_QUALITY.
//
// Sizes follow the device: a negative height is the em size in pixels, a
// positive one the cell height (the face's Windows ascent plus descent);
// ascent and descent are those of the OS/2 table rounded up, so text of one
// face and size always has the same cell. Advances are hinted and whole
// pixels; no kerning.
//
// The engine exists only when the program is built with FreeType; when a font
// file is missing it answers with the built-in font for that request.
#pragma once

#include <string>

namespace fonts {

// The font files the engine reads (fixed Debian paths).
const char* FreeTypeFontFile(int family, bool bold);  // family = FontFamily
const char* FreeTypeFallbackFontFile();

// True when FreeType is built in and every font file above can be read.
bool FreeTypeFontsInstalled(std::string* missing);

}  // namespace fonts
