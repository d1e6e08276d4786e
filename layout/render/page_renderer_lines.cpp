// PageRenderer: one line, in a background pass and a text pass.
#include "layout/drawing/drawing_surface.h"
#include "layout/lines/line_boxes.h"
#include "layout/pages/layout_context.h"
#include "layout/render/page_renderer.h"

namespace {

constexpr WCHAR kHyphen[] = {u'-'};
constexpr WCHAR kBullet[] = {0x2022, u' '};
constexpr WCHAR kOpeningMark[] = {u'[', u' '};

Color Or(Color color, Color fallback) { return color.IsNone() ? fallback : color; }

bool EndsLine(const LayoutCursor& at) {
  const uint32_t kind = at.KindAt();
  if (kind == kLineItem || kind == kTableItem || kind == kTableRowItem || kind == kTableCellItem) return true;
  if (kind != kMarkItem) return false;
  const int16_t code = MarkAt(at)->code;
  return code == kMarkTableEnd || code == kMarkRowEnd || code == kMarkCellEnd;
}

}  // namespace

struct PageRenderer::LinePass {
  bool text = false;
  const LineRecord* line = nullptr;
  AnnotationPainter* painter = nullptr;
  int32_t x = 0;
  int32_t right = 0;  // of the line's box
  Rect content;
  int32_t baselineY = 0;
  int32_t textY = 0;
  int32_t free = 0;
  int32_t gaps = 0;  // spaces that stretch
  int32_t spaceIndex = 0;
  int32_t carry = 0;
  bool justify = false;
  bool hidden = false;
  TextStyle runStyle;  // the style run in force
  Color lineBackground;
  Color inForce;
  int32_t stretchStart = 0;
};

void PageRenderer::PaintLine(LayoutCursor* at, Color background) {
  DrawingSurface* surface = Surface();
  const LineRecord& line = *LineAt(*at);
  const ParagraphFormat& format = line.format;
  Rect box{line.x, line.y, line.leftIndent + line.width + line.rightIndent, line.height};
  Color lineBackground = background;
  // A block with a background of its own colours its whole line.
  if ((format.boxFlags & kFormatOwnBackground) && !format.blockBackground.IsNone() &&
      !(format.blockBackground == background)) {
    lineBackground = format.blockBackground;
    surface->SetFillColor(lineBackground);
    surface->SetPenColor(lineBackground);
    surface->DrawRect(box, true);
  }
  if (format.boxFlags & kFormatBordered) {
    surface->SetPenColor(Or(format.borderColor, textColor_));
    const int32_t right = box.x + box.width - 1;
    const int32_t bottom = box.y + box.height - 1;
    surface->DrawLine(Point{box.x, box.y}, Point{box.x, bottom + 1});
    surface->DrawLine(Point{right, box.y}, Point{right, bottom + 1});
    if (line.flags & kLineBoxTop) surface->DrawLine(Point{box.x, box.y}, Point{right + 1, box.y});
    if (line.flags & kLineBoxBottom) surface->DrawLine(Point{box.x, bottom}, Point{right + 1, bottom});
    box.x += 1;
    box.width -= 2;
  }

  LinePass pass;
  pass.line = &line;
  pass.content = Rect{box.x, line.y + line.spaceAbove, box.width, line.height - line.spaceAbove - line.spaceBelow};
  pass.right = box.x + box.width;
  pass.baselineY = pass.content.y + line.baseline;
  pass.lineBackground = lineBackground;
  const int32_t textStart = line.x + line.leftIndent;
  int32_t alignment = format.alignment != 0 ? format.alignment : defaultAlignment_;
  const bool listItem = (format.marker & 3) != 0 && (!(line.flags & kLinePlain) || afterLineMark_);
  if (line.height > 0) afterLineMark_ = (line.flags & kLineWrapped) == 0;
  const bool stretch = (line.flags & kLineWrapped) != 0;
  if (!stretch && (alignment == 4 || (alignment == 5 && listItem))) alignment = 1;
  bool openingMark = false;
  if (!listItem && alignment == 5) {
    alignment = 2;
    openingMark = true;
  }
  pass.free = line.contentWidth > 0 ? line.contentWidth : 0;
  pass.x = textStart;
  if (alignment == 2) pass.x += pass.free;
  if (alignment == 3) pass.x += pass.free / 2;
  pass.gaps = line.spaceCount - 1;
  pass.justify = (alignment == 4 || alignment == 5) && line.spaceCount >= 2;

  // The bullet's style: the first style run before the line's first text.
  TextStyle bulletStyle = runStyle_;
  LayoutCursor walk = *at;
  for (walk.Next(); !walk.AtEnd() && !EndsLine(walk) && walk.KindAt() != kTextItem; walk.Next())
    if (walk.KindAt() == kStyleRunItem) {
      bulletStyle = *StyleRunAt(walk);
      break;
    }

  const TextStyle startStyle = runStyle_;
  const int32_t startX = pass.x;
  AnnotationPainter copy;
  if (state_.hasPainter) {
    copy = state_.painter;
    pass.painter = &copy;
  }
  pass.text = false;
  pass.runStyle = startStyle;
  WalkLine(pass, *at);

  pass.text = true;
  pass.x = startX;
  pass.spaceIndex = 0;
  pass.carry = 0;
  pass.runStyle = startStyle;
  pass.painter = state_.hasPainter ? &state_.painter : nullptr;
  surface->SetFillColor(Color{});
  if (listItem && (format.marker & 3) == 1) {
    TextStyle bullet;
    bullet.sizeStep = bulletStyle.sizeStep;
    ApplyFont(bullet);
    Size size{};
    if (surface->MeasureText(kBullet, 2, &size) && size.width <= line.leftIndent) {
      ApplyTextColor(bulletStyle.textColor);
      surface->DrawText(kBullet, 2, Point{textStart - size.width, pass.baselineY - surface->GetAscent()});
    }
  }
  if (openingMark) {
    ApplyFont(startStyle);
    Size size{};
    if (surface->MeasureText(kOpeningMark, 2, &size) && size.width <= pass.free + line.leftIndent) {
      ApplyTextColor(startStyle.textColor);
      surface->DrawText(kOpeningMark, 2, Point{pass.x - size.width, pass.baselineY - surface->GetAscent()});
    }
  }
  WalkLine(pass, *at);
  runStyle_ = pass.runStyle;

  // On past the line's items.
  for (at->Next(); !at->AtEnd() && !EndsLine(*at); at->Next()) {
  }
}

