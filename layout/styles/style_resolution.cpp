// Style resolution: the tag style table's operations, then the attributes
// by the element's kind.
#include "layout/styles/style_resolution.h"

#include <initializer_list>

#include "foundation/characters/char_class.h"
#include "layout/markup/element_stream.h"
#include "layout/markup/keyword_ids.h"
#include "platform/memory/allocator.h"

namespace {

uint8_t FlagBitOf(uint8_t field) {
  switch (field) {
    case kFieldBold: return TextStyle::kBold;
    case kFieldItalic: return TextStyle::kItalic;
    case kFieldUnderline: return TextStyle::kUnderline;
    default: return TextStyle::kStrike;
  }
}

int8_t ClampStep(int64_t step) {
  if (step > 127) return 127;
  if (step < -128) return -128;
  return static_cast<int8_t>(step);
}

void ApplyTextFields(const DefaultStyle& defaults, const TagStyleEntry& entry, TextStyle* text) {
  const TextStyle& standard = defaults.text;
  switch (entry.textOps[kFieldSize]) {
    case kStylePlus: text->sizeStep = ClampStep(text->sizeStep + entry.size); break;
    case kStyleMinus: text->sizeStep = ClampStep(text->sizeStep - entry.size); break;
    case kStyleSet: text->sizeStep = entry.size; break;
    case kStyleDefault: text->sizeStep = standard.sizeStep; break;
    default: break;
  }
  for (uint8_t field : {kFieldBold, kFieldItalic, kFieldUnderline, kFieldStrike}) {
    const uint8_t bit = FlagBitOf(field);
    const uint8_t op = entry.textOps[field];
    if (op == kStyleSet) text->flags = static_cast<uint8_t>((text->flags & ~bit) | (entry.flags & bit));
    if (op == kStyleDefault) text->flags = static_cast<uint8_t>((text->flags & ~bit) | (standard.flags & bit));
  }
  if (entry.textOps[kFieldPosition] == kStyleSet) text->SetPosition(static_cast<uint8_t>(entry.flags >> 4));
  if (entry.textOps[kFieldPosition] == kStyleDefault) text->SetPosition(standard.Position());
  if (entry.textOps[kFieldFace] == kStyleSet) text->face = entry.face;
  if (entry.textOps[kFieldFace] == kStyleDefault) text->face = standard.face;
  if (entry.textOps[kFieldColor] == kStyleDefault) text->textColor = standard.textColor;
  if (entry.textOps[kFieldBackground] == kStyleDefault) text->background = standard.background;
}

void ApplyBoxFields(const DefaultStyle& defaults, const TagStyleEntry& entry, ElementStyle* out) {
  for (int i = 0; i < 5; ++i) {
    switch (entry.boxOps[kFieldL1 + i]) {
      case kStylePlus: out->lengths[i] = AddStyleLengths(out->lengths[i], entry.lengths[i], 1); break;
      case kStyleMinus: out->lengths[i] = AddStyleLengths(out->lengths[i], entry.lengths[i], -1); break;
      case kStyleSet: out->lengths[i] = entry.lengths[i]; break;
      case kStyleDefault: out->lengths[i] = defaults.lengths[i]; break;
      default: break;
    }
  }
  if (entry.boxOps[kFieldAlignment] == kStyleSet) out->alignment = entry.alignment;
  if (entry.boxOps[kFieldAlignment] == kStyleDefault) out->alignment = defaults.alignment;
  if (entry.boxOps[kFieldMarkerLow] == kStyleSet) out->marker = static_cast<uint8_t>((out->marker & ~3) | (entry.marker & 3));
  if (entry.boxOps[kFieldMarkerHigh] == kStyleSet) out->marker = static_cast<uint8_t>((out->marker & 3) | (entry.marker & ~3));
  if (entry.boxOps[kFieldBlockColors] == kStyleDefault) {
    out->blockBackground = defaults.blockBackground;
    out->borderColor = defaults.borderColor;
    out->boxFlags = static_cast<uint8_t>(out->boxFlags & ~kBoxBorder);
  }
}

void CopyDefaultBox(const DefaultStyle& defaults, ElementStyle* out) {
  for (int i = 0; i < 5; ++i) out->lengths[i] = defaults.lengths[i];
  out->alignment = defaults.alignment;
  out->marker = defaults.marker;
  out->boxFlags = 0;
  out->blockBackground = defaults.blockBackground;
  out->borderColor = defaults.borderColor;
}

Color HalfColor(Color color) {
  uint32_t v = color.value;
  return Color::FromRgb(static_cast<uint8_t>((v & 0xFF) / 2), static_cast<uint8_t>(((v >> 8) & 0xFF) / 2),
                        static_cast<uint8_t>(((v >> 16) & 0xFF) / 2));
}

void ApplyFontAttributes(TokenSource& stream, const DefaultStyle& defaults, TextStyle* text) {
  SharedWideString face;
  if (defaults.lookUpFace != nullptr && stream.GetAttributeText(kMarkupFace, &face) && face.length != 0) {
    WCHAR folded[64];
    uint32_t n = 0;
    const WCHAR* chars = face.Chars();
    while (n < face.length && n < 64 && chars[n] != u',') {
      folded[n] = CharToUpper(chars[n]);
      ++n;
    }
    uint8_t id = defaults.lookUpFace(folded, n, defaults.faceContext);
    if (id != 0) text->face = id;
  }
  uint32_t size = 0;
  if (stream.GetAttributeValue(kMarkupSize, &size)) {
    if (size & 0x40000000u) {
      text->sizeStep = ClampStep(text->sizeStep + 2 * static_cast<int64_t>(StyleLengthNumber(size)));
    } else if (size >= 1 && size <= 7) {
      text->sizeStep = static_cast<int8_t>(2 * static_cast<int32_t>(size) - 6);
    }
  }
}

}  // namespace

