// CreateFontIndirectW, GetTextMetricsW and GetTextFaceW.
#include <cstring>
#include <new>

#include "platform/core/last_error.h"
#include "platform/fonts/face_names.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/display_metrics.h"
#include "platform/gdi/gdi_internal.h"
#include "platform/text_drawing/text.h"
#include "platform/text_drawing/font_object.h"
#include "platform/text_drawing/journal_text.h"

#ifdef TESSALYN_TEST_HOOKS
#include "platform/gdi/gdi_hooks.h"
#endif

namespace textdraw {

void FillTextMetrics(const fonts::FontMetrics& m, const LOGFONTW& font, TEXTMETRICW* out) {
  TEXTMETRICW tm{};
  tm.tmHeight = m.height;
  tm.tmAscent = m.ascent;
  tm.tmDescent = m.descent;
  tm.tmInternalLeading = m.internalLeading;
  tm.tmExternalLeading = m.externalLeading;
  tm.tmAveCharWidth = m.aveCharWidth;
  tm.tmMaxCharWidth = m.maxCharWidth;
  tm.tmWeight = m.weight;
  tm.tmOverhang = m.overhang;
  int dpi = devgdi::Display().dpi;
  tm.tmDigitizedAspectX = dpi;
  tm.tmDigitizedAspectY = dpi;
  tm.tmFirstChar = 0x0020;
  tm.tmLastChar = 0xFFFC;
  tm.tmDefaultChar = 0x001F;
  tm.tmBreakChar = 0x0020;
  tm.tmItalic = m.italic ? 1 : 0;
  tm.tmUnderlined = m.underline ? 1 : 0;
  tm.tmStruckOut = m.strikeOut ? 1 : 0;
  BYTE family = FF_SWISS;
  switch (m.family) {
    case fonts::FontFamily::Sans: family = FF_SWISS; break;
    case fonts::FontFamily::Serif: family = FF_ROMAN; break;
    case fonts::FontFamily::Mono: family = FF_MODERN; break;
    case fonts::FontFamily::Symbol: family = FF_DECORATIVE; break;
  }
  tm.tmPitchAndFamily = static_cast<BYTE>(family | (m.fixedPitch ? 0 : TMPF_FIXED_PITCH) |
                                          (m.trueType ? TMPF_VECTOR | TMPF_TRUETYPE : 0));
  if (m.family == fonts::FontFamily::Symbol) {
    tm.tmCharSet = SYMBOL_CHARSET;
  } else {
    tm.tmCharSet = font.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : font.lfCharSet;
  }
  *out = tm;
}

}  // namespace textdraw

namespace {

HFONT CreateFont(const LOGFONTW* font) {
  if (font == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (gdi_internal::JournalOn()) {
    size_t length = 0;
    while (length < LF_FACESIZE && font->lfFaceName[length] != 0) ++length;
    gdi_internal::Journal("CreateFontIndirectW(%d,%d,%d,%d,%d,%d,%s)", static_cast<int>(font->lfHeight),
                          static_cast<int>(font->lfWeight), font->lfItalic, font->lfUnderline, font->lfStrikeOut,
                          font->lfQuality, textdraw::JournalText(font->lfFaceName, static_cast<int64_t>(length)).c_str());
  }
#ifdef TESSALYN_TEST_HOOKS
  if (devtest::ShouldFailGdiCreation(devtest::GdiFailure::Fonts)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
#endif
  fonts::EngineKind kind = fonts::CurrentEngineKind();
  std::unique_ptr<fonts::FontFace> face = fonts::CurrentFontEngine().OpenFace(textdraw::RequestFor(*font));
  if (!face) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return new FontObject(*font, std::move(face), kind);
}

}  // namespace

HFONT CreateFontIndirectW(const LOGFONTW* font) {
  try {
    return CreateFont(font);
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
  if (metrics == nullptr) return FALSE;
  try {
    textdraw::SelectedFont selected(dc);
    if (!selected.ok()) return FALSE;
    textdraw::FillTextMetrics(selected.metrics(), selected.font().logfont, metrics);
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

int GetTextFaceW(HDC dc, int count, LPWSTR face) {
  try {
    textdraw::SelectedFont selected(dc);
    if (!selected.ok()) return 0;
    const WCHAR* name = selected.font().logfont.lfFaceName;
    int length = 0;
    while (length < LF_FACESIZE - 1 && name[length] != 0) ++length;
    if (face == nullptr) return length + 1;
    if (count <= 0) return 0;
    int copied = length < count - 1 ? length : count - 1;
    std::memcpy(face, name, static_cast<size_t>(copied) * sizeof(WCHAR));
    face[copied] = 0;
    return copied;
  } catch (...) {
    return 0;
  }
}
