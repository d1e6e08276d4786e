// TextFont::Apply: a text style to a font request.
#include "layout/lines/text_font.h"

#include "layout/drawing/drawing_surface.h"

int32_t TextFont::SizeFor(const TextStyle& style) const {
  const int32_t size = baseSize + style.sizeStep;
  return size < 1 ? 1 : size;
}

void TextFont::Apply(const TextStyle& style) const {
  if (surface == nullptr) return;
  FontSpec spec;
  const int32_t size = SizeFor(style);
  spec.size = static_cast<int8_t>(size > 127 ? 127 : size);
  spec.style = style.flags;
  if ((spec.style & TextStyle::kPositionMask) == 0) spec.style |= FontSpec::kPositionBaseline << 4;
  spec.id = style.face != 0 ? style.face : defaultFont;
  surface->SetFont(spec);
}