bool SameBox(const ElementStyle& a, const ElementStyle& b) {
  for (int i = 0; i < 5; ++i)
    if (a.lengths[i] != b.lengths[i]) return false;
  return a.alignment == b.alignment && a.marker == b.marker && a.boxFlags == b.boxFlags &&
         a.blockBackground == b.blockBackground && a.borderColor == b.borderColor;
}

uint8_t ApplyTagStyle(const DefaultStyle& defaults, const ElementStyle& parent, const TagStyleEntry& entry,
                      ElementStyle* out, bool* startsBlock, bool* textChanged, bool* boxChanged) {
  *out = parent;
  out->kind = entry.kind;
  out->breakClass = entry.breakClass;
  out->role = entry.role;
  *startsBlock = entry.role != 0 || entry.breakClass != 0;
  if (entry.textGroup == kStyleDefault) out->text = defaults.text;
  if (entry.textGroup == kStylePerField) ApplyTextFields(defaults, entry, &out->text);
  out->text.language = parent.text.language;
  if (entry.boxGroup == kStyleDefault) CopyDefaultBox(defaults, out);
  if (entry.boxGroup == kStylePerField) ApplyBoxFields(defaults, entry, out);
  out->boxFlags = static_cast<uint8_t>(out->boxFlags & ~kBoxOwnBackground);
  if (entry.rowOp == kStyleDefault) out->rowColor = defaults.rowColor;
  *textChanged = !SameTextStyle(out->text, parent.text);
  *boxChanged = !SameBox(*out, parent);
  return entry.rowOp;
}