void PageRenderer::WalkLine(LinePass& pass, LayoutCursor at) {
  DrawingSurface* surface = Surface();
  LayoutItemStore* store = at.store;
  const LineRecord& line = *pass.line;
  pass.hidden = false;
  pass.inForce = pass.lineBackground;
  pass.stretchStart = pass.content.x;
  auto fill = [&](int32_t from, int32_t to, Color color) {
    if (to <= from || color == pass.lineBackground || color.IsNone()) return;
    surface->SetFillColor(color);
    surface->SetPenColor(color);
    surface->DrawRect(Rect{from, pass.content.y, to - from, pass.content.height}, true);
  };
  auto setStyle = [&](const TextStyle& style) {
    const Color background = Or(style.background, pass.lineBackground);
    if (!pass.text) {
      if (!(background == pass.inForce)) {
        fill(pass.stretchStart, pass.x, pass.inForce);
        pass.stretchStart = pass.x;
        pass.inForce = background;
      }
      return;
    }
    ApplyFont(style);
    surface->SetBackgroundColor(background);
    ApplyTextColor(style.textColor);
    int32_t shift = 0;
    const int32_t size = context_->Font().SizeFor(style);
    if (style.Position() == TextStyle::kRaised) shift = -size / 3;
    if (style.Position() == TextStyle::kLowered) shift = size / 3;
    pass.textY = pass.baselineY - surface->GetAscent() + shift;
  };
  auto derived = [&]() {
    if (pass.painter == nullptr || !pass.painter->IsActive()) return pass.runStyle;
    TextStyle out;
    pass.painter->ApplyToStyle(pass.runStyle, &out, pass.lineBackground);
    return out;
  };
  setStyle(derived());
  for (at.Next(); !at.AtEnd() && !EndsLine(at); at.Next()) {
    const uint32_t kind = at.KindAt();
    if (pass.painter != nullptr) {
      const bool changed = pass.painter->Advance(store->PositionAt(at), pass.text);
      if (changed && kind != kStyleRunItem) setStyle(derived());
    }
    switch (kind) {
      case kStyleRunItem:
        pass.runStyle = *StyleRunAt(at);
        setStyle(derived());
        break;
      case kTextItem: {
        LayoutItem* item = TextAt(at);
        if (pass.text && !pass.hidden) {
          surface->DrawText(item->text.Chars(), static_cast<int32_t>(item->text.length), Point{pass.x, pass.textY});
          item->layoutWords[0] = pass.x;
          item->layoutWords[1] = pass.textY;
          if (pass.painter != nullptr && pass.painter->HasNote()) NoteItem(*pass.painter, Point{pass.x, pass.textY}, pass.content);
        }
        pass.x += item->width;
        break;
      }
      case kMarkItem: {
        const MarkRecord& mark = *MarkAt(at);
        if (mark.code == kMarkSpace) {
          if (pass.spaceIndex++ >= pass.gaps) break;  // the line's last space takes no room
          int32_t advance = mark.value;
          if (pass.justify && pass.gaps > 0) {
            const int32_t spread = pass.free + pass.carry;
            advance += spread / pass.gaps;
            pass.carry = spread % pass.gaps;
          }
          if (pass.text) surface->DrawDecorationGap(Point{pass.x, pass.textY}, advance);
          pass.x += advance;
        } else if (mark.code == kMarkHyphen) {
          if (pass.text) surface->DrawText(kHyphen, 1, Point{pass.x, pass.textY});
          pass.x += mark.value;
        }
        break;
      }
      case kObjectItem: {
        LayoutObject& object = *ObjectAt(at);
        const int32_t width = object.words[kObjectPlacedWidth];
        const int32_t height = object.words[kObjectPlacedHeight];
        const int32_t side = object.words[kObjectHSpace] > 0 ? object.words[kObjectHSpace] : 0;
        if (pass.text) {
          int32_t y = pass.baselineY - height + object.words[kObjectDescent];
          switch (object.words[kObjectAlignment]) {
            case kAlignTop:
              y = pass.content.y;
              break;
            case kAlignMiddle:
            case kAlignAbsMiddle:
              y = pass.content.y + (pass.content.height - height) / 2;
              break;
            case kAlignAbsBottom:
              y = pass.content.y + pass.content.height - height;
              break;
            case kAlignTextTop:
              y = pass.textY;
              break;
            default:
              break;
          }
          object.words[kObjectPlacedX] = pass.x + side;
          object.words[kObjectPlacedY] = y;
          object.moreWords[kObjectBackgroundWord] = static_cast<int32_t>(surface->BackgroundColor().value);
          if (pass.painter != nullptr && pass.painter->HasNote()) NoteItem(*pass.painter, Point{pass.x + side, y}, pass.content);
        }
        pass.x += width + 2 * side;
        break;
      }
      default:
        break;
    }
  }
  if (!pass.text) fill(pass.stretchStart, pass.right, pass.inForce);
  (void)line;
}
