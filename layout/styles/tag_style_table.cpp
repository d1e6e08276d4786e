// The tag style table, sorted by tag id.
#include "layout/styles/tag_style_table.h"

#include "layout/markup/keyword_ids.h"
#include "layout/styles/text_style.h"

namespace {

constexpr TagStyleEntry SetFlag(TagStyleEntry e, uint8_t field, bool on) {
  e = e.Text(field, kStyleSet);
  uint8_t bit = field == kFieldBold ? TextStyle::kBold
                : field == kFieldItalic ? TextStyle::kItalic
                : field == kFieldUnderline ? TextStyle::kUnderline
                                           : TextStyle::kStrike;
  e.flags = static_cast<uint8_t>(on ? (e.flags | bit) : (e.flags & ~bit));
  return e;
}
constexpr TagStyleEntry Size(TagStyleEntry e, uint8_t op, int8_t amount) {
  e = e.Text(kFieldSize, op);
  e.size = amount;
  return e;
}
// A heading: its size, bold or not, the other flags off, position normal.
constexpr TagStyleEntry Heading(uint16_t tag, int32_t breakClass, int8_t size, bool bold) {
  TagStyleEntry e = Size(TagStyleEntry(tag, 1, breakClass, 2), kStyleSet, size);
  e = SetFlag(e, kFieldBold, bold);
  e = SetFlag(e, kFieldItalic, false);
  e = SetFlag(e, kFieldUnderline, false);
  e = SetFlag(e, kFieldStrike, false);
  e = e.Text(kFieldPosition, kStyleSet);
  return e.Box(kFieldL2, kStyleDefault).Box(kFieldL4, kStyleDefault).Box(kFieldL5, kStyleDefault);
}
constexpr TagStyleEntry Block(uint16_t tag, int32_t breakClass, int32_t role) {
  return TagStyleEntry(tag, 1, breakClass, role)
      .Box(kFieldL2, kStyleDefault)
      .Box(kFieldL4, kStyleDefault)
      .Box(kFieldL5, kStyleDefault);
}
constexpr TagStyleEntry Indented(TagStyleEntry e) {
  e = e.Box(kFieldL1, kStylePlus);
  e.lengths[0] = MakeStyleLength(1, kStyleLengthEm);
  return e;
}
constexpr TagStyleEntry ZeroWidth(TagStyleEntry e) {
  e = e.Box(kFieldL2, kStyleSet);
  e.lengths[1] = 0;
  return e;
}
constexpr TagStyleEntry Marker(TagStyleEntry e, uint8_t low, uint8_t high) {
  e = e.Box(kFieldMarkerLow, kStyleSet).Box(kFieldMarkerHigh, kStyleSet);
  e.marker = static_cast<uint8_t>(low | (high << 2));
  return e;
}
constexpr TagStyleEntry Inline(uint16_t tag) { return TagStyleEntry(tag, 0, 0, 0); }
constexpr TagStyleEntry Face(uint16_t tag, uint8_t face) {
  TagStyleEntry e = Inline(tag).Text(kFieldFace, kStyleSet);
  e.face = face;
  return e;
}
constexpr TagStyleEntry Position(TagStyleEntry e, uint8_t position) {
  e = e.Text(kFieldPosition, kStyleSet);
  e.flags = static_cast<uint8_t>((e.flags & 0x0F) | (position << 4));
  return e;
}
constexpr TagStyleEntry Centered(TagStyleEntry e) {
  e = e.Box(kFieldAlignment, kStyleSet);
  e.alignment = 3;
  return e;
}
constexpr TagStyleEntry Defaults(TagStyleEntry e) {
  e.textGroup = kStyleDefault;
  e.boxGroup = kStyleDefault;
  return e;
}

constexpr TagStyleEntry kTable[] = {
    Heading(kMarkupH1, 3, 8, false),
    Heading(kMarkupH2, 1, 6, false),
    Heading(kMarkupH3, 1, 4, true),
    Heading(kMarkupH4, 1, 4, false),
    Heading(kMarkupH5, 1, 2, true),
    Heading(kMarkupH6, 1, 2, true),
    Size(Inline(kMarkupBig), kStylePlus, 2),
    Size(Inline(kMarkupSmall), kStyleMinus, 2),
    SetFlag(Inline(kMarkupU), kFieldUnderline, true),
    SetFlag(Inline(kMarkupI), kFieldItalic, true),
    SetFlag(Inline(kMarkupBold), kFieldBold, true),
    SetFlag(Inline(kMarkupB), kFieldBold, true),
    SetFlag(Inline(kMarkupStrong), kFieldBold, true),
    SetFlag(Inline(kMarkupS), kFieldStrike, true),
    SetFlag(Inline(kMarkupStrike), kFieldStrike, true),
    Face(kMarkupCode, 2),
    Face(kMarkupSamp, 2),
    Face(kMarkupKbd, 2),
    SetFlag(Inline(kMarkupCite), kFieldItalic, true),
    SetFlag(Inline(kMarkupVar), kFieldItalic, true),
    SetFlag(Inline(kMarkupEm), kFieldItalic, true),
    SetFlag(Inline(kMarkupDfn), kFieldBold, true),
    Face(kMarkupTt, 2),
    Block(kMarkupP, 2, 2),
    TagStyleEntry(kMarkupBr, 2, 1, 0),
    TagStyleEntry(kMarkupHr, 2, 3, 0),
    Indented(Block(kMarkupBlockquote, 1, 2)),
    Centered(Block(kMarkupCenter, 2, 2)),
    Block(kMarkupDiv, 1, 2),
    Inline(kMarkupSpan),
    Marker(Indented(Block(kMarkupUl, 1, 2)), 1, 4),
    Marker(Indented(Block(kMarkupOl, 1, 2)), 2, 0),
    ZeroWidth(TagStyleEntry(kMarkupLi, 1, 1, 1)).Box(kFieldL4, kStyleDefault).Box(kFieldL5, kStyleDefault),
    Block(kMarkupDl, 1, 2),
    SetFlag(ZeroWidth(Indented(TagStyleEntry(kMarkupDt, 1, 0, 1))), kFieldBold, true)
        .Box(kFieldL4, kStyleDefault)
        .Box(kFieldL5, kStyleDefault),
    ZeroWidth(Indented(TagStyleEntry(kMarkupDd, 1, 0, 1))).Box(kFieldL4, kStyleDefault).Box(kFieldL5, kStyleDefault),
    Defaults(TagStyleEntry(kMarkupTable, 3, 1, 4)),
    TagStyleEntry(kMarkupTr, 7, 0, 5),
    TagStyleEntry(kMarkupTd, 8, 0, 6),
    SetFlag(TagStyleEntry(kMarkupTh, 8, 0, 6), kFieldBold, true),
    Inline(kMarkupA),
    Position(Size(Inline(kMarkupSub), kStyleMinus, 2), TextStyle::kLowered),
    Position(Size(Inline(kMarkupSup), kStyleMinus, 2), TextStyle::kRaised),
    TagStyleEntry(kMarkupQvrPagebreak, 2, 3, 0),
    TagStyleEntry(kMarkupQvrSection, 9, 3, 3),
    Inline(kMarkupFont),
    SetFlag(Inline(kMarkupQvrNu), kFieldUnderline, false),
    TagStyleEntry(kMarkupQvrFrameset, 9, 3, 3),
};

constexpr bool Sorted() {
  for (size_t i = 1; i < sizeof kTable / sizeof kTable[0]; ++i)
    if (kTable[i - 1].tag >= kTable[i].tag) return false;
  return true;
}
static_assert(Sorted(), "the tag style table is searched by tag id");
static_assert(sizeof kTable / sizeof kTable[0] == 48);

}  // namespace

bool FindTagStyle(uint32_t tagId, const TagStyleEntry** entry) {
  size_t low = 0, high = sizeof kTable / sizeof kTable[0];
  while (low < high) {
    size_t mid = (low + high) / 2;
    if (kTable[mid].tag == tagId) {
      *entry = &kTable[mid];
      return true;
    }
    if (kTable[mid].tag < tagId) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  return false;
}