bool ApplyAttributeStyle(TokenSource& stream, const DefaultStyle& defaults, const ElementStyle& parent,
                         ElementStyle* out, StyleChanges* changes) {
  *changes = StyleChanges{};
  bool closing = false, selfContained = false;
  const uint32_t tag = stream.GetTag(&closing, &selfContained);
  const TagStyleEntry* entry = nullptr;
  if (!FindTagStyle(tag, &entry)) {
    *out = parent;
    return true;
  }
  bool textChanged = false, boxChanged = false;
  ApplyTagStyle(defaults, parent, *entry, out, &changes->startsBlock, &textChanged, &boxChanged);
  TextStyle& text = out->text;
  uint32_t value = 0;

  if (out->kind == kStyleInline) {
    uint32_t color = 0;
    const bool hasColor = stream.GetAttributeValue(kMarkupColor, &color);
    if (tag == kMarkupA) {
      if (!LinkAction::FromAttributes(stream, &text.link)) {
        *out = parent;
        return false;
      }
      if (text.link.Get() != nullptr) {
        if (!hasColor) text.textColor = defaults.linkColor;
        uint32_t ignored = 0;
        SharedWideString none;
        const bool noUnderline = stream.GetAttributeValue(kMarkupQvrNu, &ignored) ||
                                 stream.GetAttributeText(kMarkupQvrNu, &none);
        if (defaults.underlineLinks && !noUnderline) {
          text.flags |= TextStyle::kUnderline;
        } else {
          text.flags = static_cast<uint8_t>(text.flags & ~TextStyle::kUnderline);
        }
      }
    } else if (tag == kMarkupFont) {
      ApplyFontAttributes(stream, defaults, &text);
    }
    if (stream.GetAttributeValue(kMarkupBgcolor, &value)) text.background = Color{value};
    if (hasColor) text.textColor = Color{color};
  } else if (out->kind == kStyleBlock || out->kind == kStyleBreak) {
    if (stream.GetAttributeValue(kMarkupWidth, &value)) out->lengths[1] = value;
    if (stream.GetAttributeValue(kMarkupHeight, &value)) {
      out->lengths[3] = value;
      if (tag == kMarkupBr) {
        out->lengths[4] = 0;
        out->breakClass = 2;
      }
    } else if (tag == kMarkupP) {
      out->lengths[3] = 6;
    }
    if (out->kind == kStyleBlock) {
      if (stream.GetAttributeValue(kMarkupAlign, &value)) out->alignment = static_cast<int32_t>(value);
      uint32_t background = 0;
      const bool hasBackground = stream.GetAttributeValue(kMarkupBgcolor, &background);
      if (hasBackground) {
        out->blockBackground = Color{background};
        if (!(out->blockBackground == parent.blockBackground)) out->boxFlags |= kBoxOwnBackground;
      }
      if (stream.GetAttributeValue(kMarkupBorder, &value) && value != 0) {
        out->boxFlags |= kBoxBorder | kBoxOwnBackground;
        uint32_t borderColor = 0;
        if (stream.GetAttributeValue(kMarkupBordercolor, &borderColor)) {
          out->borderColor = Color{borderColor};
        } else if (hasBackground) {
          out->borderColor = HalfColor(Color{background});
        }
      }
    }
    if ((out->lengths[1] & kStyleLengthUnset) && (out->alignment == 3 || tag != kMarkupP)) out->lengths[1] = 0;
    if (defaults.hrAsLineBreak && tag == kMarkupHr) {
      out->role = 1;
      out->breakClass = 1;
    }
    if (defaults.hrAsLineBreak && tag == kMarkupH1) out->breakClass = 1;
    changes->startsBlock = out->role != 0 || out->breakClass != 0;
  } else if (out->kind == kStyleRow || out->kind == kStyleCell || out->kind == kStyleSection) {
    if (out->kind != kStyleSection && stream.GetAttributeValue(kMarkupAlign, &value))
      out->alignment = static_cast<int32_t>(value);
    if (stream.GetAttributeValue(kMarkupBgcolor, &value)) out->rowColor = Color{value};
  }

  if (stream.GetAttributeValue(kMarkupLang, &value)) text.language = static_cast<uint16_t>(value);
  SharedWideString title;
  if (stream.GetAttributeText(kMarkupTitle, &title)) {
    // A link of the element's own, so the parent's keeps its title.
    LinkAction* own = text.link.Get() != nullptr && text.link->GetReferenceCount() > 1 ? text.link->Copy()
                      : text.link.Get() != nullptr                                     ? nullptr
                                                                                       : DeviceNew<LinkAction>();
    if (own != nullptr) {
      text.link.Adopt(own);
    } else if (text.link.Get() == nullptr || text.link->GetReferenceCount() > 1) {
      *out = parent;
      return false;
    }
    text.link->title = title;
    stream.GetAttributeText(kMarkupName, &text.link->name);
  }
  changes->textChanged = !SameTextStyle(out->text, parent.text);
  changes->boxChanged = !SameBox(*out, parent);
  changes->rowColorChanged = !(out->rowColor == parent.rowColor);
  return true;
}
