// DumpLayoutItems: every kind's record written out field by field.
#include "tests/layout/builder/item_dump.h"

#include <cstdio>

#include "layout/items/layout_records.h"
#include "layout/objects/horizontal_rule.h"
#include "layout/objects/inline_image.h"
#include "layout/objects/log_mark.h"

namespace {

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", value);
  return text;
}

std::string ColorText(Color color) {
  if (color.IsNone()) return "none";
  uint8_t r = 0, g = 0, b = 0;
  color.ToRgb(&r, &g, &b);
  char text[16];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", r, g, b);
  return text;
}

std::string LengthText(StyleLength length) {
  std::string out;
  if (length & kStyleLengthUnset) out = "unset|";
  out += std::to_string(StyleLengthNumber(length & ~kStyleLengthUnset));
  switch (length & kStyleLengthUnitMask) {
    case kStyleLengthEm: out += "em"; break;
    case kStyleLengthPercent: out += "%"; break;
    case kStyleLengthUnitMask: out += "?"; break;
    default: break;
  }
  return out;
}

std::string Utf8(const SharedWideString& text) {
  std::string out;
  const WCHAR* chars = text.Chars();
  for (uint32_t i = 0; i < text.length; ++i) {
    uint32_t c = chars[i];
    if (c < 0x20 || c == '"' || c == '\\') {
      out += "\\u" + Hex(c);
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string BoxText(const BoxStyle& box) {
  std::string out = "bg=" + ColorText(box.background) + " valign=" + std::to_string(box.verticalAlignment) + " border=";
  for (uint32_t side = 0; side < kBoxSideCount; ++side) {
    if (side != 0) out += ",";
    out += std::to_string(BoxStyle::BorderWidth(box.border[side])) + "/" +
           std::to_string(BoxStyle::BorderStyle(box.border[side])) + "/" + ColorText(box.borderColor[side]);
  }
  bool marginsUnset = true, paddingsUnset = true;
  for (uint32_t side = 0; side < kBoxSideCount; ++side) {
    marginsUnset = marginsUnset && box.margin[side] == kStyleLengthUnset;
    paddingsUnset = paddingsUnset && box.padding[side] == kStyleLengthUnset;
  }
  if (!marginsUnset || !paddingsUnset) out += " (margins or paddings set)";
  return out;
}

std::string FlagText(uint8_t flags) {
  std::string out;
  out += flags & TextStyle::kBold ? 'B' : '-';
  out += flags & TextStyle::kItalic ? 'I' : '-';
  out += flags & TextStyle::kUnderline ? 'U' : '-';
  out += flags & TextStyle::kStrike ? 'S' : '-';
  return out + "/" + std::to_string(flags >> 4);
}

std::string StyleText(const TextStyle& style) {
  std::string out = "style size=" + std::to_string(style.sizeStep) + " " + FlagText(style.flags) +
                    " face=" + std::to_string(style.face) + " color=" + ColorText(style.textColor) +
                    " bg=" + ColorText(style.background) + " lang=" + Hex(style.language);
  if (const LinkAction* link = style.link.Get()) {
    out += " link=" + std::to_string(link->kind);
    if (link->kind == LinkAction::kFilePosition) out += ":" + std::to_string(link->number);
    if (link->target.length != 0) out += ":\"" + Utf8(link->target) + "\"";
    if (link->title.length != 0) out += " title=\"" + Utf8(link->title) + "\"";
  }
  return out;
}

std::string ObjectText(const LayoutObject& object) {
  std::string out = "object ";
  InlineObject* target = object.object.Get();
  if (auto* rule = dynamic_cast<HorizontalRule*>(target)) {
    int32_t start = 0, length = 0;
    rule->Span(200, &start, &length);
    out += "rule color=" + ColorText(rule->GetColor()) + " shade=" + ColorText(rule->GetShade()) +
           " span200=" + std::to_string(start) + "+" + std::to_string(length);
  } else if (auto* image = dynamic_cast<InlineImage*>(target)) {
    out += "picture " + std::to_string(image->PictureSize().width) + "x" +
           std::to_string(image->PictureSize().height) + " \"" + Utf8(image->Address()) + "\"" +
           (image->IsTappable() ? " tappable" : "");
  } else if (dynamic_cast<LogMark*>(target) != nullptr) {
    out += "logmark";
  } else {
    out += target == nullptr ? "none" : "other";
  }
  out += " w=" + LengthText(static_cast<StyleLength>(object.words[kObjectWidth])) +
         " h=" + LengthText(static_cast<StyleLength>(object.words[kObjectHeight])) +
         " space=" + std::to_string(object.words[kObjectHSpace]) + "," + std::to_string(object.words[kObjectVSpace]) +
         " align=" + std::to_string(object.words[kObjectAlignment]) +
         " descent=" + std::to_string(object.words[kObjectDescent]) + " flags=" + Hex(object.flags);
  return out;
}

}  // namespace

std::string DumpLayoutItems(LayoutItemStore& store) {
  std::string out;
  for (LayoutCursor cursor = LayoutCursor::Begin(&store); !cursor.AtEnd(); cursor.Next()) {
    const LayoutOrderEntry& entry = store.Entry(cursor.order);
    const uint32_t kind = entry.kind;
    const uint32_t index = cursor.index[kind];
    out += std::to_string(entry.position & ~kLayoutPositionFlag);
    if (entry.position & kLayoutPositionFlag) out += "*";
    out += " ";
    if (kind < kLayoutFixedKindCount) {
      const void* record = store.fixed[kind].At(index);
      switch (kind) {
        case kParagraphFormatItem: {
          const auto& f = *static_cast<const ParagraphFormat*>(record);
          out += "format L=" + LengthText(f.lengths[0]);
          for (int i = 1; i < 5; ++i) out += "," + LengthText(f.lengths[i]);
          out += " align=" + std::to_string(f.alignment) + " marker=" + std::to_string(f.marker) +
                 " box=" + Hex(f.boxFlags) + " bg=" + ColorText(f.blockBackground) +
                 " border=" + ColorText(f.borderColor);
          break;
        }
        case kSectionColorItem: {
          const auto& s = *static_cast<const SectionColorRecord*>(record);
          out += "section color=" + ColorText(s.color) + " flag=" + std::to_string(s.flag);
          break;
        }
        case kMarkItem: {
          const auto& m = *static_cast<const LayoutMark*>(record);
          out += "mark " + std::to_string(m.code) + " value=" + std::to_string(m.value);
          if (m.flags != 0) out += " flags=" + Hex(m.flags);
          break;
        }
        case kTableItem: {
          const auto& t = *static_cast<const TableItem*>(record);
          out += "table w=" + LengthText(t.givenWidth) + " h=" + LengthText(t.givenHeight) +
                 " padding=" + LengthText(t.cellPadding) + " " + BoxText(t.box);
          break;
        }
        case kTableRowItem: {
          const auto& r = *static_cast<const TableRowItem*>(record);
          out += "row h=" + LengthText(r.givenHeight) + " " + BoxText(r.box);
          break;
        }
        case kTableCellItem: {
          const auto& c = *static_cast<const TableCellItem*>(record);
          out += "cell w=" + LengthText(c.givenWidth) + " h=" + LengthText(c.givenHeight) +
                 " span=" + std::to_string(c.columnSpan) + "x" + std::to_string(c.rowSpan) + " " + BoxText(c.box);
          break;
        }
        default:
          out += "kind " + std::to_string(kind);
          break;
      }
    } else if (kind == kTextItem) {
      out += "text \"" + Utf8(store.textItems.At(index)->text) + "\"";
    } else if (kind == kStyleRunItem) {
      out += StyleText(*store.styleRuns.At(index));
    } else {
      out += ObjectText(*store.objects.At(index));
    }
    out += "\n";
  }
  return out;
}
