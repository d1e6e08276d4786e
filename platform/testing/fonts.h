// Test control of the fonts: which engine new fonts are made with, injected
// font-creation failures and the count of live fonts.
//
// ResetFonts() (part of the device reset) selects the built-in font, whose
// metrics and pixels are the same on every machine; a test that wants the
// real rendering selects FreeType with UseFontEngine. Font failures and
// counts are the graphics layer's (platform/testing/gdi.h); the helpers
// here only name them for fonts.
#pragma once

#include "platform/fonts/font_engine.h"

namespace devtest {

void UseFontEngine(fonts::EngineKind kind);
fonts::EngineKind FontEngineInUse();

// The n-th CreateFontIndirectW from now (1 = the next one) fails, and every
// later one too when `sticky`.
void FailFontCreation(int nth = 1, bool sticky = false);
// Fonts made since the reset and not yet deleted (stock fonts excluded).
int LiveFonts();

void ResetFonts();

}  // namespace devtest
