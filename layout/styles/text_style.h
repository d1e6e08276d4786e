// TextStyle: the text part of an element's style, the record of every style
// run a page holds: size step, bold/italic/underline/strike and vertical
// position, face, colours, language and the link the text belongs to.
#pragma once

#include <cstdint>

#include "foundation/system/ref_counted.h"
#include "layout/drawing/color.h"
#include "layout/styles/link_action.h"

struct TextStyle {
  static constexpr uint8_t kBold = 0x01;
  static constexpr uint8_t kItalic = 0x02;
  static constexpr uint8_t kUnderline = 0x04;
  static constexpr uint8_t kStrike = 0x08;
  static constexpr uint8_t kPositionMask = 0xF0;  // 0 normal, 6 raised, 7 lowered (<< 4)
  static constexpr uint8_t kRaised = 6;
  static constexpr uint8_t kLowered = 7;

  int8_t sizeStep = 0;  // half steps relative to the base size (0 = HTML size 3)
  uint8_t flags = 0;
  uint8_t face = 0;     // 0 normal, 2 fixed width, others from the face look-up
  Color textColor;
  Color background;
  uint16_t language = 0;
  RefPtr<LinkAction> link;

  void Assign(const TextStyle& other) { *this = other; }
  uint8_t Position() const { return static_cast<uint8_t>(flags >> 4); }
  void SetPosition(uint8_t position) { flags = static_cast<uint8_t>((flags & 0x0F) | (position << 4)); }
};

inline bool SameTextStyle(const TextStyle& a, const TextStyle& b) {
  return a.sizeStep == b.sizeStep && a.flags == b.flags && a.face == b.face && a.textColor == b.textColor &&
         a.background == b.background && a.language == b.language && a.link.Get() == b.link.Get();
}
