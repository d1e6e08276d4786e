// HorizontalRule: the object an HR places. As wide as the line allows; its
// own WIDTH (a style length, 95 percent unless given) is resolved against
// the box when it is drawn, centred, as a line in its colour with a shade
// one pixel right and down.
#pragma once

#include <cstdint>

#include "layout/drawing/color.h"
#include "layout/objects/inline_object.h"
#include "layout/styles/style_length.h"

class HorizontalRule : public InlineObject {
 public:
  static constexpr StyleLength kDefaultWidth = 0x2000005Fu;  // 95 percent

  HorizontalRule() = default;

  bool Draw(DrawingSurface* surface, const Rect& box, const Rect* clip) override;
  bool GetSize(Size* size, bool* scalable, bool* secondFlag) override;

  // Sets the colour; the shade becomes half its red, green and blue.
  void SetColor(Color color);
  void SetWidth(StyleLength width) { width_ = width; }
  Color GetColor() const { return color_; }
  Color GetShade() const { return shade_; }
  // The line's start and length across a box of the given width.
  void Span(int32_t boxWidth, int32_t* start, int32_t* length) const;

 protected:
  ~HorizontalRule() override = default;

 private:
  StyleLength width_ = kDefaultWidth;
  Color color_ = Color::FromRgb(128, 128, 128);
  Color shade_ = Color::FromRgb(64, 64, 64);
};
