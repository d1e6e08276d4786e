// The font object behind an HFONT: the LOGFONTW it was made from (GetObjectW
// gives it back) and the font engine's face that measures and draws it.
// Also the stock font (GetStockObject(SYSTEM_FONT), the font a fresh DC
// holds) and the lookup of the face a DC draws with.
#pragma once

#include <memory>
#include <mutex>

#include "platform/fonts/font_engine.h"
#include "platform/gdi/gdi_object.h"
#include "platform/text_drawing/text.h"

struct FontObject final : GdiObject {
  FontObject(const LOGFONTW& font, std::unique_ptr<fonts::FontFace> face, fonts::EngineKind engine,
             bool counted = true);
  int Describe(int size, void* out) const override;

  LOGFONTW logfont;
  fonts::EngineKind engine;
  std::unique_ptr<fonts::FontFace> face;
  // Faces keep caches: one caller at a time.
  std::mutex mutex;
};

namespace textdraw {

// The engine's request for a LOGFONTW (face name mapped to its family).
fonts::FontRequest RequestFor(const LOGFONTW& font);

// GetTextMetricsW's record for a face made from `font`.
void FillTextMetrics(const fonts::FontMetrics& metrics, const LOGFONTW& font, TEXTMETRICW* out);

// The stock system font for the display's current dots per inch: Tahoma,
// character height 12 pixels at 96 dpi, scaled by dpi / 96 (integer) above.
FontObject* StockSystemFont();

// The font a DC draws with, locked for the lifetime of this object: the
// selected font, or the stock font when the DC holds none. Null face when
// the DC is not live.
class SelectedFont {
 public:
  explicit SelectedFont(HDC dc);
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

  bool ok() const { return face_ != nullptr; }
  DeviceContext* dc() const { return dc_; }
  FontObject& font() const { return *font_; }
  fonts::FontFace& face() const { return *face_; }
  const fonts::FontMetrics& metrics() const { return face_->Metrics(); }

 private:
  DeviceContext* dc_ = nullptr;
  FontObject* font_ = nullptr;
  fonts::FontFace* face_ = nullptr;
  std::unique_lock<std::mutex> lock_;
};

}  // namespace textdraw
