// Font objects, the stock system font and the face a DC draws with.
#include "platform/text_drawing/font_object.h"

#include <cstring>
#include <map>

#include "platform/fonts/face_names.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/display_metrics.h"

FontObject::FontObject(const LOGFONTW& font, std::unique_ptr<fonts::FontFace> madeFace, fonts::EngineKind kind,
                       bool counted)
    : GdiObject(GdiKind::Font, counted), logfont(font), engine(kind), face(std::move(madeFace)) {
  logfont.lfFaceName[LF_FACESIZE - 1] = 0;
}

int FontObject::Describe(int size, void* out) const {
  constexpr int kSize = static_cast<int>(sizeof(LOGFONTW));
  if (out == nullptr) return kSize;
  if (size < kSize) return 0;
  std::memcpy(out, &logfont, sizeof(LOGFONTW));
  return kSize;
}

namespace textdraw {

namespace {

std::mutex g_stockMutex;

HGDIOBJ ProvideStockFont(int index) {
  // SYSTEM_FONT and DEFAULT_GUI_FONT (17) are the same font on the device.
  if (index != SYSTEM_FONT && index != 17) return nullptr;
  return StockSystemFont();
}

// Registers the stock font with the graphics core as soon as any text call
// is linked into the program.
const bool g_providerSet = (SetStockFontProvider(&ProvideStockFont), true);

}  // namespace

fonts::FontRequest RequestFor(const LOGFONTW& font) {
  fonts::FontRequest request;
  request.height = font.lfHeight;
  request.weight = font.lfWeight;
  request.italic = font.lfItalic != 0;
  request.underline = font.lfUnderline != 0;
  request.strikeOut = font.lfStrikeOut != 0;
  request.quality = font.lfQuality;
  request.family = fonts::FamilyOfFace(font.lfFaceName, LF_FACESIZE);
  return request;
}

FontObject* StockSystemFont() {
  (void)g_providerSet;
  int dpi = devgdi::Display().dpi;
  std::lock_guard<std::mutex> lock(g_stockMutex);
  // One font per dots-per-inch value met, alive for the whole run.
  static auto* fontsByDpi = new std::map<int, FontObject*>;
  auto found = fontsByDpi->find(dpi);
  if (found != fontsByDpi->end()) return found->second;
  LOGFONTW logfont{};
  logfont.lfHeight = -12 * (dpi > 96 ? dpi / 96 : 1);
  logfont.lfWeight = FW_NORMAL;
  logfont.lfCharSet = DEFAULT_CHARSET;
  std::memcpy(logfont.lfFaceName, u"Tahoma", sizeof(u"Tahoma"));
  fonts::EngineKind kind = fonts::CurrentEngineKind();
  auto face = fonts::CurrentFontEngine().OpenFace(RequestFor(logfont));
  if (!face) return nullptr;
  auto* font = new FontObject(logfont, std::move(face), kind, false);
  font->stock = true;
  (*fontsByDpi)[dpi] = font;
  return font;
}

SelectedFont::SelectedFont(HDC handle) {
  dc_ = LiveDeviceContext(handle);
  if (dc_ == nullptr) return;
  GdiObject* object = dc_->font != nullptr ? LiveGdiObject(dc_->font, GdiKind::Font) : nullptr;
  font_ = object != nullptr ? static_cast<FontObject*>(object) : StockSystemFont();
  if (font_ == nullptr) return;
  lock_ = std::unique_lock<std::mutex>(font_->mutex);
  // The stock font follows the engine chosen now (a test may switch).
  if (font_->stock && font_->engine != fonts::CurrentEngineKind()) {
    auto face = fonts::CurrentFontEngine().OpenFace(RequestFor(font_->logfont));
    if (face) {
      font_->face = std::move(face);
      font_->engine = fonts::CurrentEngineKind();
    }
  }
  face_ = font_->face.get();
}

}  // namespace textdraw
