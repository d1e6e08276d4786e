// LineBox indents, LineMetrics and the band of a line.
#include "layout/lines/line_boxes.h"

#include "foundation/characters/char_class.h"

namespace {
int32_t Larger(int32_t a, int32_t b) { return a > b ? a : b; }
}  // namespace

void LineBox::SetIndents(const ParagraphFormat& format, bool firstLine, int32_t fontSize, int32_t reference) {
  left = ResolveStyleLength(format.lengths[0], fontSize, reference);
  if (firstLine) left += ResolveStyleLength(format.lengths[1], fontSize, reference);
  right = ResolveStyleLength(format.lengths[2], fontSize, reference);
}

void LineMetrics::Reset() {
  fontAscent = fontDescent = itemAscent = itemDescent = anchored = middle = textTop = 0;
  extraAbove = extraBelow = 0;
  flags = static_cast<uint8_t>(flags & 0xF0);
}

void LineMetrics::Include(int32_t ascent, int32_t descent) {
  fontAscent = Larger(fontAscent, ascent);
  fontDescent = Larger(fontDescent, descent);
}

void LineMetrics::AddItem(int32_t valign, int32_t itemHeight, int32_t descent, int32_t space) {
  const int32_t c = itemHeight + 2 * space;
  auto anchor = [&](uint8_t mode) {
    if (c > anchored) {
      anchored = c;
      flags = static_cast<uint8_t>((flags & ~(3 << kModeShift)) | (mode << kModeShift));
    }
  };
  switch (valign) {
    case kAlignTop:
      anchor(1);
      break;
    case kAlignAbsBottom:
      anchor(2);
      break;
    case kAlignAbsMiddle:
      anchor(0);
      break;
    case kAlignMiddle:
      middle = Larger(middle, c);
      break;
    case kAlignTextTop:
      textTop = Larger(textTop, c);
      break;
    default:
      itemAscent = Larger(itemAscent, itemHeight - descent + space);
      itemDescent = Larger(itemDescent, descent + space);
      break;
  }
}

void LineMetrics::NoteText(const SharedWideString& text) {
  if (flags & kVisibleText) return;
  const WCHAR* chars = text.Chars();
  for (uint32_t i = 0; i < text.length; ++i) {
    if (CharSubcategory(chars[i]) != 9) {
      flags |= kVisibleText;
      return;
    }
  }
}

void LineMetrics::Finish() {
  int32_t a;
  int32_t b;
  int32_t c;
  if (flags & kVisibleText) {
    a = Larger(itemAscent, fontAscent);
    b = Larger(itemDescent, fontDescent);
    if (fontAscent + b < textTop) b = textTop - fontAscent;
    c = static_cast<int32_t>((int64_t{spacing} * (fontAscent + fontDescent)) >> 2);
    if (middle > 0) {
      const int32_t e = (middle + fontAscent - fontDescent) >> 1;
      a = Larger(a, e);
      b = Larger(b, middle - e);
    }
  } else {
    fontAscent = fontDescent = 0;
    if (textTop > anchored) {
      anchored = textTop;
      flags = static_cast<uint8_t>((flags & ~(3 << kModeShift)) | (1 << kModeShift));
    }
    if (middle > anchored) {
      anchored = middle;
      flags = static_cast<uint8_t>(flags & ~(3 << kModeShift));
    }
    a = itemAscent;
    b = itemDescent;
    c = 0;
  }
  if (a + b < anchored) {
    height = anchored;
    const int32_t mode = AnchorMode();
    if (mode == 1) {
      baseline = a;
    } else if (mode == 2) {
      baseline = anchored - b;
    } else {
      baseline = a + ((anchored - b - a) >> 1);
    }
  } else {
    height = a + b;
    baseline = a;
  }
  height += c + extraAbove + extraBelow + ((flags & kExtraBelow) ? 1 : 0) + ((flags & kExtraAbove) ? 1 : 0);
  baseline += c - (c >> 1);
  flags |= kFinished;
}

bool LineBandRect(const LineRecord& line, int32_t xFrom, int32_t xTo, const Point* offset, const Rect& clip,
                  Rect* out) {
  *out = Rect{xFrom, line.y + line.spaceAbove, xTo - xFrom, line.height - line.spaceAbove - line.spaceBelow};
  if (offset == nullptr) return true;
  out->y += offset->y;
  return Rect::Intersect(*out, clip, out);
}
