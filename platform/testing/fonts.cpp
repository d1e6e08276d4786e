// Test control of the fonts: the engine choice of the fonts area and the
// graphics layer's counts and failures, named for fonts.
#include "platform/testing/fonts.h"

#include "platform/testing/gdi.h"

namespace devtest {

void UseFontEngine(fonts::EngineKind kind) { fonts::SelectFontEngine(kind); }

fonts::EngineKind FontEngineInUse() { return fonts::CurrentEngineKind(); }

void FailFontCreation(int nth, bool sticky) { FailGdiCreation(GdiFailure::Fonts, nth, sticky); }

int LiveFonts() { return LiveGdiObjects(GdiKind::Font); }

void ResetFonts() { fonts::SelectFontEngine(fonts::EngineKind::Builtin); }

}  // namespace devtest
